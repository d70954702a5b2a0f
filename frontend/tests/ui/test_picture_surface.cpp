// The drawing widget: user scales (also with y growing upwards), drawing that survives hiding
// and showing, and pointer events reported in user units.

#include "picture_surface.h"

#include <QSignalSpy>
#include <QTest>

class TestPictureSurface : public QObject {
    Q_OBJECT
private slots:
    void mapsUserCoordinatesOntoTheInnerImage()
    {
        PictureSurface surface(nullptr, 2);
        surface.setGeometry(0, 0, 104, 54); // inner 100 by 50
        surface.setUserScale(-1.8, 82, 20.2, -8);
        QCOMPARE(surface.image().size(), QSize(100, 50));
        const QPointF origin = surface.toPixel(0, 0);
        QVERIFY(qAbs(origin.x() - 1.8 / 22 * 100) < 1e-9);
        QVERIFY(qAbs(origin.y() - 82.0 / 90 * 50) < 1e-9);
        QVERIFY(surface.toPixel(0, 80).y() < origin.y()); // y grows upwards
        const QPointF back = surface.toUser(surface.toPixel(12.5, 23.4));
        QVERIFY(qAbs(back.x() - 12.5) < 1e-9 && qAbs(back.y() - 23.4) < 1e-9);
    }

    void drawsInColourAndKeepsTheDrawingWhileHidden()
    {
        PictureSurface surface(nullptr, 0);
        surface.resize(60, 25);
        surface.setUserScale(0, 0, 6000, 2500);
        surface.clear();
        surface.setLineWidth(2);
        surface.line(1000, 1000, 5000, 1000, {255, 0, 0});
        surface.rectangle(0, 0, 5990, 2490, {0, 0, 0});
        QCOMPARE(surface.image().pixelColor(30, 10), QColor(255, 0, 0));
        QCOMPARE(surface.image().pixelColor(30, 20), QColor(255, 255, 255));
        QCOMPARE(surface.image().pixelColor(0, 12), QColor(0, 0, 0));
        surface.show();
        QVERIFY(QTest::qWaitForWindowExposed(&surface));
        surface.hide();
        surface.show();
        QCOMPARE(surface.image().pixelColor(30, 10), QColor(255, 0, 0));
        const QImage shown = surface.grab().toImage();
        QCOMPARE(shown.pixelColor(30, 10), QColor(255, 0, 0));
        surface.clear();
        QCOMPARE(surface.image().pixelColor(30, 10), QColor(255, 255, 255));
    }

    void reportsThePointerInUserUnits()
    {
        PictureSurface surface(nullptr, 2);
        surface.resize(104, 104);
        surface.setUserScale(0, 100, 100, 0);
        surface.show();
        QVERIFY(QTest::qWaitForWindowExposed(&surface));
        QSignalSpy pressed(&surface, &PictureSurface::mousePressedUser);
        QTest::mouseClick(&surface, Qt::LeftButton, {}, QPoint(2 + 25, 2 + 75));
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
        QVERIFY(qAbs(pressed.at(0).at(1).toDouble() - 25) < 1.01);
        QVERIFY(qAbs(pressed.at(0).at(2).toDouble() - 25) < 1.01);
    }

    void drawsTextWithItsTopLeftCornerAtThePoint()
    {
        PictureSurface surface(nullptr, 0);
        surface.resize(200, 100);
        surface.clear();
        QFont font("Liberation Serif");
        font.setPixelSize(19);
        surface.setSurfaceFont(font);
        surface.text(50, 40, "Hi");
        const QImage image = surface.image();
        int top = -1, left = -1;
        for (int y = 0; y < image.height() && top < 0; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != Qt::white) {
                    top = y;
                    break;
                }
        for (int x = 0; x < image.width() && left < 0; ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixelColor(x, y) != Qt::white) {
                    left = x;
                    break;
                }
        QVERIFY2(top >= 40 && top < 48, qPrintable(QString::number(top)));
        QVERIFY2(left >= 50 && left < 54, qPrintable(QString::number(left)));
    }
};

QTEST_MAIN(TestPictureSurface)
#include "test_picture_surface.moc"
