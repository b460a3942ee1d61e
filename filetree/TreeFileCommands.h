#pragma once
// The file tree's own commands: their ids, the texts the program gives them, and their keys.

#include <QKeySequence>
#include <QList>
#include <QString>

namespace ledgra {

enum TreeFileCommand : int {
    kTreeRenameCommand = 61447,
    kTreeOpenCommand = 61448,
    kTreeDeleteCommand = 61449,
    kTreeRefreshCommand = 61450,
    kTreeUpOneLevelCommand = 61451,
    kTreeBackCommand = 61452,
    kTreeForwardCommand = 61453,
    kTreePropertiesCommand = 61455,
};

struct TreeFileCommandInfo {
    TreeFileCommand m_id;
    const char* m_text;
    QList<QKeySequence> m_keys;
};

// Every command in id order.
const QList<TreeFileCommandInfo>& TreeFileCommands();

}  // namespace ledgra
