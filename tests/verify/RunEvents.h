#pragma once
// The run's recorded events that many run tests expect, as RecordingUserInterface writes them.

#include <string>

namespace ledgra::testing {

inline const std::string kStarted = "status|전자문서의 서명검증을 시작합니다.";
inline const std::string kSucceededBox = "box|정보|!|서명검증이 성공했습니다.";
inline const std::string kSucceededStatus = "status|서명검증이 성공했습니다.";
inline const std::string kUnsignedBox = "box|정보|i|전자서명이 없는 문서입니다.";
inline const std::string kUnsignedStatus = "status|전자서명이 없는 문서입니다.";
inline const std::string kFailed = "box|정보|!|서명검증이 실패했습니다.";
inline const std::string kRejected = "box|에러 메시지|!|규정된 파일이 아닙니다.";
inline const std::string kNoPage = "box|에러 메시지|!|HTML 생성 실패";

}  // namespace ledgra::testing
