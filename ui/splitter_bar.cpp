#include "ui/splitter_bar.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

SplitterBar::SplitterBar(const QColor& colour, QWidget* parent) : QWidget(parent), colour_(colour) {
    setCursor(Qt::SizeVerCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool SplitterBar::dragBy(int delta) {
    if (!target_) return false;
    int newSize = target_->height() + delta;
    if (maximumSize) newSize = std::min(newSize, maximumSize());
    newSize = std::max(newSize, minSize_);
    if (newSize == target_->height()) return false;
    bool accept = true;
    if (canResize) canResize(newSize, accept);
    if (!accept) return false;
    if (applySize)
        applySize(newSize);
    else
        target_->resize(target_->width(), newSize);
    emit moved();
    return true;
}

void SplitterBar::paintEvent(QPaintEvent*) {
    // A raised bevel: light upper edge, dark lower edge. The edges are filled
    // rows, which the raster engine draws at once, not stroked lines.
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, colour_);
    p.fillRect(QRect(r.topLeft(), r.topRight()), colour_.lighter(170));
    p.fillRect(QRect(r.bottomLeft(), r.bottomRight()), colour_.darker(170));
}

void SplitterBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !target_) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    pressY_ = qRound(event->globalPosition().y());
    pressHeight_ = target_->height();
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !target_) return;
    // Dragging up makes the box below taller.
    const int wanted = pressHeight_ + (pressY_ - qRound(event->globalPosition().y()));
    dragBy(wanted - target_->height());
}

void SplitterBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}
