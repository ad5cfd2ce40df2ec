#pragma once
// One help page per block type, made from the block catalogue (names, inputs, parameters,
// defaults, evaluation kind) and one table of what each type computes, the units of its
// parameters and a short example. A type the catalogue gains without a row here still gets
// a page naming its inputs and parameters.
#include <QString>

namespace ondrel::gui {

// The page of a block type as HTML; "" for an id the catalogue does not hold.
QString BlockHelpPage(int typeId);
// What parameter k (1..3) of a type is, for the block editor's tool tip: "Frequency, in
// hertz; default 1"; "" for a row the type does not have.
QString ParameterHint(int typeId, int k);
// The type whose block help context this is (kBlockHelpBase + command id), or 0.
int BlockTypeOfHelpContext(int context);

}  // namespace ondrel::gui
