#pragma once
// A started desktop program with its own profile file in a scratch folder.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/COndrelApp.h"
#include "gui/app/ChartSession.h"
#include "gui/app/DesktopPlatform.h"

namespace ondrel::guitest {

struct AppFixture {
    QTemporaryDir dir;
    std::unique_ptr<gui::DesktopPlatform> platform;
    std::unique_ptr<gui::COndrelApp> app;

    AppFixture() : platform(std::make_unique<gui::DesktopPlatform>(ProfilePath())) {}
    ~AppFixture() {
        app.reset();
        Flush();
    }

    QString ProfilePath() const { return dir.filePath("profile.ini"); }
    QString Path(const QString& name) const { return dir.filePath(name); }

    gui::COndrelApp& Start(const QStringList& arguments = {}) {
        app = std::make_unique<gui::COndrelApp>();
        app->Start(arguments);
        return *app;
    }
    // Ends the program as the user would (closing the main window), then starts it again
    // on the same profile.
    gui::COndrelApp& Restart(const QStringList& arguments = {}) {
        app->MainFrame()->close();
        app.reset();
        Flush();
        return Start(arguments);
    }
    gui::CMainFrame& Frame() { return *app->MainFrame(); }

    // Windows closed by the user are deleted once the event loop comes round.
    static void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // A copy of a shipped example chart in the scratch folder.
    QString CopyExample(const QString& name) {
        const QString target = Path(name);
        QFile::copy(QStringLiteral(ONDREL_SOURCE_DIR "/examples/") + name, target);
        return target;
    }
};

inline QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace ondrel::guitest
