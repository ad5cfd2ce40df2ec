#include "core/model/edits/TextOptionsEdit.h"

#include "core/model/CTarvekDoc.h"
#include "core/model/edits/RoutedCommand.h"

namespace ondrel {
namespace {

class TextOptionsCommand final : public ChartCommand {
public:
    TextOptionsCommand(TextViewState& view, TextOptionsEdit edit) : view_(view), edit_(std::move(edit)) {}

    void Apply(CTarvekDoc& doc) override { edit_.Apply(view_, doc); }
    void Revert(CTarvekDoc& doc) override { edit_.Revert(view_, doc); }
    std::string Name() const override { return "Text Options"; }

private:
    TextViewState& view_;
    TextOptionsEdit edit_;
};

}  // namespace

TextOptionsEdit TextOptionsEdit::Capture(const TextViewState& view, const CSettingsGroup& edited,
                                         const std::string& title, const std::string& notes,
                                         const TextFilterChoice& chosen) {
    TextOptionsEdit edit;
    edit.before_.settings->AssignFrom(view.settings);
    edit.before_.title = view.title;
    edit.before_.notes = view.notes;
    edit.before_.chosen = view.chosen;
    edit.after_.settings->AssignFrom(edited);
    edit.after_.title = title;
    edit.after_.notes = notes;
    edit.after_.chosen = chosen;
    return edit;
}

void TextOptionsEdit::Put(const Values& side, TextViewState& view, CTarvekDoc& doc) {
    view.settings.CopyValuesFrom(*side.settings);
    view.title = side.title;
    view.notes = side.notes;
    view.chosen = side.chosen;
    // An undo step may hold a block that a later delete took out of the chart.
    view.chosen.KeepBlocksOf(doc);
    ++view.optionsRevision;
    MarkChartChanged(doc);
}

std::unique_ptr<ChartCommand> MakeTextOptionsCommand(TextViewState& view, TextOptionsEdit edit) {
    return std::make_unique<TextOptionsCommand>(view, std::move(edit));
}

}  // namespace ondrel
