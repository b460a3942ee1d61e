#include "filetree/TreeFileCommands.h"

namespace ledgra {

const QList<TreeFileCommandInfo>& TreeFileCommands() {
    // Shift+Delete deletes for good, Enter comes from either Enter key.
    static const QList<TreeFileCommandInfo> commands = {
        {kTreeRenameCommand, "File Tree Control Rename", {QKeySequence(Qt::Key_F2)}},
        {kTreeOpenCommand,
         "File Tree Control Open",
         {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}},
        {kTreeDeleteCommand,
         "File Tree Control Delete",
         {QKeySequence(Qt::Key_Delete), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
        {kTreeRefreshCommand, "File Tree Control Refresh", {QKeySequence(Qt::Key_F5)}},
        {kTreeUpOneLevelCommand,
         "File Tree Control up one level",
         {QKeySequence(Qt::Key_Backspace)}},
        {kTreeBackCommand, "File Tree Control Back", {QKeySequence(Qt::ALT | Qt::Key_Left)}},
        {kTreeForwardCommand, "File Tree Control Forward", {QKeySequence(Qt::ALT | Qt::Key_Right)}},
        {kTreePropertiesCommand,
         "File Tree Control Properties",
         {QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)}},
    };
    return commands;
}

}  // namespace ledgra
