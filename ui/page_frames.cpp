#include "ui/page_frames.h"

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>

#include <algorithm>

namespace {

bool IsFusion(const QStyle* style) {
    return style->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

// A translucent fill of many rows goes to the raster engine's thread pool;
// bands of fewer rows are blended at once, with the same result.
void FillInBands(QPainter& p, const QRect& area, const QColor& colour) {
    constexpr int kBand = 64;
    for (int y = area.top(); y <= area.bottom(); y += kBand)
        p.fillRect(QRect(area.left(), y, area.width(), std::min(kBand, area.bottom() - y + 1)),
                   colour);
}

// The pixels that a one-pixel pen covers when it draws the rectangle r, each
// once, filled: the raster engine fills a row at a time, where it strokes a
// line pixel by pixel.
void FillOutline(QPainter& p, const QRect& r, const QColor& colour) {
    const int left = r.left(), top = r.top(), right = r.right() + 1, bottom = r.bottom() + 1;
    p.fillRect(QRect(QPoint(left, top), QPoint(right, top)), colour);
    p.fillRect(QRect(QPoint(left, bottom), QPoint(right, bottom)), colour);
    if (bottom - top < 2) return;
    p.fillRect(QRect(QPoint(left, top + 1), QPoint(left, bottom - 1)), colour);
    p.fillRect(QRect(QPoint(right, top + 1), QPoint(right, bottom - 1)), colour);
}

} // namespace

QSize PageControl::pageSize() const {
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this).size();
}

void PageControl::paintEvent(QPaintEvent* event) {
    if (!IsFusion(style())) {
        QTabWidget::paintEvent(event);
        return;
    }
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    const QRect pane = style()->subElementRect(QStyle::SE_TabWidgetTabPane, &option, this);
    if (pane.width() < 4 || pane.height() < 4) return;
    const FrameColours& c = frameColours();

    QPainter p(this);
    p.fillRect(pane.adjusted(0, 0, -1, -1), c.fill);
    p.fillRect(QRect(pane.bottomLeft(), pane.bottomRight()), c.shadow);
    const QRect frame = pane.adjusted(0, 0, -1, -2);
    FillOutline(p, frame, c.outline);
    FillOutline(p, frame.adjusted(1, 1, -1, -1), c.inner);
}

void PageControl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        colours_.reset();
    QTabWidget::changeEvent(event);
}

// A fill, an outline with a lighter line inside it and a shadow line below,
// as the style draws them on the window's background.
const PageControl::FrameColours& PageControl::frameColours() {
    if (!colours_) {
        constexpr int kSample = 24;
        QImage sample(kSample, kSample, QImage::Format_ARGB32_Premultiplied);
        sample.fill(palette().color(backgroundRole()));
        {
            QStyleOptionTabWidgetFrame option;
            initStyleOption(&option);
            option.rect = sample.rect();
            QPainter s(&sample);
            style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &s, this);
        }
        const int mid = kSample / 2;
        colours_ = FrameColours{sample.pixelColor(0, mid), sample.pixelColor(1, mid),
                                sample.pixelColor(mid, mid), sample.pixelColor(mid, kSample - 1)};
    }
    return *colours_;
}

void PageBox::paintEvent(QPaintEvent* event) {
    if (!IsFusion(style())) {
        QGroupBox::paintEvent(event);
        return;
    }
    // Where Fusion puts the frame of a box with a title: below a line of text
    // or an indicator, whichever is taller, and three pixels more; then a
    // grey line with rounded corners, a faint line inside it and a fainter
    // fill, as in its frame image. The colours are translucent, as there,
    // since the box lies on whatever its parent painted.
    const int top =
        std::max(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, this),
                 fontMetrics().height()) +
        3;
    const QRect line = rect().adjusted(1, top + 1, 0, 0);
    if (line.width() < 6 || line.height() < 6) return;
    const int l = line.left(), t = line.top(), r = line.right(), b = line.bottom();

    QPainter p(this);
    const QColor grey(117, 117, 117, 50), faint(0, 0, 0, 7);
    FillInBands(p, QRect(QPoint(l + 2, t + 2), QPoint(r - 2, b - 2)), QColor(0, 0, 0, 3));
    FillInBands(p, QRect(QPoint(l + 1, t + 1), QPoint(r - 1, t + 1)), faint);
    FillInBands(p, QRect(QPoint(l + 1, b - 1), QPoint(r - 1, b - 1)), faint);
    FillInBands(p, QRect(QPoint(l + 1, t + 2), QPoint(l + 1, b - 2)), faint);
    FillInBands(p, QRect(QPoint(r - 1, t + 2), QPoint(r - 1, b - 2)), faint);
    FillInBands(p, QRect(QPoint(l + 1, t), QPoint(r - 1, t)), grey);
    FillInBands(p, QRect(QPoint(l + 1, b), QPoint(r - 1, b)), grey);
    FillInBands(p, QRect(QPoint(l, t + 1), QPoint(l, b - 1)), grey);
    FillInBands(p, QRect(QPoint(r, t + 1), QPoint(r, b - 1)), grey);
    const QColor corner(39, 39, 39, 13);
    for (const QPoint& c : {QPoint(l, t), QPoint(r, t), QPoint(l, b), QPoint(r, b)})
        p.fillRect(QRect(c, QSize(1, 1)), corner);
}
