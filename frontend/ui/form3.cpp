#include "form3.h"

#include "fonts.h"
#include "twips.h"
#include "widgets.h"

#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {

// A dimension line with arrow heads at both ends.
void dimension(QPainter& p, QPointF from, QPointF to)
{
    p.drawLine(from, to);
    for (const auto& [tip, towards] : {std::pair{from, to}, std::pair{to, from}}) {
        QLineF head(tip, towards);
        head.setLength(6);
        QLineF left = head, right = head;
        left.setAngle(head.angle() + 25);
        right.setAngle(head.angle() - 25);
        QPainterPath arrow;
        arrow.moveTo(tip);
        arrow.lineTo(left.p2());
        arrow.lineTo(right.p2());
        arrow.closeSubpath();
        p.fillPath(arrow, p.pen().color());
    }
}

} // namespace

Form3::Form3(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("Form3");
    setWindowTitle("Phantom");
    setFixedSize(twipsToPixels(5490), twipsToPixels(4380));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    Command1 = makeButton(this, "Command1", "Close", 4560, 3960, 855, 375, timesFont(11.25));
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
}

void Form3::showPhantom()
{
    if (!centred_) {
        centred_ = true;
        centreOnScreen(this);
    }
    show();
    raise();
    activateWindow();
}

void Form3::Command1_Click() { hide(); }

void Form3::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0, 0, 0);
    const QColor dimensionInk(0, 0, 160);

    QFont title = timesFont(14.25);
    title.setItalic(true);
    title.setBold(true);
    p.setFont(title);
    p.setPen(ink);
    p.drawText(QRectF(0, 6, width(), 24), Qt::AlignHCenter, "Racetrack model");

    // Cross-section: straight part a between the centres of two half-circles of radius b/2.
    const double radius = 40, halfFlat = 60;
    const QPointF centre(150, 118);
    QPainterPath racetrack;
    racetrack.moveTo(centre.x() - halfFlat, centre.y() - radius);
    racetrack.lineTo(centre.x() + halfFlat, centre.y() - radius);
    racetrack.arcTo(QRectF(centre.x() + halfFlat - radius, centre.y() - radius, 2 * radius,
                           2 * radius), 90, -180);
    racetrack.lineTo(centre.x() - halfFlat, centre.y() + radius);
    racetrack.arcTo(QRectF(centre.x() - halfFlat - radius, centre.y() - radius, 2 * radius,
                           2 * radius), 270, -180);
    racetrack.closeSubpath();
    p.setPen(QPen(ink, 1.6));
    p.setBrush(QColor(255, 228, 210));
    p.drawPath(racetrack);
    p.setBrush(Qt::NoBrush);

    // Centres of the half-circles and the guides of a.
    p.setPen(QPen(ink, 0.8, Qt::DashLine));
    for (double x : {centre.x() - halfFlat, centre.x() + halfFlat}) {
        p.drawLine(QPointF(x, centre.y() - radius - 14), QPointF(x, centre.y() + radius));
    }
    p.drawLine(QPointF(centre.x() - halfFlat - radius, centre.y()),
               QPointF(centre.x() + halfFlat + radius, centre.y()));

    QFont label = timesFont(14.25);
    label.setItalic(true);
    p.setFont(label);
    p.setPen(QPen(dimensionInk, 1));

    // a: the straight part, above the section.
    const double aY = centre.y() - radius - 10;
    dimension(p, QPointF(centre.x() - halfFlat, aY), QPointF(centre.x() + halfFlat, aY));
    p.drawText(QRectF(centre.x() - 20, aY - 22, 40, 20), Qt::AlignCenter, "a");

    // b: the thickness, on the right.
    const double bX = centre.x() + halfFlat + radius + 16;
    p.setPen(QPen(ink, 0.8, Qt::DashLine));
    p.drawLine(QPointF(centre.x() + halfFlat, centre.y() - radius), QPointF(bX + 4, centre.y() - radius));
    p.drawLine(QPointF(centre.x() + halfFlat, centre.y() + radius), QPointF(bX + 4, centre.y() + radius));
    p.setPen(QPen(dimensionInk, 1));
    dimension(p, QPointF(bX, centre.y() - radius), QPointF(bX, centre.y() + radius));
    p.drawText(QRectF(bX + 4, centre.y() - 10, 24, 20), Qt::AlignCenter, "b");

    // b/2 twice: the radius of each half-circle.
    const QPointF leftCentre(centre.x() - halfFlat, centre.y());
    const QPointF rightCentre(centre.x() + halfFlat, centre.y());
    dimension(p, leftCentre, QPointF(leftCentre.x() - radius * 0.7071, centre.y() + radius * 0.7071));
    p.drawText(QRectF(leftCentre.x() - 38, centre.y() - 22, 34, 18), Qt::AlignCenter, "b/2");
    dimension(p, rightCentre, QPointF(rightCentre.x() + radius * 0.7071, centre.y() - radius * 0.7071));
    p.drawText(QRectF(rightCentre.x() + 4, centre.y() + 4, 34, 18), Qt::AlignCenter, "b/2");

    // Length: a side view of the phantom along the body axis, below the section.
    const QRectF side(centre.x() - halfFlat - radius, 188, 2 * (halfFlat + radius), 34);
    p.setPen(QPen(ink, 1.6));
    p.setBrush(QColor(255, 228, 210));
    p.drawRoundedRect(side, 6, 6);
    p.setBrush(Qt::NoBrush);
    p.setFont(timesFont(9.75));
    p.setPen(ink);
    p.drawText(side, Qt::AlignCenter, "side view (body axis)");
    p.setFont(label);
    p.setPen(QPen(dimensionInk, 1));
    const double lengthY = side.bottom() + 10;
    dimension(p, QPointF(side.left(), lengthY), QPointF(side.right(), lengthY));
    p.drawText(QRectF(side.center().x() - 40, lengthY + 2, 80, 22), Qt::AlignCenter, "Length");
}
