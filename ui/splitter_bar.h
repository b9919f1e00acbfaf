#pragma once

#include <QColor>
#include <QWidget>

#include <functional>

// A thin coloured bar above a box; dragging it with the mouse makes the box
// below taller or lower. The owner decides whether a size is allowed and lays
// the page out for it; `moved` follows each size that was applied.
class SplitterBar : public QWidget {
    Q_OBJECT

  public:
    SplitterBar(const QColor& colour, QWidget* parent);

    void setTarget(QWidget* box) { target_ = box; }
    QWidget* target() const { return target_; }
    void setMinSize(int size) { minSize_ = size; }
    int minSize() const { return minSize_; }

    // Asked before a new height is applied; clear `accept` to refuse it.
    std::function<void(int& newSize, bool& accept)> canResize;
    // The largest height the page has room for.
    std::function<int()> maximumSize;
    // Lays the page out with the box at the new height.
    std::function<void(int newSize)> applySize;

    // One drag step, as the mouse does it: the box grows by `delta` pixels
    // (negative: it shrinks). Returns true when a new size was applied.
    bool dragBy(int delta);

  signals:
    void moved();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QColor colour_;
    QWidget* target_ = nullptr;
    int minSize_ = 1;
    bool dragging_ = false;
    int pressY_ = 0;
    int pressHeight_ = 0;
};
