// Horlune's own icon: a teal mantel clock with an arched top and a pale lilac
// dial. It is drawn on a 32-unit grid whose straight edges fall on pixel
// boundaries at 32 x 32; bigger sizes add hour marks and finer outlines.
#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgGenerator>

#include <cmath>

namespace gen {

namespace {

// Paints the clock at `pixels` square on any device: a picture, or the scalable icon.
void paintMantelClock(QPainter& p, int pixels)
{
    p.setRenderHint(QPainter::Antialiasing);
    const double unit = double(pixels) / 32.0;
    p.scale(unit, unit);

    // One pixel wide outlines at 32 px, thinner (in grid units) when larger.
    const double line = pixels <= 32 ? 1.0 : std::max(1.0 / unit, std::sqrt(32.0 / pixels));
    const QColor outline(0x06, 0x3A, 0x36);
    const bool detailed = pixels >= 64;

    // Feet
    p.setPen(QPen(outline, line));
    p.setBrush(QColor(0x0E, 0x55, 0x50));
    p.drawRoundedRect(QRectF(4.5, 26.5, 5, 3), 1, 1);
    p.drawRoundedRect(QRectF(22.5, 26.5, 5, 3), 1, 1);

    // Plinth
    QLinearGradient plinthFill(0, 23.5, 0, 27.5);
    plinthFill.setColorAt(0, QColor(0x52, 0xC8, 0xBC));
    plinthFill.setColorAt(1, QColor(0x17, 0x77, 0x6F));
    p.setBrush(plinthFill);
    p.drawRoundedRect(QRectF(2.5, 23.5, 27, 4), 1.2, 1.2);

    // Case with its arched top
    QPainterPath body;
    body.moveTo(5.5, 24);
    body.lineTo(5.5, 13);
    body.arcTo(QRectF(5.5, 2.5, 21, 21), 180, -180);
    body.lineTo(26.5, 24);
    body.closeSubpath();
    QLinearGradient bodyFill(5.5, 0, 26.5, 0);
    bodyFill.setColorAt(0.0, QColor(0x2A, 0xA0, 0x95));
    bodyFill.setColorAt(0.22, QColor(0x4D, 0xC6, 0xBA));
    bodyFill.setColorAt(0.6, QColor(0x1F, 0x92, 0x88));
    bodyFill.setColorAt(1.0, QColor(0x11, 0x66, 0x5F));
    p.setBrush(bodyFill);
    p.drawPath(body);

    // A soft highlight along the upper left of the arch
    if (detailed) {
        QPainterPath shine;
        shine.arcMoveTo(QRectF(7.2, 4.2, 17.6, 17.6), 165);
        shine.arcTo(QRectF(7.2, 4.2, 17.6, 17.6), 165, -70);
        p.setPen(QPen(QColor(255, 255, 255, 110), 0.9, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shine);
    }

    // Dial
    const QPointF centre(16, 13.5);
    const double dialRadius = 7.0;
    QRadialGradient dialFill(QPointF(14.5, 11.5), 9.0, QPointF(13.5, 10.5));
    dialFill.setColorAt(0, QColor(0xF6, 0xF1, 0xFE));
    dialFill.setColorAt(0.6, QColor(0xE6, 0xDD, 0xF6));
    dialFill.setColorAt(1, QColor(0xC9, 0xBB, 0xE8));
    if (detailed) {
        // A polished silver bezel around the dial
        QLinearGradient bezelFill(10, 7, 22, 20);
        bezelFill.setColorAt(0, QColor(0xFA, 0xFA, 0xFA));
        bezelFill.setColorAt(0.5, QColor(0xC4, 0xCC, 0xCC));
        bezelFill.setColorAt(1, QColor(0x7E, 0x8C, 0x8C));
        p.setPen(QPen(outline, line));
        p.setBrush(bezelFill);
        p.drawEllipse(centre, dialRadius + 0.9, dialRadius + 0.9);
    }
    p.setPen(QPen(outline, detailed ? line * 0.6 : line));
    p.setBrush(dialFill);
    p.drawEllipse(centre, dialRadius, dialRadius);

    // Hour marks
    const QColor markColour(0x5E, 0x4E, 0x86);
    p.setPen(Qt::NoPen);
    p.setBrush(markColour);
    for (int h = 0; h < 12; ++h) {
        const double a = h * M_PI / 6.0;
        const QPointF dir(std::sin(a), -std::cos(a));
        if (!detailed) {
            if (h % 3 == 0)
                p.drawEllipse(centre + dir * 5.2, 0.6, 0.6);
            continue;
        }
        const bool major = h % 3 == 0;
        p.setPen(QPen(markColour, major ? 0.8 : 0.45, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre + dir * (major ? 4.6 : 5.2), centre + dir * 6.0);
    }

    // Hands at ten past ten
    auto hand = [&](double degrees, double length, double width) {
        const double a = degrees * M_PI / 180.0;
        const QPointF dir(std::sin(a), -std::cos(a));
        p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre - dir * (detailed ? 1.0 : 0.0), centre + dir * length);
    };
    hand(-55, 3.7, pixels <= 32 ? 1.5 : 1.3);
    hand(60, 5.6, pixels <= 32 ? 1.1 : 0.85);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(centre, 0.9, 0.9);
}

} // namespace

QImage drawMantelClock(int pixels)
{
    // Below 32 pixels the outlines would be less than a pixel: the 32-pixel drawing, reduced.
    if (pixels < 32)
        return drawMantelClock(32).scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintMantelClock(p, pixels);
    return image;
}

bool writeMantelClockSvg(const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("Horlune"));
    svg.setDescription(QStringLiteral("Horloge universelle"));
    QPainter p;
    if (!p.begin(&svg))
        return false;
    paintMantelClock(p, 256);
    return p.end();
}

} // namespace gen
