#include "ui/main_window.h"

#include "config/config_paths.h"
#include "config/engine_texts.h"
#include "config/settings.h"
#include "engine/messages.h"
#include "ui/duct_page.h"
#include "ui/fonts.h"
#include "ui/page_frames.h"
#include "ui/terminal_page.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QResizeEvent>

#include <cstdlib>
#include <exception>

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QWidget(parent), options_(std::move(options)) {
    configDirectory_ = options_.configDirectory.isEmpty() ? kestrix::DefaultConfigDirectory()
                                                          : options_.configDirectory;
    if (options_.settingsFactory)
        settings_ = options_.settingsFactory();
    else if (!options_.settingsFile.isEmpty())
        settings_ = std::make_unique<kestrix::Settings>(options_.settingsFile);
    else
        settings_ = std::make_unique<kestrix::Settings>();

    // The language of the run, decided once: every text made from here on is
    // in it.
    const kestrix::Language language = decideLanguage();
    kestrix::UseLanguage(language);
    session_ = std::make_unique<kestrix::SizingSession>(language);

    // The design font, or at once the English one: the controls take it as
    // they are made, instead of every one of them being measured and laid
    // out again at a switch. It is the program's font as well, for its menus
    // and message boxes, and so that no control is first laid out in a
    // default font of the system that the window never shows.
    const QFont uiFont = language == kestrix::Language::Japanese ? designFont() : englishFont();
    QApplication::setFont(uiFont);
    setFont(uiFont);
    buildFrame();
    addPages();

    // Design position and size; start-up then restores the saved ones.
    move(254, 110);
    resize(291, 360);
    layoutWindow();

    session_->evaluator().SetMessageSink(this);
    connectFrame();
    runGuarded([this] { startUp(); });
    // Now with the captions of the language and the units.
    ductPage_->setCaptionLayoutDeferred(false);
    terminalPage_->setCaptionLayoutDeferred(false);
}

MainWindow::~MainWindow() {
    // The pages go first, while the window they call back into is whole; the
    // tab control's page changes on the way mean nothing any more.
    disconnect(tabs_, nullptr, this, nullptr);
    delete ductPage_;
    delete terminalPage_;
    ductPage_ = nullptr;
    terminalPage_ = nullptr;
    const QList<QObject*> helpers = findChildren<QObject*>(Qt::FindDirectChildrenOnly);
    for (QObject* child : helpers)
        if (!child->isWidgetType()) delete child;
}

QFont MainWindow::designFont() {
    return kestrix::JapaneseUiFont(12);
}

QFont MainWindow::englishFont() {
    return kestrix::EnglishUiFont(8);
}

void MainWindow::connectFrame() {
    connect(stayOnTopAction_, &QAction::triggered, this, [this] {
        // The menu has already moved the check mark; the handler moves it itself.
        stayOnTopAction_->setChecked(!stayOnTopAction_->isChecked());
        runGuarded([this] { toggleStayOnTop(); });
    });
    connect(aboutAction_, &QAction::triggered, this,
            [this] { runGuarded([this] { openAboutBox(); }); });
    connect(ductSystemAction_, &QAction::triggered, this,
            [this] { runGuarded([this] { openDuctSystem(); }); });

    // Page changes: the duct page takes the focus into its flow field; the
    // air-terminal page has no such rule, so the focus that was on the page
    // left goes to the page itself, not into its first field as the stacked
    // widget would put it.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        QWidget* page = tabs_->widget(index);
        if (page == ductPage_)
            runGuarded([this] { ductPage_->focusFlow(false); });
        else if (page == terminalPage_ && terminalPage_->isAncestorOf(QApplication::focusWidget()))
            terminalPage_->setFocus(Qt::OtherFocusReason);
    });
}

bool MainWindow::isCurrentPage(const QWidget* page) const {
    return tabs_->currentWidget() == page;
}

void MainWindow::popUpWindowMenu(const QPoint& globalPosition) {
    windowMenu_->popup(globalPosition);
}

// --- Resize rules -------------------------------------------------------------

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutWindow();
    runGuarded([this] { followSize(); });
}

void MainWindow::followSize() {
    ductPage_->followPropertyBox();
    terminalPage_->followPropertyBox();
    // The air-terminal list follows the duct list's column count.
    terminalPage_->stepColumns(ductPage_->stepColumns());
}

// --- Stay on top ----------------------------------------------------------------

void MainWindow::toggleStayOnTop() {
    setStayOnTop(!stayOnTopAction_->isChecked());
    stayOnTopAction_->setChecked(!stayOnTopAction_->isChecked());
}

void MainWindow::setStayOnTop(bool onTop) {
    if (testAttribute(Qt::WA_WState_Created) &&
        windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Changing the flags recreates the window and hides it: keep where it was.
    const QPoint position = pos();
    const QSize size = this->size();
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    move(position);
    resize(size);
    if (wasVisible) show();
}

// --- Activation ----------------------------------------------------------------

void MainWindow::activate() {
    tabs_->setCurrentWidget(ductPage_);
    ductPage_->focusFlow(true);
}

void MainWindow::dialogClosed() {
    if (isActiveWindow())
        runGuarded([this] { activate(); });
    else
        activateOnNextWindowActivation_ = true;
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && activateOnNextWindowActivation_) {
        // At start and after one of the program's own dialogs; switching back
        // from another program does not count.
        activateOnNextWindowActivation_ = false;
        const bool handled = QWidget::event(event);
        runGuarded([this] { activate(); });
        return handled;
    }
    return QWidget::event(event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    windowMenu_->popup(event->globalPos());
    event->accept();
}

// --- Closing ---------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
    // The closing sequence ends the process.
    if (running_) runGuarded([this] { saveSettingsAndExit(); });
    QWidget::closeEvent(event);
}

void MainWindow::exitProcess(int status) {
    running_ = false;
    if (options_.exitProcess) {
        options_.exitProcess(status);
        return;
    }
    std::exit(status);
}

// --- Messages ----------------------------------------------------------------------

void MainWindow::showMessage(const MessageRequest& request) {
    if (options_.showMessage) {
        options_.showMessage(request);
        return;
    }
    QMessageBox box(request.kind == MessageKind::StandardError ? QMessageBox::Critical
                                                               : QMessageBox::NoIcon,
                    request.caption, request.text, QMessageBox::Ok, this);
    // A message may quote what the user typed: shown as written, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void MainWindow::showErrorMessage(const QString& text) {
    showMessage({MessageKind::Error, QString::fromUtf8(kestrix::ErrorCaption()), text});
}

void MainWindow::showProgramMessage(const QString& caption, const QString& text) {
    showMessage({MessageKind::Error, caption, text});
}

void MainWindow::fatal(const QString& text) {
    showErrorMessage(text);
    exitProcess(1);
}

void MainWindow::LibraryError(const std::string& text) {
    // Captioned with the program's file name, as the library's own box is.
    showMessage({MessageKind::LibraryError,
                 QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                 QString::fromUtf8(text)});
}

void MainWindow::runGuarded(const std::function<void()>& handler) {
    if (!running_) return;
    try {
        handler();
    } catch (const kestrix::EvaluationError& error) {
        // A full variable table among them: the action is abandoned, and the
        // variables already defined, the settings and the session carry on.
        showMessage({MessageKind::StandardError, QStringLiteral("Kestrix for Windows"),
                     QString::fromUtf8(kestrix::EvaluationErrorText(error.kind()))});
    } catch (const std::exception& error) {
        showMessage({MessageKind::StandardError, QStringLiteral("Kestrix for Windows"),
                     QString::fromUtf8(error.what())});
    }
}
