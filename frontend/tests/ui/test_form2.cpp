// The results window: its states and transitions, loading and its failures, "Reset",
// re-entry from the start window, plane selection and the pointer read-outs.

#include "ui_test_support.h"

#include "../core/result_file_text.h"

#include "dose_colour.h"
#include "file_list.h"
#include "form2.h"
#include "line_shape.h"
#include "picture_surface.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <memory>

using namespace result_fixture;

namespace {

QRgb pixelAt(const PictureSurface* picture, double x, double y)
{
    const QPointF at = picture->toPixel(x, y);
    return picture->image().pixel(static_cast<int>(std::floor(at.x())),
                                  static_cast<int>(std::floor(at.y())));
}

// Every pixel in the picture's background colour.
bool isCleared(const PictureSurface* picture)
{
    const Rgb back = picture->backColour();
    QImage expected(picture->image().size(), picture->image().format());
    expected.fill(QColor(back.red, back.green, back.blue));
    return picture->image() == expected;
}

QRgb colourOf(double dose)
{
    const Rgb colour = doseColour(dose);
    return qRgb(colour.red, colour.green, colour.blue);
}

QString percentText(double dose)
{
    return QString::asprintf("%.1f", 100 * dose);
}

// The column of a vertical line shape, in the picture's user units.
double lineX(const PictureSurface* picture, const LineShape* line)
{
    return picture->toUser(QPointF(line->x() - picture->borderPixels(), 0)).x();
}

double lineY(const PictureSurface* picture, const LineShape* line)
{
    return picture->toUser(QPointF(0, line->y() - picture->borderPixels())).y();
}

} // namespace

class TestForm2 : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ScratchWorkingDirectory> work;
    std::unique_ptr<MessageRecorder> recorder;
    std::unique_ptr<QWidget> start;
    std::unique_ptr<Form2> form;

    void load(const QString& name)
    {
        QVERIFY(form->chooseFile(name));
        QVERIFY(form->Command14->isEnabled());
        form->Command14_Click();
        QCOMPARE(form->resultLoaded(), 1);
    }
    std::vector<LineShape*> pointerLines() const
    {
        return {form->Line27, form->Line28, form->Line29, form->Line30,
                form->Line31, form->Line32, form->Line33};
    }
    bool allHidden(const std::vector<LineShape*>& lines) const
    {
        for (LineShape* line : lines)
            if (!line->isHidden())
                return false;
        return true;
    }
    bool allMapsBlank() const
    {
        for (PictureSurface* p : {form->Picture1, form->Picture2, form->Picture3, form->Picture5,
                                  form->Picture6})
            if (!isBlank(p->image()))
                return false;
        return true;
    }

private slots:
    void initTestCase()
    {
        work = std::make_unique<ScratchWorkingDirectory>();
        work->write("first.orv2", resultText({200, "\r\n"}, header(20, 20)));
        work->write("second.orv2", resultText({1000, "\n"}, header(20, 10)));
        work->write("short.orv2", resultText({}, header(15, 15), 123456));
        work->write("bad.orv2", "title\r\n 60.0\r\n x40\r\n");
        work->write("notes.txt", "not a result");
    }
    void cleanupTestCase() { work.reset(); }

    void init()
    {
        recorder = std::make_unique<MessageRecorder>();
        start = std::make_unique<QWidget>();
        form = std::make_unique<Form2>(start.get());
        form->resetResults();
        form->showFromStart();
    }
    void cleanup()
    {
        form.reset();
        start.reset();
        recorder.reset();
    }

    void freshWindow()
    {
        QCOMPARE(form->windowTitle(), QString("  Dose distribution"));
        QCOMPARE(form->size(), QSize(1467, 771));
        QCOMPARE(form->File1->count(), 4);
        QCOMPARE(form->File1->item(0)->text(), QString("bad.orv2"));
        QVERIFY(!form->Command14->isEnabled());
        QCOMPARE(form->resultLoaded(), 0);
        for (QLabel* label : {form->Label32, form->Label33, form->Label35, form->Label36})
            QVERIFY(label->isHidden());
        QVERIFY(form->Line10->isHidden());
        QVERIFY(allHidden(pointerLines()));
        QVERIFY(allMapsBlank());
        // The colour scale: red at the top of the bar, white at its bottom.
        QCOMPARE(pixelAt(form->Picture7, 2, 254), qRgb(255, 1, 1));
        QCOMPARE(pixelAt(form->Picture7, 2, 0), qRgb(255, 255, 255));
    }

    void headerOfTheChosenFile()
    {
        QVERIFY(form->chooseFile("second.orv2"));
        QVERIFY(!isCleared(form->Picture4));
        QVERIFY(form->Command14->isEnabled());
        QCOMPARE(form->phantomA(), 20.0);
        QCOMPARE(form->phantomB(), 10.0);
        // A complete header with a short grid still shows and enables "OK".
        QVERIFY(form->chooseFile("short.orv2"));
        QVERIFY(form->Command14->isEnabled());
        QCOMPARE(form->phantomA(), 15.0);
        QVERIFY(recorder->messages.empty());
    }

    void keyboardAndMouseChooseAFileOnce()
    {
        form->File1->setFocus();
        QTest::mouseClick(form->File1->viewport(), Qt::LeftButton, {},
                          form->File1->visualItemRect(form->File1->item(0)).center());
        QCOMPARE(recorder->messages.size(), std::size_t(1)); // bad.orv2, read once
        QTest::keyClick(form->File1, Qt::Key_Down); // first.orv2
        QVERIFY(form->Command14->isEnabled());
        QCOMPARE(form->phantomB(), 20.0);
        QTest::keyClick(form->File1, Qt::Key_Down); // second.orv2
        QCOMPARE(form->phantomB(), 10.0);
        QCOMPARE(recorder->messages.size(), std::size_t(1));
        // A refresh keeps the selection without reading the header again.
        form->chooseFile("bad.orv2");
        QCOMPARE(recorder->messages.size(), std::size_t(2));
        form->resetResults();
        QCOMPARE(recorder->messages.size(), std::size_t(2));
    }

    void unreadableHeaderLeavesTheWindowAsItWas()
    {
        QVERIFY(form->chooseFile("second.orv2"));
        const QImage header = form->Picture4->image();
        QVERIFY(form->chooseFile("bad.orv2"));
        QCOMPARE(recorder->messages.size(), std::size_t(1));
        QCOMPARE(recorder->messages[0].icon, MessageIcon::Warning);
        QVERIFY(recorder->messages[0].text.contains("bad.orv2"));
        QCOMPARE(form->Picture4->image(), header);
        QCOMPARE(form->phantomB(), 10.0);
        QVERIFY(form->Command14->isEnabled());
    }

    void okLoadsAndDraws()
    {
        load("first.orv2");
        QCOMPARE(form->axialPlane(), 1);
        QCOMPARE(form->Text4->text(), QString(" 0 -  5"));
        QCOMPARE(form->profileHalfWidth(), 200.0);
        QVERIFY(!form->Command14->isEnabled());
        QVERIFY(!form->Line10->isHidden());
        for (QLabel* label : {form->Label32, form->Label33, form->Label35, form->Label36})
            QVERIFY(!label->isHidden());
        QVERIFY(allHidden(pointerLines()));
        const ResultDose& dose = form->resultDose();
        QCOMPARE(dose(0, 37, 1, 12), cellValue(1, 37, 1, 12) + cellValue(2, 37, 1, 12));
        QCOMPARE(dose(1, 200, 40, 100), cellValue(1, 200, 40, 100));
        // Each cell on its map, mirrored; the centre lines stay unpainted (white).
        for (auto [x, z] : {std::pair{37, 12}, {1, 1}, {200, 100}}) {
            for (int sx : {1, -1})
                for (int sz : {1, -1}) {
                    QCOMPARE(pixelAt(form->Picture1, sx * x, sz * z), colourOf(dose(1, x, 1, z)));
                    QCOMPARE(pixelAt(form->Picture2, sx * x, sz * z), colourOf(dose(2, x, 1, z)));
                    QCOMPARE(pixelAt(form->Picture3, sx * x, sz * z), colourOf(dose(0, x, 1, z)));
                }
        }
        QCOMPARE(pixelAt(form->Picture6, 37, 12), colourOf(dose(0, 1, 8, 12)));
        QCOMPARE(pixelAt(form->Picture6, -37, -12), colourOf(dose(0, 1, 8, 12)));
        QVERIFY(!isBlank(form->Picture5->image()));
        QVERIFY(recorder->messages.empty());
    }

    void failedLoadKeepsTheEarlierResult()
    {
        load("first.orv2");
        const QImage before = form->Picture1->image();
        QVERIFY(form->chooseFile("short.orv2"));
        form->Command14_Click();
        QCOMPARE(recorder->messages.size(), std::size_t(1));
        QVERIFY(recorder->messages[0].text.contains("short.orv2"));
        QCOMPARE(recorder->messages[0].icon, MessageIcon::Warning);
        QCOMPARE(form->Picture1->image(), before);
        QCOMPARE(form->resultDose()(1, 37, 1, 12), cellValue(1, 37, 1, 12));
        QCOMPARE(form->resultLoaded(), 1);
        // The sizes are those of the last header read, as after any click on a file.
        QCOMPARE(form->phantomA(), 15.0);
    }

    void failedFirstLoadLoadsNothing()
    {
        QVERIFY(form->chooseFile("short.orv2"));
        form->Command14_Click();
        QCOMPARE(recorder->messages.size(), std::size_t(1));
        QCOMPARE(form->resultLoaded(), 0);
        QVERIFY(allMapsBlank());
        QVERIFY(form->Line10->isHidden());
    }

    void resetClearsButKeepsPlaneSizesAndZ()
    {
        load("first.orv2");
        form->Picture6_MouseDown(Qt::LeftButton, -37, 0);
        form->axialMap_MouseMove(37, -12);
        QCOMPARE(form->Text7->text(), QString("12"));
        form->Command1_Click();
        for (QLineEdit* box : {form->Text1, form->Text2, form->Text3, form->Text4, form->Text5,
                               form->Text6})
            QVERIFY(box->text().isEmpty());
        QCOMPARE(form->Text7->text(), QString("12"));
        QVERIFY(allMapsBlank());
        QVERIFY(isCleared(form->Picture4));
        QVERIFY(!isBlank(form->Picture7->image()));
        QVERIFY(form->Line10->isHidden());
        QCOMPARE(lineX(form->Picture6, form->Line10), 0.0);
        QVERIFY(allHidden(pointerLines()));
        QVERIFY(!form->Command14->isEnabled());
        QCOMPARE(form->resultLoaded(), 0);
        QCOMPARE(form->axialPlane(), 8);
        QCOMPARE(form->phantomA(), 20.0);
        QVERIFY(!form->Label32->isHidden());
        QVERIFY(!form->Label36->isHidden());
    }

    void handlersDoNothingWhileNothingIsLoaded()
    {
        auto probe = [this] {
            form->axialMap_MouseMove(37, -12);
            form->Picture5_MouseMove(-45, 0);
            form->Picture6_MouseMove(35, 0);
            form->Picture6_MouseDown(Qt::LeftButton, -37, 0);
            for (QLineEdit* box : {form->Text1, form->Text2, form->Text3, form->Text4,
                                   form->Text5, form->Text6})
                QVERIFY(box->text().isEmpty());
            QVERIFY(allHidden(pointerLines()));
            QVERIFY(form->Line10->isHidden());
            QVERIFY(allMapsBlank());
        };
        probe(); // before any load
        QCOMPARE(form->axialPlane(), 1);
        load("first.orv2");
        form->Command1_Click();
        probe(); // after "Reset"
        QCOMPARE(form->axialPlane(), 1);
    }

    void planeSelectionOnTheSagittalMap()
    {
        load("first.orv2");
        form->Picture6_MouseMove(35, 40);
        QCOMPARE(form->Text6->text(), QString("35"));
        form->Picture6_MouseDown(Qt::RightButton, -37, 90);
        QCOMPARE(form->axialPlane(), 8);
        QCOMPARE(form->Text4->text(), QString("35 - 40"));
        QVERIFY(!form->Line10->isHidden());
        QCOMPARE(lineX(form->Picture6, form->Line10), -37.0);
        QCOMPARE(pixelAt(form->Picture1, 37, 12), colourOf(form->resultDose()(1, 37, 8, 12)));
        QCOMPARE(pixelAt(form->Picture3, -5, 3), colourOf(form->resultDose()(0, 5, 8, 3)));
        QVERIFY(!isBlank(form->Picture5->image()));

        form->Picture6_MouseMove(205, 0);
        QCOMPARE(form->Text6->text(), QString("8"));

        // In the margins: the axial maps and the profile are blanked, nothing else changes.
        const QImage sagittal = form->Picture6->image();
        form->Picture6_MouseDown(Qt::LeftButton, 203, 0);
        for (PictureSurface* p : {form->Picture1, form->Picture2, form->Picture3, form->Picture5})
            QVERIFY(isBlank(p->image()));
        QCOMPARE(form->Picture6->image(), sagittal);
        QCOMPARE(form->axialPlane(), 8);
        QCOMPARE(form->Text4->text(), QString("35 - 40"));
        QCOMPARE(lineX(form->Picture6, form->Line10), -37.0);

        form->Picture6_MouseDown(Qt::LeftButton, 0, 0);
        QCOMPARE(form->axialPlane(), 1);
        QCOMPARE(form->Text4->text(), QString("0 - 5"));
        QCOMPARE(lineX(form->Picture6, form->Line10), 1.0);
        QVERIFY(!isBlank(form->Picture1->image()));
        form->Picture6_MouseDown(Qt::LeftButton, 200, 0);
        QCOMPARE(form->axialPlane(), 40);
        QCOMPARE(form->Text4->text(), QString("195 - 200"));
    }

    void readOutsOnTheAxialMaps()
    {
        load("first.orv2");
        form->Picture6_MouseDown(Qt::LeftButton, 12, 0); // plane 3
        const ResultDose& dose = form->resultDose();
        form->axialMap_MouseMove(37, -12);
        QVERIFY(!allHidden(pointerLines()));
        for (LineShape* line : pointerLines())
            QVERIFY(!line->isHidden());
        QCOMPARE(lineY(form->Picture1, form->Line27), -12.0);
        QCOMPARE(lineY(form->Picture3, form->Line29), -12.0);
        QCOMPARE(lineX(form->Picture2, form->Line32), 37.0);
        QCOMPARE(lineX(form->Picture5, form->Line30), 37.0);
        QCOMPARE(form->Text5->text(), QString("37"));
        QCOMPARE(form->Text7->text(), QString("12"));
        QCOMPARE(form->Text1->text(), percentText(dose(1, 37, 3, 12)));
        QCOMPARE(form->Text2->text(), percentText(dose(2, 37, 3, 12)));
        QCOMPARE(form->Text3->text(), percentText(dose(0, 37, 3, 12)));

        form->axialMap_MouseMove(-37, 12);
        QCOMPARE(form->Text5->text(), QString("-37"));
        QCOMPARE(form->Text7->text(), QString("-12"));
        QCOMPARE(form->Text1->text(), percentText(dose(1, 37, 3, 12)));

        form->axialMap_MouseMove(0, 0);
        QCOMPARE(form->Text5->text(), QString("0"));
        QCOMPARE(form->Text7->text(), QString("0"));
        QCOMPARE(form->Text3->text(), percentText(dose(0, 1, 3, 1)));

        // Through the picture's own pointer events, in its user units.
        const QPointF at = form->Picture2->toPixel(-50, 20);
        QTest::mouseMove(form->Picture2, (at + QPointF(2, 2)).toPoint());
        QCOMPARE(form->Text5->text(), QString("-50"));
        QCOMPARE(form->Text7->text(), QString("-20"));
    }

    void readOutsOutsideThePhantom()
    {
        load("second.orv2"); // a = 20, b = 10
        form->axialMap_MouseMove(10, 10);
        QVERIFY(!form->Text1->text().isEmpty());
        form->axialMap_MouseMove(160, 0);
        QVERIFY(allHidden(pointerLines()));
        for (QLineEdit* box : {form->Text5, form->Text7, form->Text1, form->Text2, form->Text3})
            QVERIFY(box->text().isEmpty());
    }

    void readOutsOnTheProfile()
    {
        load("first.orv2");
        const ResultDose& dose = form->resultDose();
        form->axialMap_MouseMove(10, 30);
        form->Picture5_MouseMove(-45, 150);
        QCOMPARE(form->Text5->text(), QString("45"));
        QCOMPARE(form->Text7->text(), QString("0"));
        QCOMPARE(form->Text1->text(), percentText(dose(1, 45, 1, 1)));
        QCOMPARE(form->Text3->text(), percentText(dose(0, 45, 1, 1)));
        for (LineShape* line : {form->Line30, form->Line31, form->Line32, form->Line33})
            QVERIFY(!line->isHidden());
        QCOMPARE(lineX(form->Picture1, form->Line31), -45.0);
        QCOMPARE(lineX(form->Picture5, form->Line30), -45.0);
        QCOMPARE(lineY(form->Picture1, form->Line27), 30.0); // the horizontal lines stay

        form->Picture5_MouseMove(-201, 0); // beyond w = 200
        for (LineShape* line : {form->Line30, form->Line31, form->Line32, form->Line33})
            QVERIFY(line->isHidden());
        QVERIFY(!form->Line27->isHidden());
        QCOMPARE(form->Text5->text(), QString("45"));
        QCOMPARE(form->Text1->text(), percentText(dose(1, 45, 1, 1)));
    }

    void anotherFileWhileLoadedChangesOnlyTheSizes()
    {
        load("first.orv2");
        const QImage maps = form->Picture1->image();
        QVERIFY(form->chooseFile("second.orv2"));
        QCOMPARE(form->Picture1->image(), maps);
        QCOMPARE(form->resultDose()(1, 37, 1, 12), cellValue(1, 37, 1, 12));
        QCOMPARE(form->resultLoaded(), 1);
        QCOMPARE(form->phantomB(), 10.0);
        // The pointer bounds follow the new header at once: 60 mm is now outside.
        form->axialMap_MouseMove(0, 60);
        QVERIFY(allHidden(pointerLines()));
        QVERIFY(form->Text5->text().isEmpty());
        // And so does a redraw for a newly chosen plane.
        form->Picture6_MouseDown(Qt::LeftButton, 7, 0);
        QCOMPARE(form->axialPlane(), 2);
        QCOMPARE(form->profileHalfWidth(), 150.0);
    }

    void reentryFromTheStartWindow()
    {
        load("first.orv2");
        form->Picture6_MouseDown(Qt::LeftButton, -37, 0);
        form->axialMap_MouseMove(37, -12);
        form->Command6_Click();
        QVERIFY(form->isHidden());
        QVERIFY(!start->isHidden());
        work->write("later.orv2", header());
        form->resetResults();
        form->showFromStart();
        QVERIFY(!form->isHidden());
        QCOMPARE(form->File1->count(), 5);
        QVERIFY(allMapsBlank());
        QVERIFY(isCleared(form->Picture4));
        for (QLineEdit* box : {form->Text1, form->Text2, form->Text3, form->Text4, form->Text5,
                               form->Text6, form->Text7})
            QVERIFY(box->text().isEmpty());
        for (QLabel* label : {form->Label32, form->Label33, form->Label35, form->Label36})
            QVERIFY(label->isHidden());
        QVERIFY(!form->Command14->isEnabled());
        // Still loaded: the read-outs and the plane selection work on the cleared surfaces.
        QCOMPARE(form->resultLoaded(), 1);
        QCOMPARE(form->axialPlane(), 8);
        form->axialMap_MouseMove(37, -12);
        QCOMPARE(form->Text1->text(), percentText(form->resultDose()(1, 37, 8, 12)));
        form->Picture6_MouseMove(12, 0);
        QCOMPARE(form->Text6->text(), QString("12"));
        QFile::remove("later.orv2");
    }

    void closeBoxReturnsAndReloads()
    {
        load("first.orv2");
        form->Picture6_MouseDown(Qt::LeftButton, -37, 0);
        QVERIFY(form->close());
        QVERIFY(form->isHidden());
        QVERIFY(!start->isHidden());
        form->resetResults();
        form->showFromStart();
        QCOMPARE(form->resultLoaded(), 0);
        QVERIFY(form->Line10->isHidden());
        QCOMPARE(lineX(form->Picture6, form->Line10), 0.0);
        QVERIFY(!isBlank(form->Picture7->image()));
        form->axialMap_MouseMove(37, -12);
        QVERIFY(form->Text5->text().isEmpty());
    }

    void queuedClicksRunInsideOk()
    {
        QVERIFY(form->chooseFile("first.orv2"));
        form->Text1->setText("earlier");
        // A "Reset" clicked while the file is read is handled in the middle of "OK", which
        // then goes on to draw and finish the load.
        QMetaObject::invokeMethod(form.get(), &Form2::Command1_Click, Qt::QueuedConnection);
        form->Command14_Click();
        QVERIFY(form->Text1->text().isEmpty());
        QCOMPARE(form->resultLoaded(), 1);
        QVERIFY(!isBlank(form->Picture1->image()));
        QVERIFY(!form->Command14->isEnabled());
    }
};

QTEST_MAIN(TestForm2)
#include "test_form2.moc"
