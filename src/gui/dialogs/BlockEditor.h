#pragma once
// The desktop program's block editor: runs the "Block Editor" dialog on a block and hands
// the change to a commit function, which by default applies it to the document at once.
// An undo stack passes a commit function that records the change as a command instead.
//
// Installed once the main window exists:
//     static ondrel::gui::BlockEditor editor(mainWindow);
//     ondrel::SetBlockEditor(&editor);
// and removed (SetBlockEditor(nullptr)) before the main window goes.
#include <QPointer>
#include <QWidget>
#include <functional>

#include "core/blocks/CBlock.h"
#include "core/model/edits/BlockEdit.h"

namespace ondrel::gui {

class BlockEditor final : public IBlockEditor {
public:
    // Makes the change happen on the block's document: `before` applied to the block
    // reverts `after`.
    using Commit = std::function<void(CBlock& block, const BlockEdit& before, const BlockEdit& after)>;

    explicit BlockEditor(QWidget* parent = nullptr, Commit commit = {});

    // True when something was committed: the user pressed OK, or cancelled after replacing a
    // Function Generator's table. Blocks outside a document are not edited.
    bool Edit(CBlock& block) override;

private:
    QPointer<QWidget> parent_;
    Commit commit_;
};

}  // namespace ondrel::gui
