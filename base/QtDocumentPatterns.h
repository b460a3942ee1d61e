#pragma once
// The document patterns (base/DocumentPatterns.h) as Qt strings.

#include <QStringList>

namespace ledgra {

const QStringList& DocumentPatternList();

}  // namespace ledgra
