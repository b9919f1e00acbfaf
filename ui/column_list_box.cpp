#include "ui/column_list_box.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyledItemDelegate>
#include <QTextLayout>

#include <algorithm>
#include <memory>
#include <unordered_map>

// Paints a plain entry (text only, neither picked, current nor under the
// mouse) as the style does, from a layout made once per text: the style lays
// each entry's text out three times per paint (to place it, to see whether
// it needs eliding, and to draw it), which in a full list of a large window
// cost most of a resize step. Every other entry, and any text that would not
// fit its column, is left to the style.
class CandidateItemDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    void forgetLayouts() { layouts_.clear(); }

  private:
    struct Laid {
        std::unique_ptr<QTextLayout> layout;
        qreal width = 0;
        int height = 0;
    };
    const Laid& laidOut(const QString& text, const QStyleOptionViewItem& option) const;

    mutable QFont font_;
    mutable std::unordered_map<QString, Laid> layouts_;
};

namespace {

// More entries than two full lists hold: the layouts of texts no longer
// shown are then dropped at once.
constexpr std::size_t kMaxLayouts = 4096;

// Wider than any entry.
constexpr qreal kUnboundedWidth = 1.0e6;

bool PlainEntry(const QStyleOptionViewItem& opt) {
    constexpr QStyle::State drawnByStyle = QStyle::State_Selected | QStyle::State_HasFocus |
                                           QStyle::State_MouseOver | QStyle::State_Editing;
    return !(opt.state & drawnByStyle) && opt.features == QStyleOptionViewItem::HasDisplay &&
           opt.backgroundBrush.style() == Qt::NoBrush && opt.direction == Qt::LeftToRight &&
           (opt.displayAlignment & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute) ==
               Qt::AlignLeft &&
           !opt.text.isEmpty() && !opt.text.contains(QLatin1Char('\n')) &&
           !opt.text.contains(QChar::LineSeparator);
}

} // namespace

const CandidateItemDelegate::Laid&
CandidateItemDelegate::laidOut(const QString& text, const QStyleOptionViewItem& option) const {
    if (option.font != font_ || layouts_.size() >= kMaxLayouts) {
        layouts_.clear();
        font_ = option.font;
    }
    auto found = layouts_.find(text);
    if (found != layouts_.end()) return found->second;
    // The style's layout of one line without wrapping; the line is as wide
    // as the text, which left-aligned text does not notice.
    Laid laid;
    laid.layout = std::make_unique<QTextLayout>(text, option.font);
    QTextOption textOption;
    textOption.setWrapMode(QTextOption::ManualWrap);
    textOption.setTextDirection(option.direction);
    textOption.setAlignment(QStyle::visualAlignment(option.direction, option.displayAlignment));
    laid.layout->setTextOption(textOption);
    laid.layout->setCacheEnabled(true);
    laid.layout->beginLayout();
    QTextLine line = laid.layout->createLine();
    line.setLineWidth(kUnboundedWidth);
    line.setPosition(QPointF(0, 0));
    laid.width = line.naturalTextWidth();
    laid.layout->endLayout();
    laid.height = laid.layout->boundingRect().size().toSize().height();
    return layouts_.emplace(text, std::move(laid)).first->second;
}

void CandidateItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!PlainEntry(opt)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget* widget = opt.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    // The text's room: the style's, less its margins. Without an icon or a
    // check box it does not depend on the text, so the text need not be
    // measured for it.
    QStyleOptionViewItem roomOption = opt;
    roomOption.text.clear();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &roomOption, widget)
                           .adjusted(margin, 0, -margin, 0);
    const Laid& laid = laidOut(opt.text, opt);
    if (laid.width > room.width()) { // elided by the style
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QRect textBox =
        QStyle::alignedRect(Qt::LeftToRight, opt.displayAlignment & Qt::AlignVertical_Mask,
                            QSize(room.width(), laid.height), room);
    QPalette::ColorGroup group =
        opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
        group = QPalette::Inactive;
    painter->save();
    painter->setClipRect(opt.rect);
    painter->setPen(opt.palette.color(group, QPalette::Text));
    laid.layout->draw(painter, QPointF(room.x(), textBox.top()));
    painter->restore();
}

ColumnListBox::ColumnListBox(QWidget* parent)
    : QListWidget(parent), delegate_(new CandidateItemDelegate(this)) {
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setMovement(QListView::Static);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setItemDelegate(delegate_);
    // A new list brings new texts.
    connect(model(), &QAbstractItemModel::modelReset, delegate_,
            &CandidateItemDelegate::forgetLayouts);
    rowHeight_ = fontMetrics().height() + 1;
    updateGrid();
}

void ColumnListBox::setColumns(int columns) {
    columns = std::max(1, columns);
    if (columns == columns_) return;
    columns_ = columns;
    updateGrid();
}

QItemSelectionModel::SelectionFlags ColumnListBox::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* event) const {
    // The user's presses and keys only; the program may still clear the list.
    if (event && !index.isValid()) return QItemSelectionModel::NoUpdate;
    const QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
    return flags.testFlag(QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate : flags;
}

void ColumnListBox::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    updateGrid();
}

void ColumnListBox::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        rowHeight_ = fontMetrics().height() + 1;
        updateGrid();
    }
}

void ColumnListBox::updateGrid() {
    // The frame's inner width: the viewport is laid out lazily while hidden.
    const int inner = std::max(1, contentsRect().width());
    const QSize grid(std::max(1, inner / columns_), rowHeight_);
    // Setting the same grid again would lay the whole list out again.
    if (grid != gridSize()) setGridSize(grid);
}
