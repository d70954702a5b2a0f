#include "artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

QPixmap transparentPixmap(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap ctScannerPicture()
{
    QPixmap pixmap(265, 210);
    pixmap.fill(QColor(236, 242, 250));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // Floor.
    p.fillRect(QRectF(0, 176, 265, 34), QColor(206, 214, 226));
    p.setPen(QPen(QColor(170, 180, 196), 1));
    p.drawLine(QPointF(0, 176), QPointF(265, 176));

    // Couch base and the table top running through the bore.
    p.setPen(QPen(QColor(90, 96, 110), 1.2));
    p.setBrush(QColor(168, 176, 190));
    p.drawRoundedRect(QRectF(150, 128, 52, 50), 4, 4);
    p.setBrush(QColor(140, 148, 164));
    p.drawRect(QRectF(144, 172, 64, 8));
    QLinearGradient tableShade(0, 112, 0, 126);
    tableShade.setColorAt(0, QColor(250, 250, 252));
    tableShade.setColorAt(1, QColor(190, 198, 210));
    p.setBrush(tableShade);
    p.drawRoundedRect(QRectF(60, 112, 196, 14), 6, 6);

    // Gantry: a tall rounded housing with a round bore.
    QLinearGradient housing(20, 0, 140, 0);
    housing.setColorAt(0, QColor(246, 247, 250));
    housing.setColorAt(1, QColor(200, 208, 222));
    p.setPen(QPen(QColor(80, 88, 104), 1.5));
    p.setBrush(housing);
    p.drawRoundedRect(QRectF(18, 22, 124, 156), 26, 26);
    p.setBrush(QColor(160, 168, 184));
    p.drawRect(QRectF(30, 172, 100, 8));

    // Bore, with the table top showing inside it.
    const QPointF centre(80, 100);
    QRadialGradient bore(centre, 40);
    bore.setColorAt(0, QColor(70, 78, 96));
    bore.setColorAt(1, QColor(130, 140, 160));
    p.setBrush(bore);
    p.drawEllipse(centre, 40, 40);
    p.setBrush(tableShade);
    p.setPen(QPen(QColor(90, 96, 110), 1.2));
    p.drawRect(QRectF(44, 112, 72, 14));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(80, 88, 104), 1.5));
    p.drawEllipse(centre, 40, 40);
    p.setPen(QPen(QColor(150, 160, 178), 3));
    p.drawEllipse(centre, 46, 46);

    // Phantom lying on the table, partly inside the bore.
    p.setPen(QPen(QColor(150, 90, 60), 1));
    p.setBrush(QColor(240, 190, 160));
    p.drawRoundedRect(QRectF(96, 98, 112, 15), 7, 7);

    // Fan beam from the tube at the top of the gantry ring.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 60, 110));
    QPainterPath fan;
    fan.moveTo(80, 52);
    fan.lineTo(52, 130);
    fan.lineTo(108, 130);
    fan.closeSubpath();
    p.drawPath(fan);
    p.setBrush(QColor(220, 60, 40));
    p.drawEllipse(QPointF(80, 52), 4, 4);

    // Status light and a logo strip on the gantry.
    p.setBrush(QColor(60, 180, 90));
    p.drawEllipse(QPointF(124, 38), 3, 3);
    p.setBrush(QColor(60, 110, 200));
    p.drawRoundedRect(QRectF(36, 156, 88, 6), 3, 3);
    return pixmap;
}

QPixmap xRayTubeIcon()
{
    QPixmap pixmap = transparentPixmap(32, 32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A tube with a beam fanning downwards.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 200, 40, 170));
    QPainterPath fan;
    fan.moveTo(16, 12);
    fan.lineTo(4, 30);
    fan.lineTo(28, 30);
    fan.closeSubpath();
    p.drawPath(fan);
    p.setPen(QPen(QColor(40, 50, 80), 1.2));
    p.setBrush(QColor(120, 150, 210));
    p.drawRoundedRect(QRectF(4, 3, 24, 10), 5, 5);
    p.setBrush(QColor(220, 50, 40));
    p.drawEllipse(QPointF(16, 8), 2.5, 2.5);
    return pixmap;
}

QPixmap byeByeIcon()
{
    QPixmap pixmap = transparentPixmap(32, 32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // An open door with an arrow leaving through it.
    p.setPen(QPen(QColor(70, 50, 30), 1.5));
    p.setBrush(QColor(250, 250, 240));
    p.drawRect(QRectF(6, 3, 14, 26));
    p.setBrush(QColor(170, 110, 60));
    QPainterPath door;
    door.moveTo(6, 3);
    door.lineTo(14, 6);
    door.lineTo(14, 31);
    door.lineTo(6, 29);
    door.closeSubpath();
    p.drawPath(door);
    p.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(17, 16), QPointF(29, 16));
    p.drawLine(QPointF(24, 11), QPointF(29, 16));
    p.drawLine(QPointF(24, 21), QPointF(29, 16));
    return pixmap;
}

QPixmap spectrumIcon()
{
    QPixmap pixmap = transparentPixmap(32, 32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 2.5, 27, 27));
    p.setPen(QPen(QColor(255, 0, 0), 1.6));
    QPainterPath curve;
    curve.moveTo(4, 28);
    curve.cubicTo(8, 26, 10, 6, 14, 8);
    curve.cubicTo(18, 10, 22, 24, 28, 27);
    p.drawPath(curve);
    p.setPen(QPen(QColor(255, 0, 0), 1.2));
    p.drawLine(QPointF(12, 10), QPointF(12, 5));
    p.drawLine(QPointF(16, 13), QPointF(16, 9));
    return pixmap;
}
