// Program entry: the application object, the main window and the event loop.
// A normal close never returns here: the window's closing sequence ends the
// process with exit status 1.

#include "ui/main_window.h"

#include "app/first_paint_probe.h"
#include "config/config_writer.h"
#include "ui/window_icon.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

namespace {

void ShowStandardError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Kestrix for Windows"), text,
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// The last line of defence: no exception may cross the event loop. The
// window's own handlers catch theirs; this catches whatever slips past.
class KestrixApplication : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            ShowStandardError(QString::fromUtf8(error.what()));
        } catch (...) {
            ShowStandardError(QStringLiteral("Unknown error"));
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    kestrix::TreatFileSizeLimitAsWriteError();
    KestrixApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Norvale"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrix"));
    // No application display name: Qt would append it to every window
    // caption, on Windows too, and the caption must read "Kestrix ver.1.55"
    // alone. The task bar shows the window's caption.
#ifndef Q_OS_WIN
    // Ties the window to the installed desktop entry and its icon (the
    // application id under Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.norvale.Kestrix"));
#endif
    QApplication::setWindowIcon(LazyPngIcon(QStringLiteral(":/icons/kestrix.png")));
    try {
        MainWindowOptions options;
        options.arguments = QCoreApplication::arguments().mid(1);
        MainWindow window(std::move(options));
        QuitAfterFirstPaintIfAsked(window);
        window.show();
        return app.exec();
    } catch (const std::exception& error) {
        ShowStandardError(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowStandardError(QStringLiteral("Unknown error"));
    }
    return 0;
}
