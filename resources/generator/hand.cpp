// The pointer shown over the mail link: a white gloved hand in a blue sleeve,
// index finger pointing right so that its tip can be the hot spot. Drawn on a
// 32-unit grid with outlines on pixel boundaries at 32 x 32.
#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace gen {

QImage drawPointingHand(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double unit = double(pixels) / 32.0;
    p.scale(unit, unit);
    const double line = pixels <= 32 ? 1.0 : 0.75;
    const QColor gloveEdge(0x2C, 0x2C, 0x38);

    // Sleeve
    QLinearGradient sleeveFill(0, 11.5, 0, 23.5);
    sleeveFill.setColorAt(0, QColor(0x3A, 0x6F, 0xD8));
    sleeveFill.setColorAt(1, QColor(0x1B, 0x3C, 0x8F));
    p.setPen(QPen(QColor(0x0C, 0x1F, 0x55), line));
    p.setBrush(sleeveFill);
    p.drawRect(QRectF(0.5, 11.5, 7, 12));
    // The cuff shades the end of the sleeve a little.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0C, 0x1F, 0x55, 90));
    p.drawRect(QRectF(5.0, 12.0, 2.0, 11.0));

    // Glove: cuff, palm, thumb, index finger and three curled fingers
    QPainterPath glove;
    glove.setFillRule(Qt::WindingFill);
    auto part = [&glove](QRectF r, double radius) {
        QPainterPath piece;
        piece.addRoundedRect(r, radius, radius);
        glove = glove.united(piece);
    };
    part(QRectF(9.5, 9.5, 9, 15), 3);    // palm
    part(QRectF(11.5, 7.5, 8, 4), 2);    // thumb
    part(QRectF(14.5, 11.5, 16, 4), 2);  // index finger
    part(QRectF(14.5, 15.5, 9, 3), 1.5); // curled fingers
    part(QRectF(14.5, 18.5, 8, 3), 1.5);
    part(QRectF(14.5, 21.5, 7, 3), 1.5);

    QLinearGradient gloveFill(0, 7.5, 0, 24.5);
    gloveFill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    gloveFill.setColorAt(0.5, QColor(0xF6, 0xF6, 0xFA));
    gloveFill.setColorAt(1, QColor(0xD8, 0xD8, 0xE2));
    p.setPen(QPen(gloveEdge, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gloveFill);
    p.drawPath(glove);

    // Creases between thumb, finger and the curled fingers
    p.setPen(QPen(gloveEdge, line, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(15.0, 11.5), QPointF(18.5, 11.5));
    p.drawLine(QPointF(17.0, 15.5), QPointF(22.5, 15.5));
    p.drawLine(QPointF(17.0, 18.5), QPointF(21.5, 18.5));
    p.drawLine(QPointF(17.0, 21.5), QPointF(20.5, 21.5));

    // Cuff, drawn last so that it overlaps the sleeve and the palm
    QLinearGradient cuffFill(0, 9.5, 0, 25.5);
    cuffFill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    cuffFill.setColorAt(1, QColor(0xCC, 0xCC, 0xD8));
    p.setPen(QPen(gloveEdge, line));
    p.setBrush(cuffFill);
    p.drawRoundedRect(QRectF(6.5, 9.5, 4, 16), 1.5, 1.5);
    return image;
}

} // namespace gen
