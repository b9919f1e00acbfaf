#pragma once

// The building blocks both pages are made of: controls at their design
// positions with the looks and key habits the pages share, and the rule that
// places the caption and field pairs of a property box.

#include <QColor>
#include <QRect>
#include <QString>

#include <initializer_list>

class QAbstractButton;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;
class ColumnListBox;
class SplitterBar;

namespace kestrix::pages {

// Design sizes.
constexpr int kPanelHeight = 59;
constexpr int kSplitterHeight = 5;
constexpr int kDesignPanelWidth = 275; // width of a page's top panel at the design size
constexpr int kPropertyBoxHeight = 105;

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

// The shape mark between width and height of a rectangular size.
inline QString RectangleMark() {
    return QStringLiteral("x");
}

// Size and property fields: read-only ones in the button-face colour,
// editable ones in the window colour.
void SetFieldReadOnly(QLineEdit* field, bool readOnly);
// The field holds a plain number (IsPlainNumber).
bool IsPlain(const QLineEdit* field);
void CopyToClipboard(const QString& text);

template <typename W> W* Make(QWidget* parent, const char* name);

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& r,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
QLineEdit* MakeFlowField(QWidget* parent, const char* name);
// A result field: borderless, read-only, bold, button-face colour.
QLineEdit* MakePropertyField(QWidget* parent, const char* name, const QRect& r);
QLineEdit* MakeSizeField(QWidget* parent, const char* name, const QRect& r);
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, const QRect& r);
// The small shape button between the size fields: a tab stop only in the
// mode where pressing it does something.
QToolButton* MakeShapeButton(QWidget* parent, const char* name, QRadioButton* detailMode);
// Tab enters a page's pair of mode buttons at the one that is checked; the
// arrow keys then switch the mode.
void TabToCheckedMode(QRadioButton* list, QRadioButton* detail);
// A box whose frame line runs a few pixels below its top edge, where the
// page's mode radio button lies on it.
QGroupBox* MakeBox(QWidget* parent, const char* name);
QFrame* MakePanel(QWidget* parent, const char* name);
QComboBox* MakeStyleList(QWidget* panel, const char* name);
ColumnListBox* MakeCandidateList(QWidget* box, const char* name);
SplitterBar* MakeSplitter(QWidget* page, const char* name, const QColor& accent);
QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& text);
QFrame* MakeLine(QWidget* parent, const char* name, const QColor& colour, const QRect& r);

struct LeftPair {
    QLabel* label;
    QLineEdit* field;
};
struct RightPair {
    QLabel* label;
    QLineEdit* field;
    int designWidth;
};

// Places the caption and field pairs of a property box of the given width.
void LayoutPropertyPairs(int boxWidth, int designLeftField, std::initializer_list<LeftPair> left,
                         std::initializer_list<RightPair> right);

// The top panel of a page (flow row, accent line, condition line, style row)
// and the list box, splitter and property box below it, for the page's size.
struct PageParts {
    QFrame* panel;
    QLineEdit* flow;
    QPushButton* calculate;
    QFrame* line;
    QLabel* condition;
    QComboBox* styles;
    QGroupBox* listBox;
    QWidget* blank;
    ColumnListBox* list;
    QRadioButton* listMode;
    SplitterBar* splitter;
    QGroupBox* propertyBox;
    QRadioButton* detailMode;
};
void LayoutPage(const PageParts& parts, int width, int height);

// Room for the property box below the top panel, keeping one pixel of the
// list box above.
int PropertyBoxLimit(int pageHeight);

// The column count of a candidate list one step nearer to its width: one
// column more or less per resize, never fewer than one. The change made.
int StepColumns(ColumnListBox* list);

} // namespace kestrix::pages

template <typename W> W* kestrix::pages::Make(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
