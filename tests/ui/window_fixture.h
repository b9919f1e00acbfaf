#pragma once

// Shared set-up of the window tests: a temporary directory with the
// configuration files and the settings file, a window whose message boxes and
// process exit are recorded, and a watchdog against modal boxes left open.

#include "config/codepage.h"
#include "config/settings.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRect>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <vector>

// The clipboard's text, as the handlers leave it.
inline QString Clipboard() {
    return QGuiApplication::clipboard()->text();
}
inline void SetClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

// The bounding box of the pixels of an image darker than a grey level: where
// its text is drawn. Empty when nothing is that dark.
inline QRect InkRect(const QImage& image, int darkerThan) {
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < darkerThan) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < left ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Shows the window and waits until it is exposed and active.
inline void ShowActive(TForm1& w) {
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// The settings store of the program, watching the order of the writes.
class RecordingSettings : public kestrix::Settings {
  public:
    RecordingSettings(const QString& path, std::shared_ptr<QStringList> log)
        : kestrix::Settings(path), log_(std::move(log)) {}

  protected:
    void writeInt(const QString& name, int value) override {
        log_->append(name);
        kestrix::Settings::writeInt(name, value);
    }

  private:
    std::shared_ptr<QStringList> log_;
};

struct UiFixture {
    QTemporaryDir dir;
    QString settingsPath;
    std::shared_ptr<QStringList> writeLog = std::make_shared<QStringList>();
    std::shared_ptr<std::vector<MessageRequest>> messages =
        std::make_shared<std::vector<MessageRequest>>();
    std::shared_ptr<std::vector<int>> exits = std::make_shared<std::vector<int>>();
    QTimer watchdog;
    QString modalLeftOpen;

    UiFixture() {
        settingsPath = dir.filePath(QStringLiteral("settings/Kestrix.ini"));
        // A modal box would block the test forever: close it and fail.
        QObject::connect(&watchdog, &QTimer::timeout, &watchdog, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modalLeftOpen = modal->windowTitle();
                modal->close();
            }
        });
        watchdog.start(100);
    }

    // Writes a file of the configuration directory; Unicode text goes to
    // code page 932 as the program's files are.
    void writeConfig(const QString& name, const QString& text) const {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(name));
        const std::optional<std::string> bytes = kestrix::ToCp932(text);
        if (!bytes) qFatal("not code page 932: %s", qPrintable(name));
        f.write(bytes->data(), qint64(bytes->size()));
    }

    // Three duct styles (the second in Pa/m), two materials and two air-terminal
    // styles, in both languages.
    void writeStandardConfig() const {
        writeConfig(QStringLiteral("ksx_mate.cfg"),
                    QStringLiteral(";材料\r\n 1,\"亜鉛鉄板\",0.15\r\n 2,\"ステンレス\",0.05\r\n"));
        writeConfig(QStringLiteral("ksx_mate_e.cfg"),
                    QStringLiteral(";materials\r\n 1,\"Steel\",0.15\r\n 2,\"Stainless\",0.05\r\n"));
        writeConfig(QStringLiteral("KSX_Set1.cfg"),
                    QStringLiteral(" 1,\"低速ダクト\", 1, 8.0, 0.10, 0, 4.0\r\n"
                                   " 2,\"高速ダクト\", 1,15.0, 1.00, 1, 4.0\r\n"
                                   " 3,\"ｽﾃﾝﾚｽ\", 2, 6.0, 0.08, 0, 3.0\r\n"));
        writeConfig(QStringLiteral("KSX_Set1_e.cfg"),
                    QStringLiteral(" 1,\"Low velocity\", 1, 8.0, 0.10, 0, 4.0\r\n"
                                   " 2,\"High velocity\", 1,15.0, 1.00, 1, 4.0\r\n"
                                   " 3,\"Stainless\", 2, 6.0, 0.08, 0, 3.0\r\n"));
        writeConfig(QStringLiteral("KSX_Set2.cfg"),
                    QStringLiteral(" 1,\"アネモ型\", 70.0, 3.0\r\n 2,\"グリル\", 80.0, 2.0\r\n"));
        writeConfig(QStringLiteral("KSX_Set2_e.cfg"),
                    QStringLiteral(" 1,\"Anemo\", 70.0, 3.0\r\n 2,\"Grille\", 80.0, 2.0\r\n"));
    }

    // Stored values: an int is written as a number, anything else as text.
    void writeSettings(const QVariantMap& values) const {
        QSettings s(settingsPath, QSettings::IniFormat);
        for (auto it = values.begin(); it != values.end(); ++it)
            s.setValue(it.key(), it.value());
        s.sync();
    }

    TForm1Options options(const QStringList& arguments = {QStringLiteral("/ENG")}) const {
        TForm1Options o;
        o.arguments = arguments;
        o.configDirectory = dir.path();
        const QString path = settingsPath;
        const auto log = writeLog;
        o.settingsFactory = [path, log] { return std::make_unique<RecordingSettings>(path, log); };
        o.systemJapanese = false;
        const auto m = messages;
        o.showMessage = [m](const MessageRequest& r) { m->push_back(r); };
        const auto e = exits;
        o.exitProcess = [e](int status) { e->push_back(status); };
        return o;
    }

    QStringList messageTexts() const {
        QStringList out;
        for (const MessageRequest& r : *messages)
            out << r.text;
        return out;
    }
};
