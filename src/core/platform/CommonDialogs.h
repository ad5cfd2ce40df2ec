#pragma once
// The platform's common dialogs: colour and font choosers, open and save file.
#include <optional>
#include <string>

#include "core/platform/FontDescription.h"

namespace ondrel {

class ICommonDialogs {
public:
    virtual ~ICommonDialogs() = default;
    // Colour chooser opened on initial; nullopt when cancelled.
    virtual std::optional<ColorRef> ChooseColor(ColorRef initial) = 0;
    // Font chooser opened on font and its colour; nullopt when cancelled.
    struct FontChoice {
        FontDescription font;
        ColorRef color = 0;
    };
    virtual std::optional<FontChoice> ChooseFont(const FontDescription& font, ColorRef color) = 0;
    // File dialogs with a filter such as "Data Files (*.dat)|*.dat"; nullopt when cancelled.
    virtual std::optional<std::string> OpenFile(const std::string& title, const std::string& filter) = 0;
    virtual std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                                const std::string& suggestedName) = 0;
};

}  // namespace ondrel
