#include "base/QtDocumentPatterns.h"

#include "base/DocumentPatterns.h"

namespace ledgra {

const QStringList& DocumentPatternList() {
    static const QStringList patterns = [] {
        QStringList list;
        for (std::string_view pattern : kDocumentPatterns)
            list.append(QString::fromLatin1(pattern.data(), static_cast<qsizetype>(pattern.size())));
        return list;
    }();
    return patterns;
}

}  // namespace ledgra
