#include "ui/column_list_box.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QResizeEvent>
#include <QStyledItemDelegate>
#include <QTextLayout>

#include <algorithm>
#include <unordered_map>

// Paints a plain entry (text only, neither picked, current nor under the
// mouse) as the style does, from glyphs laid out once per text: the style
// lays each entry's text out three times per paint (to place it, to see
// whether it needs eliding, and to draw it), which in a full list of a large
// window cost most of a resize step. A text too long for its column is
// shortened as the style shortens it, once per text and column width. Every
// other entry is left to the style.
class CandidateItemDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    struct Laid {
        QList<QGlyphRun> glyphs;
        qreal width = 0;
        int height = 0;
    };
    const Laid& laidOut(const QString& text, const QStyleOptionViewItem& option) const;
    QRect textRoom(const QStyleOptionViewItem& option, const QStyle* style) const;
    const QString& elidedText(const QString& text, int width,
                              const QStyleOptionViewItem& option) const;

    mutable QFont font_;
    mutable std::unordered_map<QString, Laid> layouts_;
    // Shortened texts by column width: the last two widths, between which a
    // window being resized goes back and forth.
    mutable std::unordered_map<int, std::unordered_map<QString, QString>> elided_;
    // The text's room within an entry of the last size seen.
    mutable const QStyle* roomStyle_ = nullptr;
    mutable QSize roomEntry_;
    mutable QRect room_;
};

namespace {

// More texts than two full lists hold, each entry also shortened for two
// column widths. A new list mostly shows sizes seen before, so the layouts
// are kept over new lists, and all dropped at once when there are this many.
constexpr std::size_t kMaxLayouts = 8192;

// Wider than any entry.
constexpr qreal kUnboundedWidth = 1.0e6;

bool PlainEntry(const QStyleOptionViewItem& opt) {
    constexpr QStyle::State drawnByStyle = QStyle::State_Selected | QStyle::State_HasFocus |
                                           QStyle::State_MouseOver | QStyle::State_Editing;
    return !(opt.state & drawnByStyle) && opt.features == QStyleOptionViewItem::HasDisplay &&
           opt.backgroundBrush.style() == Qt::NoBrush && opt.direction == Qt::LeftToRight &&
           opt.textElideMode != Qt::ElideNone &&
           (opt.displayAlignment & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute) ==
               Qt::AlignLeft &&
           !opt.text.isEmpty() && !opt.text.contains(QLatin1Char('\n')) &&
           !opt.text.contains(QChar::LineSeparator);
}

} // namespace

const CandidateItemDelegate::Laid&
CandidateItemDelegate::laidOut(const QString& text, const QStyleOptionViewItem& option) const {
    if (layouts_.size() >= kMaxLayouts) layouts_.clear();
    auto found = layouts_.find(text);
    if (found != layouts_.end()) return found->second;
    // The style's layout of one line without wrapping; the line is as wide
    // as the text, which left-aligned text does not notice.
    QTextLayout layout(text, option.font);
    QTextOption textOption;
    textOption.setWrapMode(QTextOption::ManualWrap);
    textOption.setTextDirection(option.direction);
    textOption.setAlignment(QStyle::visualAlignment(option.direction, option.displayAlignment));
    layout.setTextOption(textOption);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(kUnboundedWidth);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    Laid laid;
    laid.width = line.naturalTextWidth();
    laid.height = layout.boundingRect().size().toSize().height();
    laid.glyphs = layout.glyphRuns();
    return layouts_.emplace(text, std::move(laid)).first->second;
}

const QString& CandidateItemDelegate::elidedText(const QString& text, int width,
                                                 const QStyleOptionViewItem& option) const {
    auto column = elided_.find(width);
    if (column == elided_.end()) {
        if (elided_.size() >= 2) elided_.clear();
        column = elided_.emplace(width, std::unordered_map<QString, QString>()).first;
    }
    auto found = column->second.find(text);
    if (found != column->second.end()) return found->second;
    if (column->second.size() >= kMaxLayouts) column->second.clear();
    // The style's own shortening, with the entry's font.
    const QString shortened =
        QFontMetrics(option.font).elidedText(text, option.textElideMode, width);
    return column->second.emplace(text, shortened).first->second;
}

QRect CandidateItemDelegate::textRoom(const QStyleOptionViewItem& option,
                                      const QStyle* style) const {
    // The style's, less its margins. Without an icon or a check box it does
    // not depend on the text, so the text need not be measured for it, and
    // it is the same in every entry of the same size.
    if (style != roomStyle_ || option.rect.size() != roomEntry_) {
        QStyleOptionViewItem roomOption = option;
        roomOption.text.clear();
        roomOption.rect.moveTo(0, 0);
        const int margin =
            style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
        room_ = style->subElementRect(QStyle::SE_ItemViewItemText, &roomOption, option.widget)
                    .adjusted(margin, 0, -margin, 0);
        roomStyle_ = style;
        roomEntry_ = option.rect.size();
    }
    return room_.translated(option.rect.topLeft());
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
    if (opt.font != font_) {
        layouts_.clear();
        elided_.clear();
        font_ = opt.font;
    }
    const QRect room = textRoom(opt, style);
    const Laid* laid = &laidOut(opt.text, opt);
    // The text's own height places it, even when shortened.
    const int height = laid->height;
    if (laid->width > room.width()) laid = &laidOut(elidedText(opt.text, room.width(), opt), opt);
    const QRect textBox =
        QStyle::alignedRect(Qt::LeftToRight, opt.displayAlignment & Qt::AlignVertical_Mask,
                            QSize(room.width(), height), room);
    QPalette::ColorGroup group =
        opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
        group = QPalette::Inactive;
    painter->save();
    painter->setClipRect(opt.rect);
    painter->setPen(opt.palette.color(group, QPalette::Text));
    const QPointF origin(room.x(), textBox.top());
    for (const QGlyphRun& run : laid->glyphs)
        painter->drawGlyphRun(origin, run);
    painter->restore();
}

ColumnListBox::ColumnListBox(QWidget* parent)
    : QListWidget(parent), styleDelegate_(itemDelegate()) {
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setMovement(QListView::Static);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    rowHeight_ = fontMetrics().height() + 1;
    updateGrid();
}

void ColumnListBox::rowsInserted(const QModelIndex& parent, int start, int end) {
    // Made with the first entries, not at start-up, when both lists are
    // empty; a painter that the owner has chosen instead stays.
    if (!delegate_ && itemDelegate() == styleDelegate_) {
        delegate_ = new CandidateItemDelegate(this);
        setItemDelegate(delegate_);
    }
    QListWidget::rowsInserted(parent, start, end);
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
