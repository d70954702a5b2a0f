#pragma once
// A decorative outline (rectangle or rounded rectangle) that lets clicks through to what lies
// beneath; windows lower it under their controls.

#include <QColor>
#include <QWidget>

class ShapeWidget : public QWidget {
public:
    ShapeWidget(QWidget* parent, QColor border, bool rounded);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor border_;
    bool rounded_;
};
