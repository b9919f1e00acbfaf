#pragma once

// The about box: the program's title, its version as read from the program
// file, the maker's notice and a link to the maker's web page.

#include <QCoreApplication>
#include <QDialog>
#include <QString>
#include <QUrl>

class QLabel;
class QPushButton;

namespace kestrix {

// Creates the box owned by the main window, shows it modally and destroys it.
// The caller makes its window active again afterwards.
void OpenAboutBox(QWidget* mainWindow);

// The maker's web page.
QUrl MakerPageUrl();

class AboutBox : public QDialog {
    Q_OBJECT

  public:
    // Reads the version of `programFile` (the running program by default).
    explicit AboutBox(QWidget* owner,
                      const QString& programFile = QCoreApplication::applicationFilePath());

    // Shows the icon beside the title.
    void setIcon(const QIcon& icon);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void useEnglishFonts();
    void onLinkClicked();

    QLabel* iconLabel_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    QLabel* copyrightLabel_ = nullptr;
    QLabel* authorLabel_ = nullptr;
    QLabel* linkLabel_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace kestrix
