// The start window and the moves between the windows: only Form1 at start, "新規計算" always
// resetting the set-up window, "結果検索" always showing the results window, the phantom
// window independent of both, and the ways the program ends.

#include "ui_test_support.h"

#include "directory_list.h"
#include "file_list.h"
#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "form4.h"
#include "picture_surface.h"
#include "widgets.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace spectrum_test;

class TestForm1 : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ScratchWorkingDirectory> work;
    std::unique_ptr<MessageRecorder> recorder;
    std::unique_ptr<Form1> form;
    int programEnds = 0;

    static int visibleTopLevels()
    {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible() && widget->isWindow() && !widget->inherits("QMenu"))
                ++count;
        return count;
    }

private slots:
    void init()
    {
        work = std::make_unique<ScratchWorkingDirectory>();
        work->write("spec01.csv", spectrumText(3));
        recorder = std::make_unique<MessageRecorder>();
        form = std::make_unique<Form1>();
        programEnds = 0;
        form->setProgramEnd([this] { ++programEnds; });
        form->show();
    }
    void cleanup()
    {
        form.reset();
        recorder.reset();
        work.reset();
    }

    void startShowsOnlyTheStartWindow()
    {
        QVERIFY(form->isVisible());
        QCOMPARE(visibleTopLevels(), 1);
        QCOMPARE(form->windowTitle(), "Orvell 22");
        QCOMPARE(form->size(), QSize(734, 396));
        QCOMPARE(form->Command3->text(), "新規計算");
        QCOMPARE(form->Command1->text(), "結果検索");
        QCOMPARE(form->Command2->toolTip(), " bye bye ");
        QVERIFY(form->Command2->text().isEmpty() && !form->Command2->icon().isNull());
        QCOMPARE(form->Picture1->pixmap().size(), QSize(265, 210));
    }

    void newCalculationAlwaysResetsTheSetUpWindow()
    {
        QTest::mouseClick(form->Command3, Qt::LeftButton);
        Form4* setUp = form->form4();
        QVERIFY(setUp->isVisible() && form->isHidden());
        QCOMPARE(visibleTopLevels(), 1);

        // A complete set-up, then back and "新規計算" again.
        QVERIFY(setUp->File1->selectFile("spec01.csv"));
        setUp->File1_Click();
        setUp->Command1_Click();
        QVERIFY(setUp->Command3->isEnabled());
        setUp->Text2->setText("80");
        setUp->Text5->setText("5");
        QDir(work->path()).mkdir("sub");
        QVERIFY(setUp->Dir1->setPath(work->path() + "/sub"));
        QTest::mouseClick(setUp->Command2, Qt::LeftButton);
        QVERIFY(form->isVisible() && setUp->isHidden());
        QCOMPARE(setUp->Text2->text(), "80"); // going back keeps the values

        QTest::mouseClick(form->Command3, Qt::LeftButton);
        QVERIFY(setUp->isVisible() && form->isHidden());
        QCOMPARE(setUp->Text2->text(), "60");
        QCOMPARE(setUp->Text5->text(), "1000000000");
        QVERIFY(setUp->Text6->text().isEmpty() && setUp->Text7->text().isEmpty());
        QVERIFY(!setUp->Command1->isEnabled() && !setUp->Command3->isEnabled());
        QVERIFY(isBlank(setUp->Picture3->image()) && isBlank(setUp->Picture4->image()));
        QCOMPARE(setUp->Dir1->path(), work->path());
        QCOMPARE(setUp->File1->path(), work->path());
        QCOMPARE(setUp->File1->count(), 1);
        QCOMPARE(setUp->spectrumData().lastDirection, 3); // kept, but unusable until read again
    }

    void viewResultsShowsTheResultsWindowEachTime()
    {
        for (int time = 0; time < 2; ++time) {
            QTest::mouseClick(form->Command1, Qt::LeftButton);
            QVERIFY(form->form2()->isVisible());
            QVERIFY(form->isHidden());
            QCOMPARE(visibleTopLevels(), 1);
            form->form2()->Command6_Click();
            QVERIFY(form->isVisible() && form->form2()->isHidden());
        }
    }

    void phantomWindowStaysOpenAcrossTheMainWindows()
    {
        form->Command3_Click();
        form->form4()->Command4_Click();
        QVERIFY(form->form3()->isVisible());
        form->form4()->Command2_Click();
        QVERIFY(form->isVisible() && form->form3()->isVisible());
        form->Command1_Click();
        QVERIFY(form->form3()->isVisible());
        form->form3()->Command1_Click();
        QVERIFY(form->form3()->isHidden());
    }

    void byeByeAndClosingTheStartWindowEndTheProgram()
    {
        form->Command3_Click();
        form->form4()->Command4_Click();
        form->form4()->Command2_Click();
        QTest::mouseClick(form->Command2, Qt::LeftButton);
        QCOMPARE(programEnds, 1);
        form->close();
        QCOMPARE(programEnds, 2);
    }

    void closingTheSetUpWindowGoesBack()
    {
        form->Command3_Click();
        form->form4()->close();
        QVERIFY(form->isVisible() && form->form4()->isHidden());
        QCOMPARE(programEnds, 0);
    }
};

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    applyProgramStyle();
    QApplication::setQuitOnLastWindowClosed(false);
    TestForm1 test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_form1.moc"
