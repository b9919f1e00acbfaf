#include "ui/main_window.h"

#include "config/config_paths.h"
#include "config/settings.h"
#include "config/engine_texts.h"
#include "engine/number_text.h"
#include "ui/access_keys.h"
#include "ui/click_filter.h"
#include "ui/column_list_box.h"
#include "ui/fonts.h"
#include "ui/splitter_bar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>
#include <cstdlib>
#include <exception>

TForm1::TForm1(TForm1Options options, QWidget* parent)
    : QWidget(parent), options_(std::move(options)) {
    configDirectory_ = options_.configDirectory.isEmpty() ? kestrix::DefaultConfigDirectory()
                                                          : options_.configDirectory;
    if (options_.settingsFactory)
        settings_ = options_.settingsFactory();
    else if (!options_.settingsFile.isEmpty())
        settings_ = std::make_unique<kestrix::Settings>(options_.settingsFile);
    else
        settings_ = std::make_unique<kestrix::Settings>();

    // The design font, or at once the English one when start-up is going to
    // switch to it: the controls then take it as they are made, instead of
    // every one of them being measured and laid out again at the switch. It
    // is the program's font as well, for its menus and message boxes, and
    // so that no control is first laid out in a default font of the system
    // that the window never shows.
    const bool japanese = DecideJapanese();
    const QFont uiFont = japanese ? DesignFont() : EnglishFont();
    QApplication::setFont(uiFont);
    setFont(uiFont);
    captionLayoutDeferred_ = true;
    BuildFrame(japanese);
    BuildDuctPage();
    BuildTerminalPage();

    // Design position and size; start-up then restores the saved ones.
    move(254, 110);
    resize(291, 360);
    LayoutWindow();

    // Initial state: empty texts and tables, no style chosen yet, bold results.
    LastFlowExpression.clear();
    DuctSizeText.clear();
    for (QLineEdit* e : {Q1, E_w, E_h, E_as, E_wv, M_wv, E_dp, E_ap, E_aq, E_fai, Q3, bE_w, bE_h,
                         hsk, hsv, hsj, hsy, haq})
        e->clear();
    DuctStyleCB->setCurrentIndex(0);
    KiguStyleCB->setCurrentIndex(0);
    const QFont bold = kestrix::BoldUiFont(12);
    for (QWidget* w : std::initializer_list<QWidget*>{
             Q1,   whl, E_w,   E_h,  E_as, E_wv, E_ap, E_dp, E_aq, E_fai, M_wv,
             xxbn, Q3,  hsbox, bE_w, bE_h, hsk,  hsj,  hsv,  hsy,  haq,   xxbn2})
        w->setFont(bold);
    for (QPushButton* b : {SP1, SP2, HSCal, BP2})
        b->setEnabled(false);

    evaluator.SetMessageSink(this);
    ConnectFrame();
    KeepAccessKeysOutOf(this, {Q1, Q3, E_w, E_h, bE_w, bE_h, DuctStyleCB, KiguStyleCB});

    RunGuarded([this] { FormCreate(); });
    // Now with the captions of the language and the units.
    captionLayoutDeferred_ = false;
    LayoutDuctProperties();
    LayoutTerminalProperties();
}

TForm1::~TForm1() {
    // The controls are destroyed after this body, and they still send events
    // (focus, hide) while they go. The event filters that call back into the
    // window must not see them: remove every helper object first.
    const QList<QObject*> helpers = findChildren<QObject*>(Qt::FindDirectChildrenOnly);
    for (QObject* child : helpers)
        if (!child->isWidgetType()) delete child;
    clicks_ = nullptr;
}

void TForm1::ConnectFrame() {
    connect(topview, &QAction::triggered, this, [this] {
        // The menu has already moved the check mark; the handler moves it itself.
        topview->setChecked(!topview->isChecked());
        RunGuarded([this] { topviewClick(); });
    });
    connect(about, &QAction::triggered, this, Slot(&TForm1::aboutClick));
    connect(ductSystem, &QAction::triggered, this, Slot(&TForm1::ductSystemClick));

    // Page changes: the duct page has its enter handler; the air-terminal
    // page has none, so the focus that was on the page left goes to the page
    // itself, not into its first field as the stacked widget would put it.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        QWidget* page = PageControl1->widget(index);
        if (page == TabSheet1)
            RunGuarded([this] { TabSheet1Enter(); });
        else if (page == TabSheet3 && TabSheet3->isAncestorOf(QApplication::focusWidget()))
            TabSheet3->setFocus(Qt::OtherFocusReason);
    });

    connect(DuctStyleCB, &QComboBox::activated, this, Slot(&TForm1::DuctStyleCBChange));
    connect(KiguStyleCB, &QComboBox::activated, this, Slot(&TForm1::KiguStyleCBChange));
    connect(Q1, &QLineEdit::textChanged, this, Slot(&TForm1::Q1Change));
    connect(Q3, &QLineEdit::textChanged, this, Slot(&TForm1::Q3Change));
    // A button that cannot be pressed takes no mouse input, in Windows: a
    // right click there reaches the window, whose menu opens. Qt makes no
    // menu request at such a button; the window opens its menu on the click
    // itself, at the moment a menu request would come (on release in
    // Windows, on press elsewhere).
#ifdef Q_OS_WIN
    constexpr QEvent::Type menuClick = QEvent::MouseButtonRelease;
#else
    constexpr QEvent::Type menuClick = QEvent::MouseButtonPress;
#endif
    auto* disabledMenu = new EventHook(this, [this, menuClick](QObject* watched, QEvent* event) {
        if (event->type() != menuClick || static_cast<QWidget*>(watched)->isEnabled())
            return false;
        const auto* click = static_cast<QMouseEvent*>(event);
        if (click->button() != Qt::RightButton) return false;
        PopupMenu1->popup(click->globalPosition().toPoint());
        return true;
    });
    for (QPushButton* button : {SP1, SP2, HSCal, BP2})
        button->installEventFilter(disabledMenu);
    connect(SP1, &QPushButton::clicked, this, Slot(&TForm1::SP1Click));
    connect(SP2, &QPushButton::clicked, this, Slot(&TForm1::SP2Click));
    connect(HSCal, &QPushButton::clicked, this, Slot(&TForm1::HSCalClick));
    connect(BP2, &QPushButton::clicked, this, Slot(&TForm1::BP2Click));
    connect(Set_Button1, &QPushButton::clicked, this, Slot(&TForm1::Set_Button1Click));
    connect(Set_Button2, &QPushButton::clicked, this, Slot(&TForm1::Set_Button2Click));

    for (QWidget* w : std::initializer_list<QWidget*>{Q1, Q3, TabSheet1, TabSheet3})
        w->installEventFilter(this);

    d_spli->canResize = [this](int& newSize, bool& accept) { d_spliCanResize(newSize, accept); };
    h_spli->canResize = [this](int& newSize, bool& accept) { d_spliCanResize(newSize, accept); };
    d_spli->maximumSize = [this] { return PropertyBoxLimit(TabSheet1, d_pro); };
    h_spli->maximumSize = [this] { return PropertyBoxLimit(TabSheet3, h_pro); };
    d_spli->applySize = [this](int size) {
        d_pro->resize(d_pro->width(), size);
        LayoutDuctPage();
    };
    h_spli->applySize = [this](int size) {
        h_pro->resize(h_pro->width(), size);
        LayoutTerminalPage();
    };
    connect(d_spli, &SplitterBar::moved, this, Slot(&TForm1::d_spliMoved));
    connect(h_spli, &SplitterBar::moved, this, Slot(&TForm1::h_spliMoved));

    clicks_ = new ClickFilter(this);
    ConnectDuctPage();
    ConnectTerminalPage();
}

// --- Resize rules -------------------------------------------------------------

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutWindow();
    RunGuarded([this] { FormResize(); });
}

void TForm1::FormResize() {
    RBT2->move(RBT2->x(), d_pro->y());
    bRB2->move(bRB2->x(), h_pro->y());

    // One column more or less per resize event; the gap between 65 and 70
    // keeps the count from flickering. Never fewer than one column.
    const int c = std::max(1, whl->columns());
    const int w = whl->width();
    if (w / c < 65) {
        whl->setColumns(std::max(1, c - 1));
        hsbox->setColumns(std::max(1, hsbox->columns() - 1));
    } else if (w / (c + 1) > 70) {
        whl->setColumns(c + 1);
        hsbox->setColumns(hsbox->columns() + 1);
    }
}

// --- Stay on top ----------------------------------------------------------------

void TForm1::topviewClick() {
    SetStayOnTop(!topview->isChecked());
    topview->setChecked(!topview->isChecked());
}

void TForm1::SetStayOnTop(bool onTop) {
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

void TForm1::FormActivate() {
    PageControl1->setCurrentWidget(TabSheet1);
    Q1->selectAll();
    Q1->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm1::DialogClosed() {
    if (isActiveWindow())
        RunGuarded([this] { FormActivate(); });
    else
        activateOnNextWindowActivation_ = true;
}

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && activateOnNextWindowActivation_) {
        // At start and after one of the program's own dialogs; switching back
        // from another program does not count.
        activateOnNextWindowActivation_ = false;
        const bool handled = QWidget::event(event);
        RunGuarded([this] { FormActivate(); });
        return handled;
    }
    return QWidget::event(event);
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) {
    PopupMenu1->popup(event->globalPos());
    event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Q1 || watched == Q3) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                RunGuarded([this, watched] { watched == Q1 ? Q1KeyPress() : Q3KeyPress(); });
                return true; // the field never sees Enter
            }
        } else if (event->type() == QEvent::MouseButtonPress &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            // A click is the left button's: a right click opens the field's
            // menu (to copy the value) without bringing the expression back.
            RunGuarded([this, watched] { watched == Q1 ? Q1Click() : Q3Click(); });
        }
    } else if (event->type() == QEvent::Resize) {
        // Qt may size the pages again once the window is shown.
        if (watched == TabSheet1)
            LayoutDuctPage();
        else if (watched == TabSheet3)
            LayoutTerminalPage();
    }
    return QWidget::eventFilter(watched, event);
}

// --- Closing ---------------------------------------------------------------------

void TForm1::closeEvent(QCloseEvent* event) {
    // FormClose: the closing sequence ends the process.
    if (running_) RunGuarded([this] { End_btnClick(); });
    QWidget::closeEvent(event);
}

void TForm1::ExitProcess(int status) {
    running_ = false;
    if (options_.exitProcess) {
        options_.exitProcess(status);
        return;
    }
    std::exit(status);
}

// --- Messages ----------------------------------------------------------------------

void TForm1::ShowMessage(const MessageRequest& request) {
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

void TForm1::ShowErrorMessage(const QString& text) {
    ShowMessage({MessageKind::Error, QString::fromUtf8(kestrix::ErrorCaption()), text});
}

void TForm1::Fatal(const QString& text) {
    ShowErrorMessage(text);
    ExitProcess(1);
}

void TForm1::LibraryError(const std::string& text) {
    // Captioned with the program's file name, as the library's own box is.
    ShowMessage({MessageKind::LibraryError,
                 QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                 QString::fromUtf8(text)});
}

void TForm1::RunGuarded(const std::function<void()>& handler) {
    if (!running_) return;
    try {
        handler();
    } catch (const kestrix::EvaluationError& error) {
        // A full variable table among them: the action is abandoned, and the
        // variables already defined, the settings and the session carry on.
        ShowMessage({MessageKind::StandardError, QStringLiteral("Kestrix for Windows"),
                     QString::fromUtf8(kestrix::EvaluationErrorText(error.kind()))});
    } catch (const std::exception& error) {
        ShowMessage({MessageKind::StandardError, QStringLiteral("Kestrix for Windows"),
                     QString::fromUtf8(error.what())});
    }
}

// --- Field looks -------------------------------------------------------------------

bool TForm1::Plain(const QLineEdit* field) {
    return kestrix::IsPlainNumber(field->text().toStdString());
}

void TForm1::SetFieldReadOnly(QLineEdit* field, bool readOnly) {
    field->setReadOnly(readOnly);
    QPalette pal = field->palette();
    const QPalette standard = QApplication::palette(field);
    pal.setColor(QPalette::Base,
                 readOnly ? standard.color(QPalette::Button) : standard.color(QPalette::Base));
    field->setPalette(pal);
}
