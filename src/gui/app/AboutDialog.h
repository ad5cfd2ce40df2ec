#pragma once
// The About box: the program icon, the name and the version, OK and Help.
#include <QDialog>

namespace ondrel::gui {

inline constexpr const char* kAboutCaption = "About Ondrel";

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace ondrel::gui
