#pragma once
// Everything the block editor can change on one block, as a value. The editor fills one from
// the block, the user changes it, and ApplyBlockEdit writes it back through the document.
// Applying the edit taken before a change (From on the unchanged block) undoes that change,
// so an undo command needs nothing but the two edits.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/blocks/CBlock.h"
#include "core/model/edits/EditRouting.h"
#include "core/platform/FontDescription.h"

namespace ondrel {

class CTarvekDoc;

struct BlockEdit {
    std::string label;
    std::string notes;
    ColorRef color = 0;
    bool flipped = false;
    bool initFlag = false;
    std::array<double, 4> param{};  // [1..3]
    // [1..3]: the source of each input by its connection key; kNoConnection when the input
    // has no source. Keys rather than pointers, so that an edit kept for undo still finds a
    // source that was cut and pasted back in the meantime.
    std::array<GridPoint, 4> source{kNoConnection, kNoConnection, kNoConnection, kNoConnection};
    // The table of a Function Generator; empty for every other type.
    std::optional<std::vector<double>> ordinates;

    // The block's current values.
    static BlockEdit From(const CBlock& block);

    // Input k (1..3) will lose its source. A source can only be set in the chart view.
    void ClearInput(int k);
    bool HasSource(int k) const;
    // Parameter k (1..3) from typed text: the standard decimal conversion, 0 for no number.
    void SetParamText(int k, std::string_view text);

    bool operator==(const BlockEdit&) const = default;
};

// How a parameter is shown for editing ("%g").
std::string ParamText(double value);
// How the block's current value is shown: five significant digits, shortest form.
std::string CurrentValueText(double value);

// Writes the edit into block, which belongs to document: label, parameters, inputs, colour,
// notes, Initialize, the Function Generator table (its spline is prepared again). A change of
// orientation re-routes the block's connectors and those leaving it (unless routing says to
// keep the records); the Clock runs its Setup so that its outputs follow its label. Marks the
// document modified and refreshes every view.
void ApplyBlockEdit(CTarvekDoc& document, CBlock& block, const BlockEdit& edit,
                    EditRouting routing = EditRouting::Reroute);

}  // namespace ondrel
