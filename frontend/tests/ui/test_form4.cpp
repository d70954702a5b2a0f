// The set-up window: its defaults, the states of its two buttons, the file and graph
// handlers with their warnings, the checks at start and the start itself.

#include "ui_test_support.h"

#include "directory_list.h"
#include "file_list.h"
#include "form3.h"
#include "form4.h"
#include "picture_surface.h"
#include "run_conditions.h"
#include "widgets.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace spectrum_test;

class TestForm4 : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ScratchWorkingDirectory> work;
    std::unique_ptr<MessageRecorder> recorder;
    std::unique_ptr<QWidget> start;
    std::unique_ptr<Form3> phantom;
    std::unique_ptr<Form4> form;
    int engineStarts = 0;
    bool engineStartSucceeds = true;

    void chooseAndDraw(const QString& name)
    {
        QVERIFY(form->File1->selectFile(name));
        form->File1_Click();
        form->Command1_Click();
    }
    std::vector<QString> texts() const
    {
        std::vector<QString> result;
        for (const auto& message : recorder->messages)
            result.push_back(message.text);
        return result;
    }

private slots:
    void init()
    {
        work = std::make_unique<ScratchWorkingDirectory>();
        work->write("spec01.csv", spectrumText(20));
        work->write("small.csv", spectrumText(0, Shape::RowPerLine, "one direction"));
        work->write("empty.csv", "");
        work->write("only-comment.csv", "comment only\r\n");
        work->write(".csv", spectrumText(1));
        work->write("other.txt", "not listed");
        recorder = std::make_unique<MessageRecorder>();
        start = std::make_unique<QWidget>();
        phantom = std::make_unique<Form3>();
        form = std::make_unique<Form4>(start.get(), [this] { return phantom.get(); });
        engineStarts = 0;
        engineStartSucceeds = true;
        form->setEngineStarter([this](QString* reason) {
            ++engineStarts;
            if (!engineStartSucceeds)
                *reason = "orvcalc was not found";
            return engineStartSucceeds;
        });
        form->show();
    }
    void cleanup()
    {
        form.reset();
        phantom.reset();
        start.reset();
        recorder.reset();
        work.reset();
    }

    void startsWithDefaultsAndBothButtonsDisabled()
    {
        QCOMPARE(form->Text1->text(), "20");
        QCOMPARE(form->Text8->text(), "20");
        QCOMPARE(form->Text2->text(), "60");
        QCOMPARE(form->Text3->text(), "40");
        QCOMPARE(form->Text4->text(), "10");
        QCOMPARE(form->Text5->text(), "1000000000");
        QVERIFY(form->Text6->text().isEmpty() && form->Text7->text().isEmpty());
        QVERIFY(!form->Command1->isEnabled() && !form->Command3->isEnabled());
        QCOMPARE(form->Dir1->path(), work->path());
        QCOMPARE(form->File1->path(), work->path());
        QCOMPARE(form->File1->count(), 5); // the *.csv files only, ".csv" included
        QVERIFY(form->File1->fileName().isEmpty());
    }

    void layoutFollowsTheTwipsTable()
    {
        QCOMPARE(form->size(), QSize(1056, 623));
        QCOMPARE(form->Picture3->geometry(), QRect(272, 48, 417, 361));
        QCOMPARE(form->Picture3->image().size(), QSize(413, 357));
        QCOMPARE(form->Picture4->image().size(), QSize(325, 357));
        // The graphs' logical corners land on the image corners; the filtration y grows upwards.
        QCOMPARE(form->Picture3->toPixel(6000, 2500), QPointF(413, 357));
        QCOMPARE(form->Picture4->toPixel(-1.8, 82), QPointF(0, 0));
        QCOMPARE(form->Picture4->toPixel(20.2, -8), QPointF(325, 357));
        QCOMPARE(form->Command3->text(), "シミュレーション スタート");
        QCOMPARE(form->Command1->text(), "OK,  グラフ表示");
        QCOMPARE(form->Text5->alignment(), Qt::AlignCenter);
    }

    void keyboardSelectionReadsTheComment()
    {
        form->File1->setFocus();
        form->File1->setCurrentRow(0);
        form->File1->currentItem()->setSelected(true);
        QTest::keyClick(form->File1, Qt::Key_Down);
        QCOMPARE(form->File1->fileName(), "empty.csv");
        QCOMPARE(recorder->messages.size(), std::size_t(1)); // the empty file warns
        QTest::keyClick(form->File1, Qt::Key_Down);
        QCOMPARE(form->File1->fileName(), "only-comment.csv");
        QCOMPARE(form->Text6->text(), "comment only");
        QVERIFY(form->Command1->isEnabled());
    }

    void buttonStatesFollowFileClickAndGraphs()
    {
        QVERIFY(form->File1->selectFile("only-comment.csv"));
        QTest::mouseClick(form->File1->viewport(), Qt::LeftButton, {},
                          form->File1->visualItemRect(form->File1->currentItem()).center());
        QCOMPARE(form->Text6->text(), "comment only");
        QVERIFY(form->Command1->isEnabled());
        QVERIFY(!form->Command3->isEnabled());

        chooseAndDraw("spec01.csv");
        QCOMPARE(form->Text6->text(), "test spectrum, 120 kV");
        QVERIFY(form->Command3->isEnabled());
        QCOMPARE(form->Text7->text(), "spec01");
        QCOMPARE(form->spectrumData().lastDirection, 20);
        QVERIFY(!isBlank(form->Picture3->image()));
        QVERIFY(!isBlank(form->Picture4->image()));
        QVERIFY(recorder->messages.empty());

        // Another file's comment, then another directory: both buttons stay enabled and the
        // result name stays until the graphs are drawn again.
        QVERIFY(form->File1->selectFile("small.csv"));
        form->File1_Click();
        QCOMPARE(form->Text6->text(), "one direction");
        QCOMPARE(form->Text7->text(), "spec01");
        QDir(work->path()).mkdir("sub");
        QVERIFY(form->Dir1->setPath(work->path() + "/sub"));
        QCOMPARE(form->File1->path(), work->path() + "/sub");
        QVERIFY(form->File1->fileName().isEmpty());
        QVERIFY(form->Command1->isEnabled() && form->Command3->isEnabled());
    }

    void graphsWithoutSelectionWarn()
    {
        form->Command1_Click();
        QCOMPARE(texts(), std::vector<QString>{"ファイルが選択されていません"});
        QVERIFY(recorder->messages[0].icon == MessageIcon::Warning);
        QVERIFY(isBlank(form->Picture3->image()));
        QVERIFY(!form->Command3->isEnabled());
    }

    void resultNameIsTheFileNameWithoutExtension()
    {
        chooseAndDraw(".csv");
        QCOMPARE(form->Text7->text(), "");
        QVERIFY(form->Command3->isEnabled());
        chooseAndDraw("small.csv");
        QCOMPARE(form->Text7->text(), "small");
    }

    void unreadableFileClickWarnsAndEmptiesTheComment()
    {
        chooseAndDraw("spec01.csv");
        QVERIFY(form->File1->selectFile("empty.csv"));
        form->File1_Click();
        QCOMPARE(recorder->messages.size(), std::size_t(1));
        QVERIFY(recorder->messages[0].text.contains("empty.csv"));
        QVERIFY(recorder->messages[0].icon == MessageIcon::Warning);
        QVERIFY(form->Text6->text().isEmpty());
        QVERIFY(form->Command1->isEnabled());
    }

    void badSpectrumLeavesEverythingAsItWas()
    {
        chooseAndDraw("spec01.csv");
        const QImage spectra = form->Picture3->image();
        const QImage filtration = form->Picture4->image();
        work->write("broken.csv", "broken\r\n3\r\nd,1,2,x,4\r\n");
        form->File1->refresh();
        chooseAndDraw("broken.csv");
        QCOMPARE(recorder->messages.size(), std::size_t(1));
        QVERIFY(recorder->messages[0].text.contains("broken.csv"));
        QVERIFY(recorder->messages[0].text.contains("line 3, item 4"));
        QCOMPARE(form->spectrumData().lastDirection, 20);
        QCOMPARE(form->Picture3->image(), spectra);
        QCOMPARE(form->Picture4->image(), filtration);
        QCOMPARE(form->Text7->text(), "spec01");
        QVERIFY(form->Command3->isEnabled());
    }

    void drawingTwiceGivesTheSameGraphs()
    {
        chooseAndDraw("small.csv");
        const QImage first = form->Picture3->image();
        chooseAndDraw("spec01.csv");
        chooseAndDraw("small.csv");
        QCOMPARE(form->Picture3->image(), first);
    }

    void startChecksTheTwoBeamSizes_data()
    {
        QTest::addColumn<QString>("rotation");
        QTest::addColumn<QString>("bodyAxis");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("10 and 1") << "10" << "1" << true;
        QTest::newRow("defaults") << "40" << "10" << true;
        QTest::newRow("9.9 rotation") << "9.9" << "1" << false;
        QTest::newRow("0.5 body axis") << "10" << "0.5" << false;
        QTest::newRow("both wrong") << "9.9" << "0.5" << false;
        QTest::newRow("abc rotation") << "abc" << "10" << false;
    }
    void startChecksTheTwoBeamSizes()
    {
        QFETCH(QString, rotation);
        QFETCH(QString, bodyAxis);
        QFETCH(bool, accepted);
        chooseAndDraw("spec01.csv");
        form->Text3->setText(rotation);
        form->Text4->setText(bodyAxis);
        form->Text2->setText("abc"); // SAD, a, b and histories are never checked
        form->Text1->setText("35");
        form->Command3_Click();
        QCOMPARE(QFile::exists(work->path() + "/joken.dat"), accepted);
        QCOMPARE(engineStarts, accepted ? 1 : 0);
        QCOMPARE(recorder->messages.size(), std::size_t(1)); // one message either way
        if (accepted) {
            QCOMPARE(recorder->messages[0].text, "*** 計算終了までしばらくお待ちください。 ***");
            QVERIFY(recorder->messages[0].icon == MessageIcon::None);
            QVERIFY(form->isHidden());
            QVERIFY(start->isVisible());
        } else {
            QCOMPARE(recorder->messages[0].text, "*** 入力に誤りがあります ***");
            QVERIFY(recorder->messages[0].icon == MessageIcon::Warning);
            QVERIFY(form->isVisible());
            QCOMPARE(form->Text3->text(), rotation);
        }
    }

    void startWritesConditionsTheEngineReadsBack()
    {
        chooseAndDraw("spec01.csv");
        form->Text2->setText("60cm");
        form->Text3->setText("30");
        form->Text4->setText("2");
        form->Text1->setText("25");
        form->Text8->setText("15.5");
        form->Text5->setText("");
        form->Text7->setText("run one");
        form->Command3_Click();
        QCOMPARE(engineStarts, 1);

        const RunConditions read =
            readRunConditions((work->path() + "/joken.dat").toStdString());
        QCOMPARE(QString::fromStdString(read.spectrumName).trimmed(), "spec01.csv");
        QCOMPARE(QString::fromStdString(read.resultFileName), "run one.orv2");
        QCOMPARE(read.sourceAxisDistance, 60.0f);
        QCOMPARE(read.beamSizeRotation, 30.0f);
        QCOMPARE(read.beamSizeBodyAxis, 2.0f);
        QCOMPARE(read.phantomFlatLength, 25.0f);
        QCOMPARE(read.phantomThickness, 15.5f);
        QCOMPARE(read.historyCount, 0.0f);
        QCOMPARE(read.filterPointCount, 20);
        QCOMPARE(read.filterDistance[21], static_cast<float>(distance(20)));
        QCOMPARE(read.filterThickness[21], static_cast<float>(filtration(20) * 0.1));
        QCOMPARE(read.spectrumFluence[120], 1.0f);
        QVERIFY(form->isHidden() && start->isVisible());
    }

    void engineThatCannotStartKeepsTheWindow()
    {
        engineStartSucceeds = false;
        chooseAndDraw("spec01.csv");
        form->Command3_Click();
        QCOMPARE(recorder->messages.size(), std::size_t(1));
        QCOMPARE(recorder->messages[0].text, "*** 入力に誤りがあります ***");
        QCOMPARE(recorder->messages[0].detail, "orvcalc was not found");
        QVERIFY(QFile::exists(work->path() + "/joken.dat"));
        QVERIFY(form->isVisible() && !start->isVisible());
    }

    void recordOneIsEmptyWhenNothingIsSelected()
    {
        chooseAndDraw("small.csv");
        QDir(work->path()).mkdir("elsewhere");
        QVERIFY(form->Dir1->setPath(work->path() + "/elsewhere"));
        QDir::setCurrent(work->path()); // joken.dat still goes to the working directory
        form->Command3_Click();
        const RunConditions read =
            readRunConditions((work->path() + "/joken.dat").toStdString());
        QCOMPARE(QString::fromStdString(read.spectrumName), QString(30, ' '));
        QCOMPARE(read.filterPointCount, 0);
    }

    void unreadableDriveKeepsTheLists()
    {
        const QString before = form->Dir1->path();
        form->Drive1_Change("/no/such/drive");
        QCOMPARE(recorder->messages.size(), std::size_t(1));
        QVERIFY(recorder->messages[0].text.contains("/no/such/drive"));
        QCOMPARE(form->Dir1->path(), before);
        QCOMPARE(form->File1->path(), before);
    }

    void backAndFrameCloseReturnToTheStartWindow()
    {
        form->Text2->setText("75");
        form->Command2_Click();
        QVERIFY(start->isVisible() && form->isHidden());
        QCOMPARE(form->Text2->text(), "75");
        form->show();
        start->hide();
        form->close();
        QVERIFY(start->isVisible() && form->isHidden());
    }

    void phantomButtonShowsForm3()
    {
        QVERIFY(phantom->isHidden());
        form->Command4_Click();
        QVERIFY(phantom->isVisible());
        form->Command4_Click();
        QVERIFY(phantom->isVisible());
        phantom->Command1_Click();
        QVERIFY(phantom->isHidden());
    }
};

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    applyProgramStyle();
    TestForm4 test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_form4.moc"
