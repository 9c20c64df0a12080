#include "program_icon.h"

#include "window/controls/png_image.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <vector>

namespace {

constexpr int IconSizes[] = {16, 32, 48, 64, 128, 256};
// The sizes offered to the window system stop here: title bars and task bars need no more. An X11
// window copies every offered size into a property when it first shows, which would decode the two
// large files before the first frame for nobody; desktops draw large icons from the installed icon
// theme, and a larger picture asked for by size still comes from its own file.
constexpr int LargestOfferedSide = 64;

class ResourceIconEngine final : public QIconEngine {
public:
    ResourceIconEngine() : pixmaps_(std::size(IconSizes)) {}

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : IconSizes) {
            if (side <= LargestOfferedSide)
                sizes.append(QSize(side, side));
        }
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return QSize(side, side);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        if (side <= 0)
            return {};
        const QPixmap& source = Source(side);
        if (source.width() == side)
            return source;
        return source.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap(rect.size() * scale, mode, state);
        picture.setDevicePixelRatio(scale);
        painter->drawPixmap(rect, picture);
    }

    QIconEngine* clone() const override { return new ResourceIconEngine(*this); }
    QString key() const override { return QStringLiteral("ResourceIconEngine"); }

private:
    // The smallest file at least `side` pixels wide, else the largest; decoded on first use.
    const QPixmap& Source(int side) {
        std::size_t index = 0;
        while (index + 1 < std::size(IconSizes) && IconSizes[index] < side)
            ++index;
        QPixmap& source = pixmaps_[index];
        if (source.isNull())
            source = QPixmap::fromImage(ReadPng(QStringLiteral(":/icons/icon-%1.png").arg(IconSizes[index])));
        return source;
    }

    std::vector<QPixmap> pixmaps_;
};

} // namespace

QIcon ProgramIcon() {
    return QIcon(new ResourceIconEngine);
}
