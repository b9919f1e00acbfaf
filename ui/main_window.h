#pragma once

// MainWindow (objectName "Form1"), the program's one main window: only the
// frame around the two pages. It owns the tabs with the duct page and the
// air-terminal page, the copyright strip, the window menu with stay-on-top,
// the saved settings and the opening of the dialogs; the pages own their
// controls and handlers, and share the sizing session the window holds.
//
// Where the code lives:
//   main_window.cpp        construction, resize rules, stay-on-top,
//                          activation, message boxes and the handler guard
//   main_window_layout.cpp the frame's controls and its layout
//   startup.cpp            start-up (language, settings, configuration
//                          files) and the closing sequence
//   dialog_openers.cpp     the style editor, about box and duct-system window
//   duct_page*.cpp, terminal_page*.cpp   the pages
//   sizing_session.*       the state the pages share

#include "config/language.h"
#include "engine/expression_evaluator.h"
#include "ui/page_host.h"
#include "ui/sizing_session.h"
#include "ui/style_editor_host.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class PageControl;

namespace kestrix {
class DuctPage;
class Settings;
class TerminalPage;
} // namespace kestrix

// The kinds of box the window shows.
enum class MessageKind {
    Error,         // the program's own errors: one OK button, no icon
    LibraryError,  // a library function failed inside the evaluator
    StandardError, // an error that escaped a handler: stop icon, OK
};

struct MessageRequest {
    MessageKind kind = MessageKind::Error;
    QString caption;
    QString text;
};

// What the window takes from its surroundings. The defaults are the real
// program's; tests replace them.
struct MainWindowOptions {
    // The command-line parameters, without the program itself.
    QStringList arguments;
    // Directory of the configuration files; empty: the executable's directory.
    QString configDirectory;
    // The settings store: the factory when given, else an INI file at
    // settingsFile when given, else the program's own (registry or INI file).
    std::function<std::unique_ptr<kestrix::Settings>()> settingsFactory;
    QString settingsFile;
    // Stands in for "the system locale is Japanese" in the language rule.
    std::optional<bool> systemJapanese;
    // Shows a message box; empty: a real, modal QMessageBox.
    std::function<void(const MessageRequest&)> showMessage;
    // Ends the process; empty: std::exit. When it returns (tests), the window
    // stops what it was doing and stays inert.
    std::function<void(int status)> exitProcess;
};

class MainWindow : public QWidget,
                   public kestrix::EvaluatorMessages,
                   public kestrix::StyleEditorHost,
                   public kestrix::PageHost {
    Q_OBJECT

  public:
    explicit MainWindow(MainWindowOptions options = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    kestrix::SizingSession& session() { return *session_; }
    // False once a fatal condition has ended the run (tests keep the window).
    bool isRunning() const { return running_; }

    // The duct page shown, focus and selection in its flow field.
    void activate();
    // Called by whoever opened one of the program's dialogs, once it has closed.
    void dialogClosed();
    // The rules that follow a change of the window's size.
    void followSize();

    // The design font ("ＭＳ Ｐゴシック" 12 px or the nearest Japanese
    // proportional Gothic) and the English interface font (8 pt).
    static QFont designFont();
    static QFont englishFont();

    // --- Page host ------------------------------------------------------------------
    void runGuarded(const std::function<void()>& handler) override;
    void showErrorMessage(const QString& text) override;
    bool isCurrentPage(const QWidget* page) const override;
    void popUpWindowMenu(const QPoint& globalPosition) override;
    void editStyles(bool terminal) override;

    // --- Host of the dialogs (dialog_openers.cpp) -------------------------------------
    QString configDirectory() const override { return configDirectory_; }
    // The mode of the style editor: false duct styles, true air-terminal styles.
    bool editingTerminalStyles() const override { return editingTerminalStyles_; }
    void setEditingTerminalStyles(bool terminal) override { editingTerminalStyles_ = terminal; }
    const kestrix::MaterialTable& materialTable() const override { return session_->materials; }
    kestrix::DuctStyleTable& ductStyleTable() override { return session_->ductStyles; }
    kestrix::TerminalStyleTable& terminalStyleTable() override { return session_->terminalStyles; }
    QComboBox* ductStyleList() override;
    QComboBox* terminalStyleList() override;
    void DuctStyleCBChange() override;
    void KiguStyleCBChange() override;
    void showProgramMessage(const QString& caption, const QString& text) override;
    QWidget* hostWindow() override { return this; }

    void LibraryError(const std::string& text) override;

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // main_window_layout.cpp
    void buildFrame();
    void addPages();
    void layoutWindow();

    // main_window.cpp
    void connectFrame();
    void showMessage(const MessageRequest& request);
    // A fatal condition: the message, then the end of the process (status 1)
    // without writing the settings.
    void fatal(const QString& text);
    void exitProcess(int status);
    void toggleStayOnTop();
    void setStayOnTop(bool onTop);
    void clampOntoScreen(int& left, int& top, int& width, int& height) const;

    // startup.cpp
    kestrix::Language decideLanguage() const;
    void startUp();
    void restoreSettings();
    enum class StyleFileRead { Missing, Empty, Loaded };
    using StyleLoader = std::function<std::vector<std::string>(const std::vector<std::string>&,
                                                               kestrix::StyleNameList&)>;
    StyleFileRead readStyleFile(kestrix::StyleKind kind, QComboBox* list, int& selected,
                                const StyleLoader& load);
    bool loadDuctStyleFile();
    bool loadMaterialFile();
    bool loadTerminalStyleFile();
    void saveSettingsAndExit();

    // dialog_openers.cpp
    void openAboutBox();
    void openDuctSystem();

    MainWindowOptions options_;
    QString configDirectory_;
    std::unique_ptr<kestrix::Settings> settings_;
    std::unique_ptr<kestrix::SizingSession> session_;

    PageControl* tabs_ = nullptr;
    kestrix::DuctPage* ductPage_ = nullptr;
    kestrix::TerminalPage* terminalPage_ = nullptr;
    QWidget* bottomPanel_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QAction* stayOnTopAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* ductSystemAction_ = nullptr;

    bool editingTerminalStyles_ = false;
    bool running_ = true;
    bool activateOnNextWindowActivation_ = true;
};
