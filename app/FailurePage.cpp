#include "app/FailurePage.h"

#include "filetree/NativeNames.h"
#include "text/QtCp949.h"

namespace ledgra {

QString FailurePageHtml(const RunOutcome& outcome) {
    const QString name = DisplayPath(outcome.document.filename()).toHtmlEscaped();
    const QString why =
        QStringFromCp949(outcome.failure).toHtmlEscaped().replace(u'\n', u"<br>"_qs);
    return u"<!DOCTYPE html><html><head><meta charset='utf-8'><title>"_qs + name +
           u"</title></head><body style='font-family:sans-serif;margin:2em'><h2>"_qs + name +
           u"</h2><p>이 문서를 보여 줄 수 없습니다.</p><p>"_qs + why + u"</p></body></html>"_qs;
}

}  // namespace ledgra
