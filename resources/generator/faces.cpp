// The day and night faces: spheres shaded with a radial gradient whose focal
// point sits towards the upper left.
#include "pictures.h"

#include <QPainter>
#include <QRadialGradient>

namespace gen {

QImage drawFace(bool day, int scale)
{
    const int size = 48 * scale;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);

    QRadialGradient g(QPointF(20, 20), 30, QPointF(15, 14));
    if (day) {
        g.setColorAt(0.0, QColor(0xFF, 0xFF, 0xFF));
        g.setColorAt(0.18, QColor(0xFC, 0xFC, 0xFC));
        g.setColorAt(0.55, QColor(0xD8, 0xD8, 0xD8));
        g.setColorAt(1.0, QColor(0x80, 0x80, 0x80));
    } else {
        g.setColorAt(0.0, QColor(0x18, 0x18, 0x18));
        g.setColorAt(0.35, QColor(0x2C, 0x2C, 0x2C));
        g.setColorAt(0.75, QColor(0x55, 0x55, 0x55));
        g.setColorAt(1.0, QColor(0x84, 0x84, 0x84));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(24, 24), 24, 24);
    return image;
}

} // namespace gen
