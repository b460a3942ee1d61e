#include "app/PdfProof.h"

#include <QCryptographicHash>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <ctime>
#include <exception>

#include "filetree/NativeNames.h"

namespace ledgra {
namespace {

// A file name as text: names on disk are UTF-8, or code page 949 from older systems.
std::string NameText(const std::filesystem::path& file) {
    return DisplayPath(file.filename()).toStdString();
}

std::string UtcText(std::time_t time) {
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &parts);
    return text;
}

void Attach(QPDF& pdf, QPDFEmbeddedFileDocumentHelper& files, const std::string& key,
            const std::string& name, const std::string& bytes, const std::string& type,
            const std::string& description) {
    QPDFEFStreamObjectHelper stream = QPDFEFStreamObjectHelper::createEFStream(pdf, bytes);
    stream.setSubtype(type);
    QPDFFileSpecObjectHelper entry = QPDFFileSpecObjectHelper::createFileSpec(pdf, name, stream);
    entry.setDescription(description);
    files.replaceEmbeddedFile(key, entry);
}

}  // namespace

std::string SummaryText(const VerificationSummary& summary) {
    const QByteArray digest = QCryptographicHash::hash(
        QByteArray::fromStdString(summary.documentBytes), QCryptographicHash::Sha256);
    std::string text = "파일: " + NameText(summary.document) + "\n";
    text += "SHA-256: " + digest.toHex().toStdString() + "\n";
    text += "검증 결과: " + summary.verdict + "\n";
    if (summary.signers.empty()) text += "서명자: 없음\n";
    for (const SignerSummary& signer : summary.signers) {
        text += "서명자: " + signer.name + "\n";
        text += "  서명시간: " + (signer.signingTime.empty() ? "없음" : signer.signingTime) + "\n";
        if (!signer.certificate.empty()) text += "  " + signer.certificate + "\n";
    }
    text += "검증 시각: " + UtcText(summary.checkedAt) + "\n";
    text += "프로그램: Ledgra Viewer " LEDGRA_VERSION "\n";
    return text;
}

QByteArray WithProof(const QByteArray& pdf, const VerificationSummary& summary) {
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("page.pdf", pdf.constData(), static_cast<size_t>(pdf.size()));
        QPDFEmbeddedFileDocumentHelper files(document);
        Attach(document, files, "document", NameText(summary.document), summary.documentBytes,
               "application/octet-stream", "검증한 전자문서 원본");
        Attach(document, files, "summary", kSummaryFileName, SummaryText(summary), "text/plain",
               "서명검증 요약");

        QPDFObjectHandle trailer = document.getTrailer();
        QPDFObjectHandle information = trailer.getKey("/Info");
        if (!information.isDictionary()) {
            information = document.makeIndirectObject(QPDFObjectHandle::newDictionary());
            trailer.replaceKey("/Info", information);
        }
        information.replaceKey("/Subject", QPDFObjectHandle::newUnicodeString(summary.verdict));

        QPDFWriter writer(document);
        writer.setOutputMemory();
        writer.write();
        const std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char*>(written->getBuffer()),
                          static_cast<qsizetype>(written->getSize()));
    } catch (const std::exception&) {
        // qpdf reports a PDF it cannot read or write by throwing.
        return {};
    }
}

}  // namespace ledgra
