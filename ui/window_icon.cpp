#include "ui/window_icon.h"

#include <QIconEngine>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include <memory>

namespace {

class LazyPngIconEngine : public QIconEngine {
  public:
    explicit LazyPngIconEngine(QString path) : path_(std::move(path)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const QImage& full = image();
        if (full.isNull() || size.isEmpty()) return {};
        if (full.size() == size) return QPixmap::fromImage(full);
        return QPixmap::fromImage(full.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QPixmap pm = pixmap(rect.size(), mode, state);
        if (pm.isNull()) return;
        QRect target(QPoint(), pm.size());
        target.moveCenter(rect.center());
        painter->drawPixmap(target, pm);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const QImage& full = image();
        if (full.isNull()) return {};
        return full.size().scaled(size.boundedTo(full.size()), Qt::KeepAspectRatio);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        const QImage& full = image();
        if (full.isNull()) return {};
        return {full.size()};
    }

    bool isNull() override { return image().isNull(); }

    QString key() const override { return QStringLiteral("KestrixLazyPng"); }

    QIconEngine* clone() const override { return new LazyPngIconEngine(*this); }

  private:
    const QImage& image() {
        if (!read_) {
            QImageReader reader(path_, "png");
            reader.setAutoDetectImageFormat(false);
            image_ = reader.read();
            read_ = true;
        }
        return image_;
    }

    QString path_;
    bool read_ = false;
    QImage image_;
};

} // namespace

QIcon LazyPngIcon(const QString& path) {
    return QIcon(new LazyPngIconEngine(path));
}
