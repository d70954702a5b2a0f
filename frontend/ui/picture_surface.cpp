#include "picture_surface.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFrame>

#include <cmath>
#include <numbers>

namespace {

QColor toQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

} // namespace

PictureSurface::PictureSurface(QWidget* parent, int borderPixels)
    : QWidget(parent), border_(borderPixels)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(toQColor(backColour_));
}

void PictureSurface::setUserScale(double left, double top, double right, double bottom)
{
    left_ = left, top_ = top, right_ = right, bottom_ = bottom;
    userScale_ = true;
}

void PictureSurface::setBackColour(Rgb colour)
{
    backColour_ = colour;
    clear();
}

double PictureSurface::pixelsPerUnitX() const
{
    return userScale_ && right_ != left_ ? image_.width() / (right_ - left_) : 1.0;
}

double PictureSurface::pixelsPerUnitY() const
{
    return userScale_ && bottom_ != top_ ? image_.height() / (bottom_ - top_) : 1.0;
}

QPointF PictureSurface::toPixel(double x, double y) const
{
    ensureImageSize();
    if (!userScale_)
        return {x, y};
    return {(x - left_) * pixelsPerUnitX(), (y - top_) * pixelsPerUnitY()};
}

QPointF PictureSurface::toUser(QPointF pixel) const
{
    ensureImageSize();
    if (!userScale_)
        return pixel;
    return {left_ + pixel.x() / pixelsPerUnitX(), top_ + pixel.y() / pixelsPerUnitY()};
}

QPen PictureSurface::pen(Rgb colour) const
{
    QPen result(toQColor(colour));
    result.setWidth(lineWidth_);
    result.setCapStyle(Qt::RoundCap);
    result.setJoinStyle(Qt::RoundJoin);
    return result;
}

void PictureSurface::clear()
{
    ensureImageSize();
    image_.fill(toQColor(backColour_));
    update();
}

void PictureSurface::setLineWidth(int pixels) { lineWidth_ = std::max(1, pixels); }

void PictureSurface::point(double x, double y, Rgb colour)
{
    ensureImageSize();
    const QPointF centre = toPixel(x, y);
    if (lineWidth_ <= 1) {
        // The dose maps plot 240,000 single pixels: set them directly rather than opening a
        // painter for each. The pixel is the one a painter's aliased point would fill.
        const int px = static_cast<int>(std::floor(centre.x() + 0.5));
        const int py = static_cast<int>(std::floor(centre.y() + 0.5));
        if (px >= 0 && py >= 0 && px < image_.width() && py < image_.height())
            image_.setPixel(px, py, qRgb(colour.red, colour.green, colour.blue));
    } else {
        QPainter painter(&image_);
        // A wide pen plots a dot as wide as the line width.
        painter.setPen(Qt::NoPen);
        painter.setBrush(toQColor(colour));
        const double half = lineWidth_ / 2.0;
        painter.drawEllipse(centre, half, half);
    }
    update();
}

void PictureSurface::line(double x1, double y1, double x2, double y2, Rgb colour)
{
    ensureImageSize();
    QPainter painter(&image_);
    painter.setPen(pen(colour));
    painter.drawLine(toPixel(x1, y1), toPixel(x2, y2));
    update();
}

void PictureSurface::rectangle(double x1, double y1, double x2, double y2, Rgb colour)
{
    ensureImageSize();
    QPainter painter(&image_);
    QPen outline = pen(colour);
    outline.setJoinStyle(Qt::MiterJoin);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(toPixel(x1, y1), toPixel(x2, y2)).normalized());
    update();
}

void PictureSurface::circle(double cx, double cy, double radius, Rgb colour)
{
    ensureImageSize();
    // The radius is measured in x units, so a circle stays round on unequal scales.
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen(colour));
    painter.setBrush(Qt::NoBrush);
    const double r = std::fabs(radius * pixelsPerUnitX());
    painter.drawEllipse(toPixel(cx, cy), r, r);
    update();
}

void PictureSurface::arc(double cx, double cy, double radius, double startAngle, double endAngle,
                         Rgb colour)
{
    ensureImageSize();
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen(colour));
    const double r = std::fabs(radius * pixelsPerUnitX());
    const QPointF centre = toPixel(cx, cy);
    double span = endAngle - startAngle;
    while (span < 0)
        span += 2 * std::numbers::pi;
    // QPainter angles are sixteenths of a degree, counter-clockwise on screen.
    const auto sixteenths = [](double radians) {
        return static_cast<int>(std::lround(radians * 180 / std::numbers::pi * 16));
    };
    painter.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), sixteenths(startAngle),
                    sixteenths(span));
    update();
}

void PictureSurface::text(double x, double y, const std::string& utf8)
{
    ensureImageSize();
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font_);
    painter.setPen(toQColor(foreColour_));
    const QPointF topLeft = toPixel(x, y);
    const QFontMetricsF metrics(font_, &image_);
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()),
                     QString::fromStdString(utf8));
    update();
}

void PictureSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (border_ > 0) {
        // A sunken frame: dark grey and black above and left, light grey and white below and right.
        const QRect outer = rect();
        painter.fillRect(outer, palette().window());
        painter.setPen(QColor(128, 128, 128));
        painter.drawLine(outer.topLeft(), outer.topRight());
        painter.drawLine(outer.topLeft(), outer.bottomLeft());
        painter.setPen(Qt::white);
        painter.drawLine(outer.bottomLeft(), outer.bottomRight());
        painter.drawLine(outer.topRight(), outer.bottomRight());
        if (border_ > 1) {
            const QRect inner = outer.adjusted(1, 1, -1, -1);
            painter.setPen(QColor(64, 64, 64));
            painter.drawLine(inner.topLeft(), inner.topRight());
            painter.drawLine(inner.topLeft(), inner.bottomLeft());
            painter.setPen(QColor(212, 208, 200));
            painter.drawLine(inner.bottomLeft(), inner.bottomRight());
            painter.drawLine(inner.topRight(), inner.bottomRight());
        }
    }
    painter.drawImage(border_, border_, image_);
}

void PictureSurface::resizeEvent(QResizeEvent*) { ensureImageSize(); }

void PictureSurface::ensureImageSize() const
{
    // A hidden widget gets its resize event only when shown, but may be drawn on before.
    const QSize inner(std::max(1, width() - 2 * border_), std::max(1, height() - 2 * border_));
    if (inner == image_.size())
        return;
    QImage resized(inner, QImage::Format_RGB32);
    resized.fill(toQColor(backColour_));
    QPainter(&resized).drawImage(0, 0, image_);
    image_ = resized;
}

void PictureSurface::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF user = toUser(event->position() - QPointF(border_, border_));
    emit mouseMovedUser(user.x(), user.y());
}

void PictureSurface::mousePressEvent(QMouseEvent* event)
{
    const QPointF user = toUser(event->position() - QPointF(border_, border_));
    emit mousePressedUser(event->button(), user.x(), user.y());
}
