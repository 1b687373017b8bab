#include "deferredicon.h"

#include <QIconEngine>
#include <QPainter>

#include <memory>

namespace {

class DeferredIconEngine : public QIconEngine {
  public:
    explicit DeferredIconEngine(QString fileName) : fileName_(std::move(fileName)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    // The file is the program's own, always there: no need to read it to know.
    bool isNull() override { return fileName_.isEmpty(); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(fileName_); }

  private:
    const QIcon& icon() {
        if (!icon_) {
            icon_ = std::make_unique<QIcon>(fileName_);
        }
        return *icon_;
    }

    QString fileName_;
    std::unique_ptr<QIcon> icon_;
};

}  // namespace

QIcon DeferredIcon(const QString& fileName) {
    return QIcon(new DeferredIconEngine(fileName));
}
