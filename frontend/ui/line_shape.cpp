#include "line_shape.h"

#include "picture_surface.h"

#include <QPainter>

#include <cmath>

LineShape::LineShape(PictureSurface* picture, Orientation orientation, QColor colour, double from,
                     double to)
    : QWidget(picture), picture_(picture), orientation_(orientation), colour_(colour),
      from_(from), to_(to)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place();
}

void LineShape::moveTo(double position)
{
    position_ = position;
    place();
}

void LineShape::place()
{
    const int border = picture_->borderPixels();
    const QSize inner = picture_->image().size();
    const bool whole = from_ == to_;
    if (orientation_ == Orientation::vertical) {
        const int column = static_cast<int>(std::floor(picture_->toPixel(position_, 0).x()));
        int top = 0, bottom = inner.height();
        if (!whole) {
            const double y1 = picture_->toPixel(0, from_).y();
            const double y2 = picture_->toPixel(0, to_).y();
            top = static_cast<int>(std::floor(std::min(y1, y2)));
            bottom = static_cast<int>(std::floor(std::max(y1, y2))) + 1;
        }
        setGeometry(border + column, border + top, 1, bottom - top);
    } else {
        const int row = static_cast<int>(std::floor(picture_->toPixel(0, position_).y()));
        int left = 0, right = inner.width();
        if (!whole) {
            const double x1 = picture_->toPixel(from_, 0).x();
            const double x2 = picture_->toPixel(to_, 0).x();
            left = static_cast<int>(std::floor(std::min(x1, x2)));
            right = static_cast<int>(std::floor(std::max(x1, x2))) + 1;
        }
        setGeometry(border + left, border + row, right - left, 1);
    }
}

void LineShape::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), colour_);
}
