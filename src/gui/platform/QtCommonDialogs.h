#pragma once
// The common dialogs over Qt: QColorDialog, QFontDialog (with the font's colour chosen
// alongside), QFileDialog. Filters come in the "Name (*.ext)|*.ext" form the core uses.
#include "core/platform/CommonDialogs.h"

class QString;

namespace ondrel::gui {

class QtCommonDialogs : public ICommonDialogs {
public:
    std::optional<ColorRef> ChooseColor(ColorRef initial) override;
    std::optional<FontChoice> ChooseFont(const FontDescription& font, ColorRef color) override;
    std::optional<std::string> OpenFile(const std::string& title, const std::string& filter) override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& suggestedName) override;
};

// "Data Files (*.dat)|*.dat|All Files (*.*)|*.*" -> "Data Files (*.dat);;All Files (*.*)".
QString QtFileFilter(const std::string& filter);

}  // namespace ondrel::gui
