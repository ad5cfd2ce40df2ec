#pragma once
// Menu texts, status-bar prompts and tool tips of the commands. Prompts and tool tips come
// from the string table; the standard file, edit, window and help commands, which the table
// does not hold, have theirs here.
#include <QKeySequence>
#include <QList>
#include <QString>

namespace ondrel::gui {

// The status-bar prompt of a command ("" when it has none).
QString PromptOf(int commandId);
// The tool tip of a command ("" when it has none).
QString ToolTipOf(int commandId);
// The accelerators of a command, in table order; a key combination listed for an earlier
// command is not repeated for a later one.
QList<QKeySequence> AcceleratorsOf(int commandId);
// Every command that has an accelerator.
QList<int> CommandsWithAccelerators();

}  // namespace ondrel::gui
