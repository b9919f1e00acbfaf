#pragma once

// TAboutBox: the program's title, its version as read from the program file,
// the maker's notice and a link to the maker's web page.

#include <QCoreApplication>
#include <QDialog>
#include <QString>
#include <QUrl>

class QLabel;
class QPushButton;

namespace kestrix {
// aboutClick: creates the box owned by the main window, shows it modally and
// destroys it. The caller makes its window active again afterwards.
void OpenAboutBox(QWidget* mainWindow, bool japaneseUi);

// The maker's web page.
QUrl MakerPageUrl();
} // namespace kestrix

class TAboutBox : public QDialog {
    Q_OBJECT

  public:
    // Reads the version of `programFile` (the running program by default).
    explicit TAboutBox(QWidget* owner,
                       const QString& programFile = QCoreApplication::applicationFilePath());

    QLabel* Iair = nullptr;
    QLabel* Lt1 = nullptr;
    QLabel* Lt2 = nullptr;
    QLabel* Lcp1 = nullptr;
    QLabel* Lcp2 = nullptr;
    QLabel* Lurl = nullptr;
    QPushButton* B_Ok = nullptr;

    // The English captions and font sizes.
    void UseEnglish();
    void LurlClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
