#pragma once
// The common base of every block type: label, grid position, up to three inputs and three
// parameters, the output value, the samples recorded in the last run, notes and colour.
// The document creates blocks through the catalogue, owns them and drives them through the
// five operations Serialize, Setup, Compute, ClearHistory and RecordSample.
//
// Rows are numbered 1..3 as the user sees them: input[k], param[k], route[k], inputLabel[k]
// and paramLabel[k] are used for k = 1..3 and element 0 is unused. That keeps every formula
// ("p2 x in2") readable exactly as it is written for the user.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/FontDescription.h"
#include "core/platform/Status.h"

namespace ondrel {

class CArchive;
class IBlockChart;
class IRunContext;

// Evaluation kinds: how the engine treats a block.
enum class BlockKind : std::int32_t {
    Algebraic = 0,        // computed every evaluation in dependency order (once when initFlag)
    State = 1,            // advanced by the integrator (Integrate, and the Clock)
    Fixed = 2,            // initFlag always set; computed once at run start (Constant, Pi)
    AlwaysComputed = 4,   // computed every evaluation whatever initFlag says
    Auxiliary = 8,        // the Clock's "Error" and "Count" display blocks
};

// A grid cell; also a block's identity in stored connections.
struct GridPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const GridPoint&) const = default;
};

// The connection key of an unconnected input.
inline constexpr GridPoint kNoConnection{-99, -99};

// A connector's routing record (4 int32); its first integer is kNoRoute when no path was found.
using RouteRecord = std::array<std::int32_t, 4>;
inline constexpr std::int32_t kNoRoute = -99;
// A connector that finds no free path is shown by its source's link letter at both ends: the
// first source of a chart to need one takes this letter, each later one the next character.
inline constexpr int kFirstLinkLetter = 'a';

class CBlock {
public:
    // Sets the base defaults, takes typeName and label from the string table entry typeId,
    // helpId = commandId + 0x10000. The subclass constructor then applies its catalogue row.
    CBlock(int bitmapId, IBlockChart* chart, int commandId, int typeId);
    virtual ~CBlock() = default;
    CBlock(const CBlock&) = delete;
    CBlock& operator=(const CBlock&) = delete;

    // The base record: label, link letter, colour, notes, flipped, initFlag, then per input
    // its connection key, parameter and route, then the history. Types with state append
    // their own fields. Loading resolves each connection key as soon as it is read.
    virtual void Serialize(CArchive& ar);
    // Once at the start of a run (and for the Clock after its editor closes with OK).
    virtual int Setup();
    // value from the inputs and parameters. Must not allocate: called at every evaluation.
    virtual void Compute() = 0;
    virtual void ClearHistory();
    virtual void RecordSample();

    // Connects input k (1..3) to the first block of the chart's list at key; (-99, -99)
    // disconnects. On no match shows "Unable to find a match for input ..." under
    // "Load Error", leaves the input as it was and returns false.
    bool ResolveInput(GridPoint key, int k);
    // The simulated time of the evaluation under way; 0.0 outside a run.
    double Now() const;
    // Sample i of the last run, 0.0 when i is not below the sample count.
    double ValueAt(std::int64_t i) const;
    // Opens the block editor on this block (installed by the desktop program); false when
    // there is none or the user cancelled.
    bool EditProperties();

    // input k's value when connected, otherwise parameter k.
    double InputOrParam(int k) const { return input[k] ? input[k]->value : param[k]; }
    // The key stored for input k: the source's position, or (-99, -99).
    GridPoint ConnectionKey(int k) const { return input[k] ? input[k]->position : kNoConnection; }

    // The output and its samples first, side by side: recording after every output interval
    // reads one and appends to the other for every block of the chart.
    double value = 0.0;
    std::vector<double> history;
    std::int32_t inputCount = 3;
    std::int32_t paramCount = 3;
    std::int32_t requiredInputs = 0;
    BlockKind kind = BlockKind::Algebraic;
    bool showsValue = true;  // has an output port and a value to show
    bool flipped = false;    // inputs on the right, output on the left
    bool initFlag = false;   // computed once when the run starts instead of at every evaluation
    std::array<CBlock*, 4> input{};              // [1..3]; never owning
    std::array<double, 4> param{0.0, 1.0, 1.0, 1.0};  // [1..3]
    std::string label;
    // The type's own texts, shared by every block of the type: they live in the string table
    // and the catalogue for the whole program, so a block holds views of them, not copies.
    // Whatever is put here must last as long as the program too (a literal, a table entry).
    std::string_view typeName;
    std::array<std::string_view, 4> inputLabel;  // [1..3]
    std::array<std::string_view, 4> paramLabel;  // [1..3]
    std::int32_t typeId = 0;
    std::int32_t bitmapId = 0;                   // colour icon; the monochrome one is +500
    std::int32_t commandId = 0;
    std::int32_t helpId = 0;
    GridPoint position;
    std::array<RouteRecord, 4> route{};          // [1..3]
    std::string linkLetter;
    IBlockChart* chart = nullptr;  // the chart holding the block; never owning
    // The run under way, set on every block of the chart by the run driver; null outside a run.
    IRunContext* run = nullptr;
    ColorRef color = 0;
    std::string notes;
};

// The block editor, supplied by the desktop program. Edit returns true on OK after applying
// the changes.
class IBlockEditor {
public:
    virtual ~IBlockEditor() = default;
    virtual bool Edit(CBlock& block) = 0;
};
void SetBlockEditor(IBlockEditor* editor);  // null: EditProperties does nothing

// The check before a run: for every block of the list and each of its required inputs that
// has no source, in order, the question "A <type> block, <label>, needs the ... input
// filled." under "Run Time Error" with OK and Cancel. Whoever asks them stops at a Cancel.
struct UnfilledInput {
    const CBlock* block = nullptr;
    Status question;
};
std::vector<UnfilledInput> UnfilledRequiredInputs(const std::vector<std::unique_ptr<CBlock>>& blocks);

}  // namespace ondrel
