// "Orvell-22 --render": the program run as the headless demo runs it, with its exit status,
// its messages and the pixels of the PNG it writes.

#include "ui_test_support.h"

#include "../core/result_file_text.h"

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

using namespace result_fixture;

namespace {

struct Run {
    int exitCode = -1;
    QString errors;
};

Run render(const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORVELL_BIN_DIR "/Orvell-22"),
                  QStringList{"--render"} + arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// A map's user point (x, z) in the window picture: Picture1 at (216, 8), Picture3 at
// (1048, 8), each with a 2-pixel border and the origin at (203, 178) inside it.
QRgb mapPixel(const QImage& image, int mapLeft, int x, int z)
{
    return image.pixel(mapLeft + 2 + 203 + x, 8 + 2 + 178 + z);
}

} // namespace

class TestForm2Render : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ScratchWorkingDirectory> work;
    QString result;

private slots:
    void initTestCase()
    {
        work = std::make_unique<ScratchWorkingDirectory>();
        // Dose only in plane 3: 25 % primary and 25 % scattered.
        result = work->write("plane3.orv2", resultTextOf([](int, int, int y, int) {
            return y == 3 ? 0.25 : 0.0;
        }));
        work->write("short.orv2", header() + " .100E+00\r\n");
    }
    void cleanupTestCase() { work.reset(); }

    void drawsTheMapsOfTheChosenPlane()
    {
        const QString first = work->path() + "/first.png";
        const QString third = work->path() + "/third.png";
        QCOMPARE(render({result, "--out", first}).exitCode, 0);
        QCOMPARE(render({result, "--plane", "3", "--out", third}).exitCode, 0);
        const QImage plane1(first), plane3(third);
        QCOMPARE(plane1.size(), QSize(1467, 771));
        QCOMPARE(mapPixel(plane1, 1048, 37, 12), qRgb(255, 255, 255));
        QCOMPARE(mapPixel(plane3, 1048, 37, 12), qRgb(255, 127, 127)); // total 50 %
        QCOMPARE(mapPixel(plane3, 1048, -37, -12), qRgb(255, 127, 127));
        QCOMPARE(mapPixel(plane3, 216, 37, 12), qRgb(255, 191, 191)); // primary 25 %
        // The sagittal map (Picture6 at 216, 376, origin at 206, 178) shows plane 3's band,
        // 10 to 15 mm on both sides, in either picture (the plane marker stands at 12.5).
        for (const QImage* image : {&plane1, &plane3}) {
            QCOMPARE(image->pixel(216 + 2 + 206 + 11, 376 + 2 + 178 + 40), qRgb(255, 127, 127));
            QCOMPARE(image->pixel(216 + 2 + 206 - 14, 376 + 2 + 178 - 40), qRgb(255, 127, 127));
            QCOMPARE(image->pixel(216 + 2 + 206 + 30, 376 + 2 + 178 + 40), qRgb(255, 255, 255));
        }
    }

    void needsNoDisplay()
    {
        QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
        bare.remove("DISPLAY");
        bare.remove("WAYLAND_DISPLAY");
        bare.remove("QT_QPA_PLATFORM");
        QCOMPARE(render({result, "--out", work->path() + "/bare.png"}, bare).exitCode, 0);
        QVERIFY(QImage(work->path() + "/bare.png").width() == 1467);
    }

    void failuresSayWhy()
    {
        const QString out = work->path() + "/none.png";
        struct Case {
            QStringList arguments;
            int exitCode;
            QString said;
        };
        const Case cases[] = {
            {{work->path() + "/missing.orv2", "--out", out}, 1, "missing.orv2"},
            {{work->path() + "/short.orv2", "--out", out}, 1, "short.orv2"},
            {{result, "--plane", "41", "--out", out}, 2, "plane"},
            {{result, "--plane", "x", "--out", out}, 2, "plane"},
            {{result}, 2, "--out"},
            {{"--out", out}, 2, "usage"},
        };
        for (const Case& c : cases) {
            const Run run = render(c.arguments);
            QCOMPARE(run.exitCode, c.exitCode);
            QVERIFY2(run.errors.contains(c.said), qPrintable(run.errors));
            QVERIFY(!QFile::exists(out));
        }
    }
};

QTEST_GUILESS_MAIN(TestForm2Render)
#include "test_form2_render.moc"
