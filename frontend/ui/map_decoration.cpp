#include "map_decoration.h"

#include "fonts.h"
#include "picture_surface.h"

#include <QPainter>

MapDecoration::MapDecoration(PictureSurface* picture, const QString& title,
                             const QString& verticalLetter, const QString& horizontalLetter,
                             bool withAxes)
    : QWidget(picture), picture_(picture), title_(title), verticalLetter_(verticalLetter),
      horizontalLetter_(horizontalLetter), withAxes_(withAxes)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    const int border = picture->borderPixels();
    setGeometry(border, border, picture->image().width(), picture->image().height());
    setFont(timesFont(10));
}

void MapDecoration::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    painter.drawText(4, 2 + metrics.ascent(), title_);
    if (!withAxes_) {
        return;
    }
    // Pixel centres of the user origin and of the +-100 mm marks.
    const QPointF origin = picture_->toPixel(0, 0);
    const int cx = static_cast<int>(origin.x()), cy = static_cast<int>(origin.y());
    painter.drawLine(0, cy, width() - 1, cy);
    painter.drawLine(cx, 0, cx, height() - 1);
    const int tick = 3;
    for (int mark : {-100, 100}) {
        const int x = static_cast<int>(picture_->toPixel(mark, 0).x());
        const int y = static_cast<int>(picture_->toPixel(0, mark).y());
        painter.drawLine(x, cy - tick, x, cy + tick);
        painter.drawLine(cx - tick, y, cx + tick, y);
    }
    painter.drawText(cx + 4, 2 + metrics.ascent(), verticalLetter_);
    painter.drawText(width() - metrics.horizontalAdvance(horizontalLetter_) - 4, cy - 4,
                     horizontalLetter_);
}
