#pragma once
// A movable straight line shape lying over a picture: a thin child widget placed by the
// picture's user coordinates. It is not part of the picture's drawing, so clearing the
// picture leaves it alone, and it lets the pointer through to the picture beneath.

#include <QColor>
#include <QWidget>

class PictureSurface;

class LineShape : public QWidget {
public:
    enum class Orientation { horizontal, vertical };

    // A line across the picture at `position` (x for a vertical line, y for a horizontal one),
    // spanning from..to in the other coordinate; from == to spans the whole picture.
    LineShape(PictureSurface* picture, Orientation orientation, QColor colour,
              double from = 0, double to = 0);

    // Moves both ends to `position`, keeping the extent.
    void moveTo(double position);
    double position() const { return position_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    PictureSurface* picture_;
    Orientation orientation_;
    QColor colour_;
    double from_, to_;
    double position_ = 0;
};
