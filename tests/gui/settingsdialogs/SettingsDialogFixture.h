#pragma once
// What the settings dialog tests share: recording platform services (message boxes answered
// at once, an in-memory profile, a colour chooser that answers from the test) and helpers
// that find and work a dialog's controls by id as a user would.
#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Platform.h"
#include "gui/platform/QtDialogExchange.h"

namespace ondrel::guitest {

class RecordedMessages : public IMessageBox {
public:
    MsgResult Show(const std::string& text, const std::string&, MsgButtons, MsgIcon) override {
        texts.push_back(text);
        return MsgResult::Ok;
    }
    std::vector<std::string> texts;
};

class AnsweringChoosers : public ICommonDialogs {
public:
    std::optional<ColorRef> ChooseColor(ColorRef) override { return color; }
    std::optional<FontChoice> ChooseFont(const FontDescription&, ColorRef) override {
        return std::nullopt;
    }
    std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> SaveFile(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    std::optional<ColorRef> color;
};

// Installs the fakes for its lifetime.
struct RecordingServices {
    RecordedMessages messages;
    MemoryProfile profile;
    AnsweringChoosers choosers;
    ScopedPlatform scope{PlatformServices{&messages, &profile, nullptr, &choosers, nullptr,
                                          nullptr}};
};

inline QLineEdit* EditOf(QWidget* dialog, int controlId) {
    return qobject_cast<QLineEdit*>(gui::FindControl(dialog, controlId));
}

inline QString TextOf(QWidget* dialog, int controlId) {
    QLineEdit* edit = EditOf(dialog, controlId);
    return edit != nullptr ? edit->text() : QStringLiteral("<no edit %1>").arg(controlId);
}

// Replaces the field's text as typing would.
inline void Type(QWidget* dialog, int controlId, const QString& text) {
    if (QLineEdit* edit = EditOf(dialog, controlId)) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
}

inline void Click(QWidget* dialog, int controlId) {
    if (auto* button = qobject_cast<QAbstractButton*>(gui::FindControl(dialog, controlId)))
        QTest::mouseClick(button, Qt::LeftButton);
}

// The field gains or loses the keyboard focus (as when the user tabs into or out of it).
inline void SendFocus(QWidget* dialog, int controlId, QEvent::Type type) {
    QFocusEvent event(type, Qt::TabFocusReason);
    if (QWidget* field = gui::FindControl(dialog, controlId)) QApplication::sendEvent(field, &event);
}

// Tabbing through a field: focus in, the new text, focus out.
inline void Enter(QWidget* dialog, int controlId, const QString& text) {
    SendFocus(dialog, controlId, QEvent::FocusIn);
    Type(dialog, controlId, text);
    SendFocus(dialog, controlId, QEvent::FocusOut);
}

}  // namespace ondrel::guitest
