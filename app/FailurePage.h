#pragma once
// The page the view shows after a run that showed no page of its document: it names the file
// and says why, so that the page of an earlier document is never left under the new title.

#include <QString>

#include "verify/VerificationRun.h"

namespace ledgra {

QString FailurePageHtml(const RunOutcome& outcome);

}  // namespace ledgra
