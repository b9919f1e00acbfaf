// The controls of the frame and of both pages, at their design positions. The
// window is laid out by hand, as on the original form: fixed positions at the
// design size, and explicit rules for what follows the window's size.

#include "ui/click_filter.h"
#include "ui/column_list_box.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/page_frames.h"
#include "ui/splitter_bar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>
#include <initializer_list>

namespace {

// Design sizes.
constexpr int kBottomHeight = 16;
constexpr int kPanelHeight = 59;
constexpr int kSplitterHeight = 5;
constexpr int kDesignPanelWidth = 275;   // width of Panel1 at the design size
const QColor kDuctAccent(0, 128, 0);     // green
const QColor kTerminalAccent(128, 0, 0); // maroon

// Enter presses the button that has the focus, as Space does: a keyboard
// user who reached a button by Tab or by its access key expects either.
class PressOnEnter : public QObject {
  public:
    explicit PressOnEnter(QAbstractButton* button) : QObject(button), button_(button) {
        button->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == button_ && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                key->modifiers() == Qt::NoModifier) {
                if (button_->isEnabled()) button_->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QAbstractButton* button_;
};

template <typename W> W* Make(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& r,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = Make<QLabel>(parent, name);
    // Names from the configuration files reach the condition lines: a label
    // shows them as written, never as markup.
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    l->setAlignment(align);
    l->setGeometry(r);
    return l;
}

// The seven (five) result fields: borderless, read-only, bold, button-face colour.
QLineEdit* MakePropertyField(QWidget* parent, const char* name, const QRect& r) {
    auto* e = Make<QLineEdit>(parent, name);
    e->setFrame(false);
    e->setTextMargins(0, 0, 0, 0);
    e->setContentsMargins(0, 0, 0, 0);
    TForm1::SetFieldReadOnly(e, true);
    e->setGeometry(r);
    // A result wider than its fixed field shows from its first character, as
    // a text written into a Windows edit field does; Qt would scroll to its
    // end and show a misleading tail, "07.14" of 207.14. Every write moves the
    // cursor to the end, a write of the same text too, without a change
    // signal; a field the user is in keeps the cursor where the user puts it.
    QObject::connect(e, &QLineEdit::cursorPositionChanged, e, [e] {
        if (!e->hasFocus() && e->cursorPosition() != 0) e->setCursorPosition(0);
    });
    return e;
}

QLineEdit* MakeSizeField(QWidget* parent, const char* name, const QRect& r) {
    auto* e = Make<QLineEdit>(parent, name);
    TForm1::SetFieldReadOnly(e, true);
    e->setGeometry(r);
    return e;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, const QRect& r) {
    auto* b = Make<QPushButton>(parent, name);
    b->setText(text);
    b->setAutoDefault(false);
    b->setGeometry(r);
    new PressOnEnter(b);
    return b;
}

// The small shape button between the size fields: a tab stop only in the
// mode where pressing it does something.
QToolButton* MakeShapeButton(QWidget* parent, const char* name, QRadioButton* detailMode) {
    auto* b = Make<QToolButton>(parent, name);
    b->setText(QStringLiteral("x"));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(120, 16, 17, 20);
    new PressOnEnter(b);
    QObject::connect(detailMode, &QAbstractButton::toggled, b,
                     [b](bool on) { b->setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus); });
    return b;
}

// Tab enters a page's pair of mode buttons at the one that is checked; the
// arrow keys then switch the mode. (Qt itself keeps the Tab stop on the one
// that had the focus last.) Any arrow key moves the focus to the other button
// and chooses it, as the arrow keys go round a group of option buttons in
// Windows; the mode's click handler then moves the focus on, into the flow
// field, where its steps say so. Qt's own arrow handling would click the
// button and then take the focus back to it.
void TabToCheckedMode(QRadioButton* list, QRadioButton* detail) {
    for (QRadioButton* r : {list, detail}) {
        r->setFocusPolicy(r->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        QObject::connect(r, &QAbstractButton::toggled, r, [r](bool on) {
            r->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
        });
    }
    auto* arrows = new EventHook(list, [list, detail](QObject* watched, QEvent* event) {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))
            return false;
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            break;
        default:
            return false;
        }
        QRadioButton* other = watched == list ? detail : list;
        if (other->isChecked() || !other->isEnabled()) return false;
        other->setFocus(Qt::TabFocusReason);
        other->click();
        return true;
    });
    list->installEventFilter(arrows);
    detail->installEventFilter(arrows);
}

// A box whose frame line runs a few pixels below its top edge, where the
// page's mode radio button lies on it.
QGroupBox* MakeBox(QWidget* parent, const char* name) {
    QGroupBox* g = Make<PageBox>(parent, name);
    g->setTitle(QStringLiteral(" "));
    return g;
}

// The list of styles in a page's top panel.
QComboBox* MakeStyleList(QWidget* panel, const char* name) {
    auto* list = Make<QComboBox>(panel, name);
    list->setEditable(false);
    // Has no menu of its own: a right-click or the Menu key reaches the window's.
    list->setContextMenuPolicy(Qt::NoContextMenu);
    list->setGeometry(70, 37, kDesignPanelWidth - 74, 21);
    return list;
}

// A page's list of candidates, four columns at the design size.
ColumnListBox* MakeCandidateList(QWidget* box, const char* name) {
    auto* list = Make<ColumnListBox>(box, name);
    // Not a tab stop, but it takes the focus when clicked or given it.
    list->setFocusPolicy(Qt::ClickFocus);
    list->setColumns(4);
    return list;
}

SplitterBar* MakeSplitter(QWidget* page, const char* name, const QColor& accent) {
    auto* bar = new SplitterBar(accent, page);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setMinSize(1);
    return bar;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& text) {
    auto* r = Make<QRadioButton>(parent, name);
    r->setText(text);
    // Covers the frame line of the box it lies on. Its width follows its
    // caption once the language is known.
    r->setAutoFillBackground(true);
    r->resize(0, 17);
    return r;
}

QFrame* MakeLine(QWidget* parent, const char* name, const QColor& colour, const QRect& r) {
    auto* f = Make<QFrame>(parent, name);
    f->setFrameShape(QFrame::NoFrame);
    f->setAutoFillBackground(true);
    QPalette pal = f->palette();
    pal.setColor(QPalette::Window, colour);
    f->setPalette(pal);
    f->setGeometry(r);
    return f;
}

// Rows of the property boxes.
constexpr int kRow1 = 16, kRow2 = 40, kRow3 = 55, kRow4 = 71, kRow5 = 87;
constexpr int kFieldHeight = 12;
// Left-hand pairs: label right-aligned up to x 104, field from 106.
const QRect kLeftLabel(0, 0, 104, kFieldHeight);
constexpr int kLeftField = 106, kLeftFieldWidth = 34;
// Right-hand pairs, by their distance from the right edge of the box.
constexpr int kRightFieldFromRight = 40, kRightFieldWidth = 36;
constexpr int kRightLabelWidth = 106;
constexpr int kLongRightLabelWidth = 180; // the one caption alone on its row

struct LeftPair {
    QLabel* label;
    QLineEdit* field;
};
struct RightPair {
    QLabel* label;
    QLineEdit* field;
    int designWidth;
};

// The caption and field pairs of a property box of the given width. A caption
// wider than its design room (an English one, in a font wider than the design
// font) moves the left-hand fields right, clear of the box's frame, and lets a
// right-hand caption reach further left, so that none is cut. The design
// captions fit and keep the design layout.
void LayoutPropertyPairs(int boxWidth, int designLeftField, std::initializer_list<LeftPair> left,
                         std::initializer_list<RightPair> right) {
    int leftText = 0;
    for (const LeftPair& p : left)
        leftText = std::max(leftText, p.label->fontMetrics().horizontalAdvance(p.label->text()));
    const int leftField = std::max(designLeftField, leftText + 4);
    for (const LeftPair& p : left) {
        p.label->setGeometry(0, p.label->y(), leftField - 2, p.label->height());
        p.field->move(leftField, p.field->y());
    }
    const int fieldLeft = boxWidth - kRightFieldFromRight;
    for (const RightPair& p : right) {
        const int width =
            std::max(p.designWidth, p.label->fontMetrics().horizontalAdvance(p.label->text()) + 2);
        p.label->setGeometry(fieldLeft - 1 - width, p.label->y(), width, p.label->height());
        p.label->raise();
        p.field->move(fieldLeft, p.field->y());
    }
    // A right-hand caption's rectangle may reach over the end of a left-hand
    // field (its text, aligned right, does not): the field stays on top, so a
    // click on it is the field's and copies its own value.
    for (const LeftPair& p : left)
        p.field->raise();
}

} // namespace

void TForm1::BuildFrame(bool japanese) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kestrix ver.1.55"));
    setMinimumSize(290, 265);

    auto* tabs = new PageControl(this);
    tabs->setObjectName(QStringLiteral("PageControl1"));
    tabs->setFocusPolicy(Qt::NoFocus);
    PageControl1 = tabs;
    TabSheet1 = Make<QWidget>(nullptr, "TabSheet1");
    TabSheet3 = Make<QWidget>(nullptr, "TabSheet3");
    PageControl1->addTab(TabSheet1, DuctTabCaption(japanese));
    PageControl1->addTab(TabSheet3, TerminalTabCaption(japanese));
    PageControl1->setCurrentWidget(TabSheet1);

    BottomPanel = Make<QWidget>(this, "BottomPanel");
    const QString copyright = QStringLiteral("Copyright (C) Norvale Engineering");
    // Fully hinted like the captions: the line has room for the pixel per
    // glyph that hinting adds to a synthetic bold, and the two copies that
    // make the engraving then fall on whole pixels.
    const QFont engraved = kestrix::BoldUiFont(11, QFont::PreferFullHinting);
    air_b = MakeLabel(BottomPanel, "air_b", copyright, QRect(8, 3, 280, 13));
    air_f = MakeLabel(BottomPanel, "air_f", copyright, QRect(9, 4, 280, 13));
    for (QLabel* l : {air_b, air_f}) {
        l->setFont(engraved);
        l->setAttribute(Qt::WA_TranslucentBackground);
        l->setAutoFillBackground(false);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setContentsMargins(0, 0, 0, 0);
    }
    QPalette pb = air_b->palette();
    pb.setColor(QPalette::WindowText, palette().color(QPalette::Light));
    air_b->setPalette(pb);
    QPalette pf = air_f->palette();
    pf.setColor(QPalette::WindowText, palette().color(QPalette::Dark));
    air_f->setPalette(pf);

    PopupMenu1 = Make<QMenu>(this, "PopupMenu1");
    topview = PopupMenu1->addAction(QStringLiteral("最上部に表示(&T)"));
    topview->setObjectName(QStringLiteral("topview"));
    topview->setCheckable(true);
    about = PopupMenu1->addAction(QStringLiteral("バージョン情報(&A)"));
    about->setObjectName(QStringLiteral("about"));
    ductSystem = new QAction(QStringLiteral("ダクト系統(&S)…"), this);
    ductSystem->setObjectName(QStringLiteral("ductSystem"));
    PopupMenu1->insertAction(about, ductSystem);

    // Windows turns the Menu key and Shift+F10 into a context-menu request
    // for the focused control; edit fields answer with their own menu, other
    // controls pass it on to the window's. Elsewhere Shift+F10 does the same
    // here, and the Menu key is left to the platform.
    if (QGuiApplication::platformName() != QLatin1String("windows")) {
        auto* shiftF10 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
        QObject::connect(shiftF10, &QShortcut::activated, this, [this] {
            QWidget* target = QApplication::focusWidget();
            if (!target || target->window() != this) target = this;
            const QPoint pos = target->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
            QContextMenuEvent request(QContextMenuEvent::Keyboard, pos, target->mapToGlobal(pos));
            QApplication::sendEvent(target, &request);
        });
    }
}

void TForm1::BuildDuctPage() {
    QWidget* page = TabSheet1;
    const int W = kDesignPanelWidth;

    Panel1 = Make<QFrame>(page, "Panel1");
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setGeometry(0, 0, W, kPanelHeight);
    Label1 = MakeLabel(Panel1, "Label1", QStringLiteral("風量(&F) [CMH]："), QRect(4, 0, 84, 20));
    Q1 = Make<QLineEdit>(Panel1, "Q1");
    Q1->setGeometry(88, 0, W - 148, 20);
    Label1->setBuddy(Q1);
    SP1 = MakeButton(Panel1, "SP1", QStringLiteral("計算(&C)"), QRect(W - 57, 0, 52, 21));
    Shape1 = MakeLine(Panel1, "Shape1", kDuctAccent, QRect(5, 21, W - 10, 2));
    Select = MakeLabel(Panel1, "Select", QString(), QRect(5, 24, W - 10, 13));
    Set_Button1 =
        MakeButton(Panel1, "Set_Button1", QStringLiteral("変更(&R)"), QRect(4, 37, 64, 21));
    DuctStyleCB = MakeStyleList(Panel1, "DuctStyleCB");

    GroupBox3 = MakeBox(page, "GroupBox3");
    Blank1 = Make<QWidget>(GroupBox3, "Blank1");
    whl = MakeCandidateList(GroupBox3, "whl");
    RBT1 = MakeRadio(page, "RBT1", QStringLiteral("ダクトサイズ[mm]"));
    RBT1->setChecked(true);

    d_spli = MakeSplitter(page, "d_spli", kDuctAccent);
    d_pro = MakeBox(page, "d_pro");
    d_pro->resize(W, 105);
    d_spli->setTarget(d_pro);
    RBT2 = MakeRadio(page, "RBT2", QStringLiteral("選択ダクト情報（静圧チェック）"));
    TabToCheckedMode(RBT1, RBT2);

    Label7 = MakeLabel(d_pro, "Label7", QStringLiteral("サイズ[mm]："), QRect(4, 20, 70, 13));
    Label7->setToolTip(QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸするとW・Hが入れ替わります"));
    E_w = MakeSizeField(d_pro, "E_w", QRect(75, 16, 44, 20));
    xxbn = MakeShapeButton(d_pro, "xxbn", RBT2);
    E_h = MakeSizeField(d_pro, "E_h", QRect(138, 16, 44, 20));
    SP2 = MakeButton(d_pro, "SP2", QStringLiteral("再計算(&R)"), QRect(W - 63, kRow1, 58, 22));

    auto leftPair = [&](const char* label, const QString& text, QLabel*& l, const char* field,
                        QLineEdit*& e, int top) {
        l = MakeLabel(d_pro, label, text, kLeftLabel.translated(0, top),
                      Qt::AlignRight | Qt::AlignVCenter);
        e = MakePropertyField(d_pro, field, QRect(kLeftField, top, kLeftFieldWidth, kFieldHeight));
    };
    auto rightPair = [&](const char* label, const QString& text, QLabel*& l, const char* field,
                         QLineEdit*& e, int top, int labelWidth) {
        const int fieldLeft = W - kRightFieldFromRight;
        l = MakeLabel(d_pro, label, text,
                      QRect(fieldLeft - 1 - labelWidth, top, labelWidth, kFieldHeight),
                      Qt::AlignRight | Qt::AlignVCenter);
        e = MakePropertyField(d_pro, field, QRect(fieldLeft, top, kRightFieldWidth, kFieldHeight));
    };
    leftPair("Label9", QStringLiteral("ｱｽﾍﾟｸﾄ比："), Label9, "E_as", E_as, kRow2);
    rightPair("Label10", QStringLiteral("風速[m/s]："), Label10, "E_wv", E_wv, kRow2,
              kRightLabelWidth);
    leftPair("Label11", QStringLiteral("動圧[kgf/㎡]："), Label11, "E_ap", E_ap, kRow3);
    rightPair("Label12", QStringLiteral("Δp[mmAq/m]："), Label12, "E_dp", E_dp, kRow3,
              kRightLabelWidth);
    leftPair("Label2", QStringLiteral("基準風量[CMH]："), Label2, "E_aq", E_aq, kRow4);
    rightPair("Label5", QStringLiteral("相当直径[mm]："), Label5, "E_fai", E_fai, kRow4,
              kRightLabelWidth);
    rightPair("Label6", QStringLiteral("丸ﾀﾞｸﾄ換算時風速[m/s]："), Label6, "M_wv", M_wv, kRow5,
              kLongRightLabelWidth);
}

void TForm1::BuildTerminalPage() {
    QWidget* page = TabSheet3;
    const int W = kDesignPanelWidth;

    Panel5 = Make<QFrame>(page, "Panel5");
    Panel5->setFrameShape(QFrame::NoFrame);
    Panel5->setGeometry(0, 0, W, kPanelHeight);
    Label4 = MakeLabel(Panel5, "Label4", QStringLiteral("風量(&F) [CMH]："), QRect(4, 0, 84, 20));
    Q3 = Make<QLineEdit>(Panel5, "Q3");
    Q3->setGeometry(88, 0, W - 148, 20);
    Label4->setBuddy(Q3);
    HSCal = MakeButton(Panel5, "HSCal", QStringLiteral("計算(&L)"), QRect(W - 57, 0, 52, 21));
    Shape2 = MakeLine(Panel5, "Shape2", kTerminalAccent, QRect(5, 21, W - 10, 2));
    Select2 = MakeLabel(Panel5, "Select2", QString(), QRect(5, 24, W - 10, 13));
    Set_Button2 =
        MakeButton(Panel5, "Set_Button2", QStringLiteral("変更(&R)"), QRect(4, 37, 64, 21));
    KiguStyleCB = MakeStyleList(Panel5, "KiguStyleCB");

    GroupBox9 = MakeBox(page, "GroupBox9");
    Blank2 = Make<QWidget>(GroupBox9, "Blank2");
    hsbox = MakeCandidateList(GroupBox9, "hsbox");
    bRB1 = MakeRadio(page, "bRB1", QStringLiteral("吹出・吸込口サイズ[mm]"));
    bRB1->setChecked(true);

    h_spli = MakeSplitter(page, "h_spli", kTerminalAccent);
    h_pro = MakeBox(page, "h_pro");
    h_pro->resize(W, 105);
    h_spli->setTarget(h_pro);
    bRB2 = MakeRadio(page, "bRB2", QStringLiteral("詳細情報（チェック）"));
    TabToCheckedMode(bRB1, bRB2);

    Label15 = MakeLabel(h_pro, "Label15", QStringLiteral("サイズ[mm]："), QRect(4, 20, 70, 13));
    Label15->setToolTip(QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸするとW・Hが入れ替わります"));
    bE_w = MakeSizeField(h_pro, "bE_w", QRect(75, 16, 44, 20));
    xxbn2 = MakeShapeButton(h_pro, "xxbn2", bRB2);
    bE_h = MakeSizeField(h_pro, "bE_h", QRect(138, 16, 44, 20));
    BP2 = MakeButton(h_pro, "BP2", QStringLiteral("再計算"), QRect(W - 63, kRow1, 58, 22));

    auto leftPair = [&](const char* label, const QString& text, QLabel*& l, const char* field,
                        QLineEdit*& e, int top) {
        // Four pixels further right than on the duct page: the longest
        // English caption here ("Surface Velocity[m/s]:") is on the left.
        l = MakeLabel(h_pro, label, text, kLeftLabel.adjusted(0, top, 4, top),
                      Qt::AlignRight | Qt::AlignVCenter);
        e = MakePropertyField(h_pro, field,
                              QRect(kLeftField + 4, top, kLeftFieldWidth, kFieldHeight));
    };
    auto rightPair = [&](const char* label, const QString& text, QLabel*& l, const char* field,
                         QLineEdit*& e, int top) {
        const int fieldLeft = W - kRightFieldFromRight;
        l = MakeLabel(
            h_pro, label, text,
            QRect(fieldLeft - 1 - (kRightLabelWidth - 6), top, kRightLabelWidth - 6, kFieldHeight),
            Qt::AlignRight | Qt::AlignVCenter);
        e = MakePropertyField(h_pro, field, QRect(fieldLeft, top, kRightFieldWidth, kFieldHeight));
    };
    leftPair("Label18", QStringLiteral("開口率[%]："), Label18, "hsk", hsk, kRow2);
    rightPair("l_hm", QStringLiteral("必要[㎡]："), l_hm, "hsj", hsj, kRow2);
    leftPair("Label25", QStringLiteral("面風速[m/s]："), Label25, "hsv", hsv, kRow3);
    rightPair("l_ym", QStringLiteral("有効[㎡]："), l_ym, "hsy", hsy, kRow3);
    leftPair("Label3", QStringLiteral("基準風量[CMH]："), Label3, "haq", haq, kRow4);
}

void TForm1::LayoutWindow() {
    const int w = width(), h = height();
    PageControl1->setGeometry(0, 0, w, std::max(0, h - kBottomHeight));
    BottomPanel->setGeometry(0, h - kBottomHeight, w, kBottomHeight);
    const QSize pageSize = static_cast<PageControl*>(PageControl1)->pageSize();
    TabSheet1->resize(pageSize);
    TabSheet3->resize(pageSize);
    LayoutDuctPage();
    LayoutTerminalPage();
}

int TForm1::PropertyBoxLimit(QWidget* page, QWidget*) const {
    // Room below the top panel, keeping one pixel of the list box above.
    return std::max(1, page->height() - kPanelHeight - kSplitterHeight - 1);
}

// Page layout: the top panel, the list box filling the middle, the splitter
// and the property box of its own height at the bottom. The radio buttons lie
// on the upper edges of the two boxes.
void TForm1::LayoutDuctPage() {
    const int w = TabSheet1->width(), h = TabSheet1->height();
    const int boxHeight = d_pro->height();
    Panel1->setGeometry(0, 0, w, kPanelHeight);
    Panel1Resize();
    const int listTop = kPanelHeight;
    const int boxTop = h - boxHeight;
    const int listHeight = std::max(0, boxTop - kSplitterHeight - listTop);
    GroupBox3->setGeometry(0, listTop, w, listHeight);
    Blank1->setGeometry(2, 15, std::max(0, w - 4), 1);
    whl->setGeometry(2, 16, std::max(0, w - 4), std::max(0, listHeight - 18));
    RBT1->move(8, listTop);
    d_spli->setGeometry(0, boxTop - kSplitterHeight, w, kSplitterHeight);
    d_pro->setGeometry(0, boxTop, w, boxHeight);
    RBT2->move(8, d_pro->y());
    RBT1->raise();
    RBT2->raise();
    LayoutDuctProperties();
}

void TForm1::LayoutTerminalPage() {
    const int w = TabSheet3->width(), h = TabSheet3->height();
    const int boxHeight = h_pro->height();
    Panel5->setGeometry(0, 0, w, kPanelHeight);
    const int listTop = kPanelHeight;
    const int boxTop = h - boxHeight;
    const int listHeight = std::max(0, boxTop - kSplitterHeight - listTop);
    GroupBox9->setGeometry(0, listTop, w, listHeight);
    Blank2->setGeometry(2, 15, std::max(0, w - 4), 1);
    hsbox->setGeometry(2, 16, std::max(0, w - 4), std::max(0, listHeight - 18));
    bRB1->move(8, listTop);
    h_spli->setGeometry(0, boxTop - kSplitterHeight, w, kSplitterHeight);
    h_pro->setGeometry(0, boxTop, w, boxHeight);
    bRB2->move(8, h_pro->y());
    bRB1->raise();
    bRB2->raise();
    LayoutTerminalProperties();
}

// The recalculate buttons and the right-hand pairs keep their distance from
// the right edge of the box.
void TForm1::LayoutDuctProperties() {
    if (captionLayoutDeferred_) return;
    const int w = d_pro->width();
    SP2->move(w - 63, SP2->y());
    LayoutPropertyPairs(w, kLeftField, {{Label9, E_as}, {Label11, E_ap}, {Label2, E_aq}},
                        {{Label10, E_wv, kRightLabelWidth},
                         {Label12, E_dp, kRightLabelWidth},
                         {Label5, E_fai, kRightLabelWidth},
                         {Label6, M_wv, kLongRightLabelWidth}});
}

void TForm1::LayoutTerminalProperties() {
    if (captionLayoutDeferred_) return;
    const int w = h_pro->width();
    BP2->move(w - 63, BP2->y());
    LayoutPropertyPairs(w, kLeftField + 4, {{Label18, hsk}, {Label25, hsv}, {Label3, haq}},
                        {{l_hm, hsj, kRightLabelWidth - 6}, {l_ym, hsy, kRightLabelWidth - 6}});
}

void TForm1::Panel1Resize() {
    const int W = Panel1->width();
    for (QComboBox* cb : {DuctStyleCB, KiguStyleCB})
        cb->resize(W - 74, cb->height());
    for (QPushButton* b : {SP1, HSCal})
        b->move(W - 57, b->y());
    for (QFrame* line : {Shape1, Shape2})
        line->resize(W - 10, line->height());
    for (QLineEdit* q : {Q1, Q3})
        q->resize(W - 148, q->height());
    for (QLabel* l : {Select, Select2})
        l->resize(W - 10, l->height());
}
