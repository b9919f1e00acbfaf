#include "ui/page_widgets.h"

#include "engine/number_text.h"
#include "ui/click_filter.h"
#include "ui/column_list_box.h"
#include "ui/page_frames.h"
#include "ui/splitter_bar.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <algorithm>

namespace kestrix::pages {

namespace {

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

} // namespace

void SetFieldReadOnly(QLineEdit* field, bool readOnly) {
    field->setReadOnly(readOnly);
    QPalette pal = field->palette();
    const QPalette standard = QApplication::palette(field);
    pal.setColor(QPalette::Base,
                 readOnly ? standard.color(QPalette::Button) : standard.color(QPalette::Base));
    field->setPalette(pal);
}

bool IsPlain(const QLineEdit* field) {
    return kestrix::IsPlainNumber(field->text().toStdString());
}

void CopyToClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& r,
                  Qt::Alignment align) {
    auto* l = Make<QLabel>(parent, name);
    // Names from the configuration files reach the condition lines: a label
    // shows them as written, never as markup.
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    l->setAlignment(align);
    l->setGeometry(r);
    return l;
}

QLineEdit* MakeFlowField(QWidget* parent, const char* name) {
    auto* e = Make<QLineEdit>(parent, name);
    e->setGeometry(88, 0, kDesignPanelWidth - 148, 20);
    return e;
}

QLineEdit* MakePropertyField(QWidget* parent, const char* name, const QRect& r) {
    auto* e = Make<QLineEdit>(parent, name);
    e->setFrame(false);
    e->setTextMargins(0, 0, 0, 0);
    e->setContentsMargins(0, 0, 0, 0);
    SetFieldReadOnly(e, true);
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
    SetFieldReadOnly(e, true);
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

QToolButton* MakeShapeButton(QWidget* parent, const char* name, QRadioButton* detailMode) {
    auto* b = Make<QToolButton>(parent, name);
    b->setText(RectangleMark());
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(120, 16, 17, 20);
    new PressOnEnter(b);
    QObject::connect(detailMode, &QAbstractButton::toggled, b,
                     [b](bool on) { b->setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus); });
    return b;
}

// (Qt itself keeps the Tab stop on the one that had the focus last.) Any
// arrow key moves the focus to the other button and chooses it, as the arrow
// keys go round a group of option buttons in Windows; the mode's click
// handler then moves the focus on, into the flow field, where its steps say
// so. Qt's own arrow handling would click the button and then take the focus
// back to it.
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

QGroupBox* MakeBox(QWidget* parent, const char* name) {
    QGroupBox* g = Make<PageBox>(parent, name);
    g->setTitle(QStringLiteral(" "));
    return g;
}

QFrame* MakePanel(QWidget* parent, const char* name) {
    auto* panel = Make<QFrame>(parent, name);
    panel->setFrameShape(QFrame::NoFrame);
    panel->setGeometry(0, 0, kDesignPanelWidth, kPanelHeight);
    return panel;
}

QComboBox* MakeStyleList(QWidget* panel, const char* name) {
    auto* list = Make<QComboBox>(panel, name);
    list->setEditable(false);
    // Has no menu of its own: a right-click or the Menu key reaches the window's.
    list->setContextMenuPolicy(Qt::NoContextMenu);
    list->setGeometry(70, 37, kDesignPanelWidth - 74, 21);
    return list;
}

// Four columns at the design size.
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

// A caption wider than its design room (an English one, in a font wider than
// the design font) moves the left-hand fields right, clear of the box's frame,
// and lets a right-hand caption reach further left, so that none is cut. The
// design captions fit and keep the design layout.
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

// The top panel, the list box filling the middle, the splitter and the
// property box of its own height at the bottom. The radio buttons lie on the
// upper edges of the two boxes.
void LayoutPage(const PageParts& p, int w, int h) {
    const int boxHeight = p.propertyBox->height();
    p.panel->setGeometry(0, 0, w, kPanelHeight);
    p.styles->resize(w - 74, p.styles->height());
    p.calculate->move(w - 57, p.calculate->y());
    p.line->resize(w - 10, p.line->height());
    p.flow->resize(w - 148, p.flow->height());
    p.condition->resize(w - 10, p.condition->height());
    const int listTop = kPanelHeight;
    const int boxTop = h - boxHeight;
    const int listHeight = std::max(0, boxTop - kSplitterHeight - listTop);
    p.listBox->setGeometry(0, listTop, w, listHeight);
    p.blank->setGeometry(2, 15, std::max(0, w - 4), 1);
    p.list->setGeometry(2, 16, std::max(0, w - 4), std::max(0, listHeight - 18));
    p.listMode->move(8, listTop);
    p.splitter->setGeometry(0, boxTop - kSplitterHeight, w, kSplitterHeight);
    p.propertyBox->setGeometry(0, boxTop, w, boxHeight);
    p.detailMode->move(8, p.propertyBox->y());
    p.listMode->raise();
    p.detailMode->raise();
}

int PropertyBoxLimit(int pageHeight) {
    return std::max(1, pageHeight - kPanelHeight - kSplitterHeight - 1);
}

// The gap between 65 and 70 pixels a column keeps the count from flickering.
int StepColumns(ColumnListBox* list) {
    const int c = std::max(1, list->columns());
    const int w = list->width();
    if (w / c < 65) {
        list->setColumns(std::max(1, c - 1));
        return -1;
    }
    if (w / (c + 1) > 70) {
        list->setColumns(c + 1);
        return 1;
    }
    return 0;
}

} // namespace kestrix::pages
