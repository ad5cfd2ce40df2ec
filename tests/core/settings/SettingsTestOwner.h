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
    int showGrid = 0;
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
        group.AddCheck(since, 0, &showGrid, 1, "ShowGrid", kShowGridId);
        group.AddChoice(since, 0, &style, 2, "Style", kStyleId);
        group.AddFont(since, 0, &font, nullptr, "ChartLf", kFontId);
        group.AddColor(since, 0, &fontColor, MakeColor(0, 0, 128), "FontColor", kFontColorId);
        group.AddText(since, 0, &title, "Untitled", "Title", kTitleId, 20);
        group.AddColor(since, 0, &back, MakeColor(255, 255, 255), "Back", kBackId);
        group.AddInt(since, 0, &count, 10, "Count", kCountId, 1, 1000);
        group.AddDouble(since, 0, &step, 0.01, "Step", kStepId, 1e-6, 1e3);
    }

    void SetUnusual() {
        showGrid = 0;
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
