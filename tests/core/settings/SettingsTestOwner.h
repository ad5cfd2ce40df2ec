#pragma once
// An owner with one member of every setting type, as views and dialogs hold them, and a
// fake dialog-exchange context keyed by control id.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/FontDescription.h"
#include "core/settings/CSettingsGroup.h"
#include "core/settings/DialogExchange.h"

namespace ondrel::test {

enum ControlIds : int {
    kShowGridId = 101,
    kStyleId = 102,
    kFontId = 103,
    kFontColorId = -103,
    kTitleId = 104,
    kBackId = 105,
    kCountId = 106,
    kStepId = 107,
};

struct SettingsOwner {
    bool showGrid = false;
    int style = 0;
    FontDescription font;
    ColorRef fontColor = 0;
    std::string title;
    ColorRef back = 0;
    int count = 0;
    double step = 0.0;
    CSettingsGroup group;

    // since: the file version from which every item is stored.
    explicit SettingsOwner(double since = 1.0) {
        group.SetSection("MainView");
        group.AddCheck({.since = since, .name = "ShowGrid", .controlId = kShowGridId,
                        .bound = &showGrid, .defaultValue = true});
        group.AddChoice({.since = since, .name = "Style", .controlId = kStyleId, .bound = &style,
                         .defaultValue = 2});
        group.AddFont({.since = since, .name = "ChartLf", .controlId = kFontId, .bound = &font});
        group.AddColor({.since = since, .name = "FontColor", .controlId = kFontColorId,
                        .bound = &fontColor, .defaultValue = MakeColor(0, 0, 128)});
        group.AddText({.since = since, .name = "Title", .controlId = kTitleId, .bound = &title,
                       .defaultValue = "Untitled", .maxChars = 20});
        group.AddColor({.since = since, .name = "Back", .controlId = kBackId, .bound = &back,
                        .defaultValue = MakeColor(255, 255, 255)});
        group.AddInt({.since = since, .name = "Count", .controlId = kCountId, .bound = &count,
                      .defaultValue = 10, .min = 1, .max = 1000});
        group.AddDouble({.since = since, .name = "Step", .controlId = kStepId, .bound = &step,
                         .defaultValue = 0.01, .min = 1e-6, .max = 1e3});
    }

    void SetUnusual() {
        showGrid = false;
        style = 3;
        font.height = -20;
        font.weight = 700;
        font.italic = 1;
        font.pitchAndFamily = 34;
        font.faceName = "Courier New";
        fontColor = MakeColor(1, 2, 3);
        title = "Damped spring";
        back = MakeColor(200, 100, 50);
        count = 42;
        step = 1.0 / 3.0;
    }

    bool SameMembers(const SettingsOwner& o) const {
        return showGrid == o.showGrid && style == o.style && font == o.font &&
               fontColor == o.fontColor && title == o.title && back == o.back &&
               count == o.count && step == o.step;
    }
};

class FakeExchange : public IDialogExchange {
public:
    explicit FakeExchange(bool isSaving) : saving(isSaving) {}

    bool IsSaving() const override { return saving; }
    void ExchangeCheck(int id, int& flag) override { Move(checks, id, flag); }
    void ExchangeRadio(int id, int& index) override { Move(radios, id, index); }
    void ExchangeText(int id, std::string& text) override { Move(texts, id, text); }
    void LimitText(int id, int maxChars) override { limits[id] = maxChars; }
    void Fail(int id, const std::string& message) override { failures.emplace_back(id, message); }

    bool saving;
    std::map<int, int> checks;
    std::map<int, int> radios;
    std::map<int, std::string> texts;
    std::map<int, int> limits;
    std::vector<std::pair<int, std::string>> failures;

private:
    template <typename T>
    void Move(std::map<int, T>& controls, int id, T& value) {
        if (saving) {
            auto it = controls.find(id);
            if (it != controls.end()) value = it->second;
        } else {
            controls[id] = value;
        }
    }
};

}  // namespace ondrel::test
