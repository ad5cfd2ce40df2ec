#pragma once
// Platform fakes for the editor tests: message boxes, common dialogs and help are recorded
// and answered from what the test sets, so no test waits for a click on a platform window.
#include <optional>
#include <string>
#include <vector>

#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/platform/Platform.h"

namespace ondrel::guitest {

class RecordingBoxes : public IMessageBox {
public:
    MsgResult Show(const std::string& text, const std::string&, MsgButtons, MsgIcon) override {
        shown.push_back(text);
        return MsgResult::Ok;
    }
    std::vector<std::string> shown;
};

class AnsweringDialogs : public ICommonDialogs {
public:
    std::optional<ColorRef> ChooseColor(ColorRef initial) override {
        colorRequests.push_back(initial);
        return color;
    }
    std::optional<FontChoice> ChooseFont(const FontDescription&, ColorRef) override { return {}; }
    std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
        return file;
    }
    std::optional<std::string> SaveFile(const std::string&, const std::string&,
                                        const std::string&) override {
        return {};
    }
    std::optional<ColorRef> color;
    std::optional<std::string> file;
    std::vector<ColorRef> colorRequests;
};

class RecordingHelp : public IHelp {
public:
    void ShowHelp(int context) override { contexts.push_back(context); }
    std::vector<int> contexts;
};

// The fakes, installed for the fixture's lifetime.
struct EditorPlatform {
    RecordingBoxes boxes;
    AnsweringDialogs dialogs;
    RecordingHelp help;
    ScopedPlatform scope{[this] {
        PlatformServices services;
        services.messageBox = &boxes;
        services.dialogs = &dialogs;
        services.help = &help;
        return services;
    }()};
};

// A new chart with blocks placed through the document as the chart view places them.
struct EditorChart {
    EditorChart() { doc.OnNewDocument(); }
    CBlock* Place(int typeId, int x, int y) {
        doc.PlaceBlock(doc.CreateBlock(typeId), x, y);
        return doc.blockList.back().get();
    }
    CTarvekDoc doc;
};

}  // namespace ondrel::guitest
