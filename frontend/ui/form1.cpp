#include "form1.h"

#include "artwork.h"
#include "fonts.h"
#include "form2.h"
#include "form3.h"
#include "form4.h"
#include "shape_widget.h"
#include "twips.h"
#include "widgets.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

Form1::Form1()
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      endProgram_([] { QCoreApplication::exit(0); })
{
    setObjectName("Form1");
    setWindowTitle("Orvell 22");
    setFixedSize(twipsToPixels(11010), twipsToPixels(5940));

    const QFont gothic = roundedGothicFont(14.25);
    const QColor red(255, 0, 0);

    QFont title = timesFont(27.75);
    title.setItalic(true);
    Label2 = makeLabel(this, "Label2", "Orvell-22", 720, 120, 2760, 645, title, red);
    Shape1 = new ShapeWidget(this, red, true);
    Shape1->setObjectName("Shape1");
    Shape1->setGeometry(twipsRect(360, 840, 3615, 855));
    Label11 = makeLabel(this, "Label11", "レーストラック形断面の", 600, 960, 3135, 285, gothic, labelBlue);
    Label12 = makeLabel(this, "Label12", "軟部組織ファントム", 840, 1320, 2565, 285, gothic, labelBlue);
    Label1 = makeLabel(this, "Label1", "Ｘ線CT撮影時の被写体内線量分布計算", 5160, 600, 4995, 285,
                       gothic, labelBlue);
    Label8 = makeLabel(this, "Label8", "（モンテカルロシミュレーション）", 5400, 1080, 4560, 285,
                       gothic, labelBlue);
    Label3 = makeLabel(this, "Label3", "以下のデータが必要です", 4920, 2040, 3135, 285, gothic);
    Label4 = makeLabel(this, "Label4", "１．別ソフト Lumivane で作成された", 4440, 2640, 5325, 285,
                       gothic);
    Label6 = makeLabel(this, "Label6", "線束内のＸ線スペクトル分布データファイル", 5040, 3000, 5700,
                       285, gothic);
    Label9 = makeLabel(this, "Label9", "２．焦点 - 回転中心間距離", 4440, 3480, 3465, 285, gothic);
    Label5 = makeLabel(this, "Label5", "３．線束の大きさ（回転方向、体軸方向）", 4440, 3960, 5415,
                       285, gothic);
    Label10 = makeLabel(this, "Label10", "（ノンヘリカル・コーンビーム CT を想定）", 4920, 4320, 4845,
                        240, roundedGothicFont(12));

    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    Picture1->setGeometry(twipsRect(240, 2040, 3975, 3135));
    Picture1->setPixmap(ctScannerPicture());
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Command3 = makeButton(this, "Command3", "新規計算", 5040, 5040, 1815, 615, gothic);
    Command1 = makeButton(this, "Command1", "結果検索", 7200, 5040, 1815, 615, gothic);
    Picture8 = new QLabel(this);
    Picture8->setObjectName("Picture8");
    Picture8->setGeometry(twipsRect(9360, 5160, 480, 480));
    Picture8->setPixmap(xRayTubeIcon());
    Command2 = makeButton(this, "Command2", QString(), 10080, 5040, 520, 520, gothic);
    Command2->setIcon(QIcon(byeByeIcon()));
    Command2->setIconSize(QSize(32, 32));
    Command2->setToolTip(" bye bye ");

    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
}

Form1::~Form1() = default;

Form2* Form1::form2()
{
    if (!form2_)
        form2_ = std::make_unique<Form2>(this);
    return form2_.get();
}

Form3* Form1::form3()
{
    if (!form3_)
        form3_ = std::make_unique<Form3>();
    return form3_.get();
}

Form4* Form1::form4()
{
    if (!form4_)
        form4_ = std::make_unique<Form4>(this, [this] { return form3(); });
    return form4_.get();
}

void Form1::Command3_Click()
{
    form4()->resetForNewCalculation();
    form4()->show();
    hide();
}

void Form1::Command1_Click()
{
    form2()->resetResults();
    form2()->showFromStart();
    hide();
}

void Form1::Command2_Click() { endProgram_(); }

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing the start window by its frame ends the program, like the " bye bye " button;
    // it stays on screen until the event loop has ended.
    event->ignore();
    endProgram_();
}

void Form1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!centred_) {
        centred_ = true;
        centreOnScreen(this);
    }
}
