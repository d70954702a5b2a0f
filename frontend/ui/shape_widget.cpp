#include "shape_widget.h"

#include <QPainter>

ShapeWidget::ShapeWidget(QWidget* parent, QColor border, bool rounded)
    : QWidget(parent), border_(border), rounded_(rounded)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(border_);
    painter.setBrush(Qt::NoBrush);
    const QRectF outline = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (rounded_) {
        painter.setRenderHint(QPainter::Antialiasing);
        const double radius = std::min(width(), height()) / 6.0;
        painter.drawRoundedRect(outline, radius, radius);
    } else {
        painter.drawRect(outline);
    }
}
