#pragma once

// The tab control and the boxes of the two pages. Under the Fusion style
// both paint their own frames: Fusion draws them with translucent lines,
// and the raster engine hands every translucent fill taller than about a
// hundred rows to a pool of threads, which it first has to start; the box
// frame besides is an image whose reading loads every image-format plugin.
// Together that is a few milliseconds of start-up for a few faint lines, so
// the same frames are painted here in opaque colours, blended beforehand
// with the background. Other styles draw their own.

#include <QColor>
#include <QGroupBox>
#include <QSize>
#include <QTabWidget>

#include <optional>

// A tab control that can also tell the size of its pages before it is first
// shown; QTabWidget itself lays its pages out only once visible, and the
// start-up rules need the real list widths.
class PageControl : public QTabWidget {
  public:
    using QTabWidget::QTabWidget;

    QSize pageSize() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // The style's colours of the frame, taken once from a small sample of it.
    struct FrameColours {
        QColor outline, inner, fill, shadow;
    };
    const FrameColours& frameColours();
    std::optional<FrameColours> colours_;
};

// A box whose frame line runs below its (blank) title.
class PageBox : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
