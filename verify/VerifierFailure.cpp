#include "verify/VerifierFailure.h"

#include "text/Cp949.h"

namespace ledgra {

std::uint16_t StatusOf(VerifierFailure failure) {
    return static_cast<std::uint16_t>(failure);
}

bool IsTrustFailure(std::uint16_t status) {
    switch (static_cast<VerifierFailure>(status)) {
        case VerifierFailure::TrustFolderMissing:
        case VerifierFailure::TrustFolderEmpty:
        case VerifierFailure::UntrustedCertificate:
        case VerifierFailure::CertificateExpired:
        case VerifierFailure::CertificateNotYetValid:
        case VerifierFailure::CertificateRevoked:
            return true;
        default:
            return false;
    }
}

const std::string& FailureText(VerifierFailure failure) {
    // No default: a new failure kind must get its own text.
    switch (failure) {
        case VerifierFailure::NotInitialized:
            return "검증모듈이 초기화되지 않았습니다."_cp949;
        case VerifierFailure::BadDirectoryList:
            return "인증기관 디렉터리 목록의 형식이 올바르지 않습니다."_cp949;
        case VerifierFailure::MessageTooLarge:
            return "서명 메시지가 너무 큽니다."_cp949;
        case VerifierFailure::MalformedMessage:
            return "서명 메시지의 형식이 올바르지 않습니다."_cp949;
        case VerifierFailure::NotSignedData:
            return "서명된 데이터가 아닙니다."_cp949;
        case VerifierFailure::NoContent:
            return "서명 메시지에 서명된 내용이 없습니다."_cp949;
        case VerifierFailure::NoSigners:
            return "서명 메시지에 서명자 정보가 없습니다."_cp949;
        case VerifierFailure::NoCertificates:
            return "서명 메시지에 서명자의 인증서가 없습니다."_cp949;
        case VerifierFailure::BadSigningTime:
            return "서명시간의 형식이 올바르지 않습니다."_cp949;
        case VerifierFailure::TrustFolderMissing:
            return "신뢰하는 인증기관의 인증서 폴더가 없습니다."_cp949;
        case VerifierFailure::TrustFolderEmpty:
            return "신뢰하는 인증기관의 인증서가 없습니다."_cp949;
        case VerifierFailure::UntrustedCertificate:
            return "신뢰할 수 있는 인증기관의 인증서가 아닙니다."_cp949;
        case VerifierFailure::CertificateExpired:
            return "인증서의 유효기간이 지났습니다."_cp949;
        case VerifierFailure::CertificateNotYetValid:
            return "인증서의 유효기간이 아직 시작되지 않았습니다."_cp949;
        case VerifierFailure::WrongPurpose:
            return "전자서명 용도의 인증서가 아닙니다."_cp949;
        case VerifierFailure::CertificateInvalid:
            return "인증서를 검증할 수 없습니다."_cp949;
        case VerifierFailure::BadSignature:
            return "서명 값이 올바르지 않습니다."_cp949;
        case VerifierFailure::NotVerified:
            return "검증된 서명 메시지가 없습니다."_cp949;
        case VerifierFailure::SignerOutOfRange:
            return "서명자 번호가 올바르지 않습니다."_cp949;
        case VerifierFailure::InternalError:
            return "서명 검증 중 오류가 발생했습니다."_cp949;
        case VerifierFailure::WeakDigest:
            return "MD5를 쓴 서명은 안전하지 않아 받아들이지 않습니다."_cp949;
        case VerifierFailure::WeakKey:
            return "1024비트보다 짧은 RSA 키의 서명은 안전하지 않아 받아들이지 않습니다."_cp949;
        case VerifierFailure::SignerIsAuthority:
            return "인증기관의 인증서로 한 서명은 받아들이지 않습니다."_cp949;
        case VerifierFailure::CertificateRevoked:
            return "폐지된 인증서입니다."_cp949;
        case VerifierFailure::UnsupportedXmlSignature:
            return "지원하지 않는 형식의 XML 서명입니다."_cp949;
        case VerifierFailure::DigestMismatch:
            return "서명된 내용이 바뀌었습니다."_cp949;
        case VerifierFailure::UnreadableXml:
            return "XML 문서를 읽을 수 없어 서명을 확인할 수 없습니다."_cp949;
    }
    return "서명 검증 중 오류가 발생했습니다."_cp949;
}

}  // namespace ledgra
