// The "Load Error" box of the desktop program: the error icon, the message as it stands,
// and the file's path as its informative text.
#include <sys/stat.h>

#include <cstring>

#include <QMessageBox>
#include <QRandomGenerator>
#include <QtTest>

#include "AppFixture.h"
#include "GuiTestRegistry.h"
#include "ModalDriver.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

class LoadErrorBoxTest : public QObject {
    Q_OBJECT
private slots:
    void loadErrorBoxNamesTheFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");  // %1: the path
        QTest::newRow("random bytes") << "random" << "Invalid data in File";
        QTest::newRow("newer version") << "newer" << "Need updated version of Ondrel to load this data file";
        QTest::newRow("fifo") << "fifo" << "Unable to open %1: not a regular file";
    }
    void loadErrorBoxNamesTheFile() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        AppFixture f;
        const QString path = f.Path("input.cht");
        if (kind == "fifo") {
            QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
        } else {
            QByteArray bytes(512, '\0');
            QRandomGenerator generator(7);
            for (char& byte : bytes) byte = static_cast<char>(generator.bounded(256));
            if (kind == "newer") {
                const double version = 114.0;
                std::memcpy(bytes.data(), &version, sizeof version);
            }
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        QString text, informative, caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        ModalDriver driver(
            [&](QWidget* modal) {
                auto* box = static_cast<QMessageBox*>(modal);
                text = box->text();
                informative = box->informativeText();
                caption = box->windowTitle();
                icon = box->icon();
                ClickMessageBoxButton(box, QMessageBox::Ok);
            },
            "QMessageBox");
        f.Start({path});
        QVERIFY(driver.Acted());
        QCOMPARE(caption, QString("Load Error"));
        QCOMPARE(text, message.contains("%1") ? message.arg(path) : message);
        QCOMPARE(informative, path);
        QCOMPARE(icon, QMessageBox::Critical);
        QVERIFY(f.Frame().Frames().empty());
    }
};

ONDREL_GUI_TEST(LoadErrorBoxTest);
#include "LoadErrorBoxTest.moc"
