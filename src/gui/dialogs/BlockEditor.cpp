#include "gui/dialogs/BlockEditor.h"

#include <utility>

#include "gui/dialogs/BlockEditorDialog.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel::gui {

BlockEditor::BlockEditor(QWidget* parent, Commit commit)
    : parent_(parent), commit_(std::move(commit)) {
    if (!commit_) {
        commit_ = [](CBlock& block, const BlockEdit&, const BlockEdit& after) {
            ApplyBlockEdit(*DocumentOf(block), block, after);
        };
    }
}

bool BlockEditor::Edit(CBlock& block) {
    if (DocumentOf(block) == nullptr) return false;
    BlockEditorDialog dialog(block, parent_.data());
    dialog.exec();
    const std::optional<BlockEdit> change = dialog.Change();
    if (!change) return false;
    commit_(block, dialog.Before(), *change);
    return true;
}

}  // namespace ondrel::gui
