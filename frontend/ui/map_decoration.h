#pragma once
// The fixed black decoration of a dose map: axes through the centre, short ticks at +-100 mm
// on both, the title at the top left and the axis letters. It lies over the picture as its
// own widget, so clearing the picture's drawing keeps it, and the pointer passes through.

#include <QString>
#include <QWidget>

class PictureSurface;

class MapDecoration : public QWidget {
public:
    // verticalLetter stands at the top beside the vertical axis, horizontalLetter at the right
    // above the horizontal axis; withAxes false leaves only the title (the profile graph).
    MapDecoration(PictureSurface* picture, const QString& title, const QString& verticalLetter,
                  const QString& horizontalLetter, bool withAxes = true);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PictureSurface* picture_;
    QString title_, verticalLetter_, horizontalLetter_;
    bool withAxes_;
};
