#include "text/SystemErrorText.h"

#include <cerrno>
#include <cstring>

#include "text/Cp949.h"

namespace ledgra {

std::string SystemErrorText(int errorNumber) {
    switch (errorNumber) {
        case ENOSPC:
            return "디스크 공간이 부족합니다"_cp949;
        case EDQUOT:
            return "디스크 사용 한도를 넘었습니다"_cp949;
        case EFBIG:
            return "파일 크기 제한을 넘었습니다"_cp949;
        case EROFS:
            return "읽기 전용 디스크입니다"_cp949;
        case EACCES:
        case EPERM:
            return "권한이 없습니다"_cp949;
        case ENOENT:
            return "폴더가 없습니다"_cp949;
        case ENOTDIR:
            return "경로의 일부가 폴더가 아닙니다"_cp949;
        case EISDIR:
            return "같은 이름의 폴더가 있습니다"_cp949;
        case EIO:
            return "입출력 오류가 발생했습니다"_cp949;
        default:
            return Cp949FromUtf8(std::strerror(errorNumber));
    }
}

}  // namespace ledgra
