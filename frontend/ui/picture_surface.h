#pragma once
// A drawing surface widget: the Surface calls draw on a persistent image in user coordinates,
// and the widget shows that image, so the drawing survives being covered and uncovered.

#include "surface.h"

#include <QFont>
#include <QImage>
#include <QWidget>

class PictureSurface : public QWidget, public Surface {
    Q_OBJECT
public:
    // borderPixels: the thin sunken border drawn around the image (0 for none).
    explicit PictureSurface(QWidget* parent = nullptr, int borderPixels = 2);

    // User coordinates of the image's left, top, right and bottom edges; y grows upwards when
    // top > bottom. The default is the image's pixels.
    void setUserScale(double left, double top, double right, double bottom);
    void setSurfaceFont(const QFont& font) { font_ = font; }
    const QFont& surfaceFont() const { return font_; }
    void setForeColour(Rgb colour) { foreColour_ = colour; }
    void setBackColour(Rgb colour);
    Rgb backColour() const { return backColour_; }
    int borderPixels() const { return border_; }

    // The drawing as it stands (inner area, without the border).
    const QImage& image() const
    {
        ensureImageSize();
        return image_;
    }
    // User coordinates to image pixels and back.
    QPointF toPixel(double x, double y) const;
    QPointF toUser(QPointF imagePixel) const;

    // Surface
    void clear() override;
    Rgb foreColour() const override { return foreColour_; }
    void setLineWidth(int pixels) override;
    void point(double x, double y, Rgb colour) override;
    void line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void rectangle(double x1, double y1, double x2, double y2, Rgb colour) override;
    void circle(double cx, double cy, double radius, Rgb colour) override;
    void arc(double cx, double cy, double radius, double startAngle, double endAngle,
             Rgb colour) override;
    void text(double x, double y, const std::string& utf8) override;

signals:
    void mouseMovedUser(double x, double y);
    void mousePressedUser(Qt::MouseButton button, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ensureImageSize() const; // the image follows the widget size, even while hidden
    QPen pen(Rgb colour) const;
    double pixelsPerUnitX() const;
    double pixelsPerUnitY() const;

    int border_;
    mutable QImage image_;
    QFont font_;
    Rgb foreColour_{0, 0, 0};
    Rgb backColour_{255, 255, 255};
    int lineWidth_ = 1;
    double left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
    bool userScale_ = false;
};
