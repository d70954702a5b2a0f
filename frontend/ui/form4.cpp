#include "form4.h"

#include "artwork.h"
#include "conditions_writer.h"
#include "directory_list.h"
#include "drive_list.h"
#include "engine_launcher.h"
#include "file_list.h"
#include "fonts.h"
#include "form3.h"
#include "messages.h"
#include "picture_surface.h"
#include "shape_widget.h"
#include "spectrum_graphs.h"
#include "twips.h"
#include "widgets.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char* const inputErrorText = "*** 入力に誤りがあります ***";

ShapeWidget* makeSection(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* shape = new ShapeWidget(parent, Qt::black, false);
    shape->setObjectName(name);
    shape->setGeometry(twipsRect(left, top, width, height));
    return shape;
}

QFont bold(QFont font)
{
    font.setBold(true);
    return font;
}

} // namespace

Form4::Form4(QWidget* startWindow, std::function<Form3*()> phantomWindow)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      startWindow_(startWindow),
      phantomWindow_(std::move(phantomWindow)),
      engineStarter_([](QString* reason) { return launchEngine(reason); })
{
    setObjectName("Form4");
    setWindowTitle("Orvell 22");
    setFixedSize(twipsToPixels(15840), twipsToPixels(9345));

    buildSectionOne();
    buildSectionTwo();
    buildSectionThree();
    buildSectionFour();
    const QFont gothic = roundedGothicFont(14.25);
    Command2 = makeButton(this, "Command2", "前画面へ戻る", 360, 8760, 1845, 405,
                          roundedGothicFont(11.25));
    Command3 = makeButton(this, "Command3", "シミュレーション スタート", 10920, 8760, 4455, 495, gothic);
    for (ShapeWidget* shape : {Shape1, Shape2, Shape3, Shape4})
        shape->lower();

    connect(Drive1, &DriveList::driveChanged, this, &Form4::Drive1_Change);
    connect(Dir1, &DirectoryList::pathChanged, this, &Form4::Dir1_Change);
    connect(Dir1, &DirectoryList::unreadable, this, [this](const QString& path) {
        showMessage(this, {QStringLiteral("フォルダ %1 を開けません。").arg(QDir::toNativeSeparators(path)),
                           MessageIcon::Warning});
    });
    connect(File1, &FileList::fileClicked, this, &Form4::File1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form4::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form4::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form4::Command4_Click);

    resetForNewCalculation();
}

void Form4::buildSectionOne()
{
    const QFont blue12 = roundedGothicFont(12);
    Shape3 = makeSection(this, "Shape3", 120, 120, 15495, 6255);
    makeLabel(this, "Label4", "①", 240, 240, 300, 285, bold(roundedGothicFont(14.25)));
    makeLabel(this, "Label7", "Lumivane で計算された", 720, 240, 2970, 240, blue12, labelBlue, true);
    makeLabel(this, "Label11", "Ｘ線スペクトル分布データ", 720, 600, 2880, 240, blue12, labelBlue, true);
    makeLabel(this, "Label8", "ファイルを選択して下さい", 720, 960, 2880, 240, blue12, labelBlue, true);

    Drive1 = new DriveList(this);
    Drive1->setObjectName("Drive1");
    Drive1->setFont(proportionalGothicFont(11.25));
    Drive1->setGeometry(twipsRect(360, 1320, 3495, 345));
    Dir1 = new DirectoryList(this);
    Dir1->setObjectName("Dir1");
    Dir1->setFont(proportionalGothicFont(9.75));
    Dir1->setGeometry(twipsRect(360, 1680, 3495, 990));
    File1 = new FileList(this, "*.csv");
    File1->setObjectName("File1");
    File1->setFont(proportionalGothicFont(11.25));
    File1->setGeometry(twipsRect(360, 2640, 3495, 2340));

    makeLabel(this, "Label10", "このファイルのコメント", 840, 5040, 2640, 240, blue12, labelBlue, true);
    Text6 = makeTextBox(this, "Text6", 360, 5280, 3495, 375, proportionalGothicFont(12));
    Command1 = makeButton(this, "Command1", "OK,  グラフ表示", 840, 5640, 2415, 495, roundedGothicFont(12));
    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    Picture1->setGeometry(twipsRect(3360, 5640, 480, 480));
    Picture1->setPixmap(spectrumIcon());

    makeLabel(this, "Label13", "Ｘ線スペクトル（方向別）", 5760, 360, 2880, 240, blue12, labelBlue, true);
    Picture3 = new PictureSurface(this);
    Picture3->setObjectName("Picture3");
    Picture3->setGeometry(twipsRect(4080, 720, 6255, 5415));
    Picture3->setUserScale(0, 0, 6000, 2500);
    Picture3->setSurfaceFont(timesFont(14.25));
    makeLabel(this, "Label3", "総濾過 ＋ ボウタイフィルタ透過長", 11040, 360, 3750, 240, blue12,
              labelBlue, true);
    Picture4 = new PictureSurface(this);
    Picture4->setObjectName("Picture4");
    Picture4->setGeometry(twipsRect(10440, 720, 4935, 5415));
    Picture4->setUserScale(-1.8, 82, 20.2, -8);
    Picture4->setSurfaceFont(timesFont(14.25));
}

void Form4::buildSectionTwo()
{
    const QFont gothic = roundedGothicFont(14.25);
    const QFont times = timesFont(14.25);
    const QFont numbers = timesFont(15.75);
    Shape1 = makeSection(this, "Shape1", 120, 6480, 5655, 2175);
    makeLabel(this, "Label20", "②", 240, 6600, 300, 285, bold(gothic));
    makeLabel(this, "Label1", "焦点 - 回転中心間距離 ＝", 720, 6720, 3270, 285, gothic);
    Text2 = makeTextBox(this, "Text2", 4080, 6600, 975, 495, numbers);
    makeLabel(this, "Label6", "cm", 5160, 6720, 345, 315, times);
    makeLabel(this, "Label12", "回転中心における線束の大きさ", 720, 7200, 3990, 285, gothic);
    makeLabel(this, "Label14", "回転方向 (10cm以上)＝", 840, 7680, 3150, 285, gothic);
    Text3 = makeTextBox(this, "Text3", 4080, 7560, 975, 495, numbers);
    makeLabel(this, "Label5", "cm", 5160, 7680, 345, 315, times);
    makeLabel(this, "Label9", "体軸方向 (1cm以上)＝", 960, 8160, 2940, 285, gothic);
    Text4 = makeTextBox(this, "Text4", 4080, 8040, 975, 495, numbers);
    makeLabel(this, "Label15", "cm", 5160, 8160, 345, 315, times);
}

void Form4::buildSectionThree()
{
    const QFont gothic = roundedGothicFont(14.25);
    const QFont times = timesFont(14.25);
    const QFont numbers = timesFont(15.75);
    Shape2 = makeSection(this, "Shape2", 6000, 6480, 4455, 2535);
    makeLabel(this, "Label21", "③", 6120, 6600, 300, 285, bold(gothic));
    makeLabel(this, "Label2", "被写体ファントム", 6600, 6600, 2280, 285, gothic);
    Command4 = makeButton(this, "Command4", "参 照", 9120, 6600, 975, 375, roundedGothicFont(12));
    makeLabel(this, "Label16", "レーストラック形断面軟部組織", 6240, 7080, 3990, 285, gothic);
    makeLabel(this, "Label17", "長さ (length) ＝            一定", 6240, 7560, 3795, 285, gothic);
    makeLabel(this, "Label26", "40 cm", 8520, 7560, 780, 345, timesFont(15.75));
    makeLabel(this, "Label18", "a =", 6240, 8160, 420, 285, gothic);
    Text1 = makeTextBox(this, "Text1", 6720, 8040, 855, 495, numbers);
    makeLabel(this, "Label19", "cm", 7680, 8160, 345, 315, times);
    makeLabel(this, "Label29", "max : 20", 6600, 8520, 945, 315, times);
    makeLabel(this, "Label25", "b =", 8400, 8160, 435, 285, gothic);
    Text8 = makeTextBox(this, "Text8", 8880, 8040, 855, 495, numbers);
    makeLabel(this, "Label28", "cm", 9840, 8160, 345, 315, times);
    makeLabel(this, "Label30", "max : 20", 8760, 8520, 945, 315, times);
}

void Form4::buildSectionFour()
{
    const QFont gothic = roundedGothicFont(14.25);
    Shape4 = makeSection(this, "Shape4", 10680, 6480, 4935, 2175);
    makeLabel(this, "Label22", "④", 10800, 6600, 300, 285, bold(gothic));
    makeLabel(this, "Label23", "モンテカルロシミュレーション", 11280, 6600, 3990, 285, gothic);
    makeLabel(this, "Label24", "ヒストリー数 ＝", 10800, 7200, 2085, 285, gothic);
    Text5 = makeTextBox(this, "Text5", 12960, 7080, 2415, 495, timesFont(15.75));
    makeLabel(this, "Label27", "結果保存ファイル名 (拡張子なし)", 10920, 7800, 4290, 285, gothic);
    Text7 = makeTextBox(this, "Text7", 11280, 8190, 3735, 345, monospacedGothicFont(12));
}

void Form4::resetForNewCalculation()
{
    Picture3->clear();
    Picture4->clear();

    Text1->setText("20");
    Text8->setText("20");
    Text2->setText("60");
    Text3->setText("40");
    Text4->setText("10");
    Text5->setText("1000000000");
    Text6->clear();
    Text7->clear();

    Command3->setEnabled(false);
    Command1->setEnabled(false);

    const QString drive = Drive1->drive();
    if (!Dir1->setPath(DriveList::currentDirectoryOf(drive)))
        Dir1->setPath(drive);
    File1->setPath(Dir1->path());
    File1->refresh();
}

void Form4::Drive1_Change(const QString& drive)
{
    if (Dir1->setPath(DriveList::currentDirectoryOf(drive)))
        return;
    // The lists stay on the last directory that could be read, and so does the drive shown.
    Drive1->showDriveOf(Dir1->path());
    showMessage(this, {QStringLiteral("ドライブ %1 を読み込めません。").arg(QDir::toNativeSeparators(drive)),
                       MessageIcon::Warning});
}

void Form4::Dir1_Change(const QString& path) { File1->setPath(path); }

QString Form4::selectedFilePath() const
{
    return QDir(File1->path()).filePath(File1->fileName());
}

void Form4::File1_Click()
{
    if (File1->fileName().isEmpty())
        return;
    const QString path = selectedFilePath();
    try {
        spectrumComment_ = QString::fromStdString(readSpectrumComment(QFile::encodeName(path).toStdString()));
    } catch (const SpectrumFileError& error) {
        // The comment box must not show the comment of a file that was not read.
        Text6->clear();
        showMessage(this, {QStringLiteral("ファイル %1 を読み込めません。\n%2")
                               .arg(QDir::toNativeSeparators(path), QString::fromStdString(error.what())),
                           MessageIcon::Warning});
        return;
    }
    Text6->setText(spectrumComment_);
    Text6->setCursorPosition(0);
    Command1->setEnabled(true);
}

void Form4::Command1_Click()
{
    const QString name = File1->fileName();
    if (name.isEmpty()) {
        showMessage(this, {QStringLiteral("ファイルが選択されていません"), MessageIcon::Warning});
        return;
    }
    const QString path = selectedFilePath();
    SpectrumData data;
    try {
        data = readSpectrumFile(QFile::encodeName(path).toStdString());
    } catch (const SpectrumFileError& error) {
        // Nothing changes: the data, the graphs, the result name and the start button stay.
        showMessage(this, {QStringLiteral("スペクトルデータファイル %1 を読み込めません。\n%2")
                               .arg(QDir::toNativeSeparators(path), QString::fromStdString(error.what())),
                           MessageIcon::Warning});
        return;
    }
    spectrum_ = data;
    spectrumComment_ = QString::fromStdString(spectrum_.spectrumComment);
    drawSpectrumGraph(*Picture3, spectrum_);
    drawFiltrationGraph(*Picture4, spectrum_);
    Text7->setText(name.left(name.size() - 4));
    Command3->setEnabled(true);
}

void Form4::Command2_Click()
{
    startWindow_->show();
    hide();
}

void Form4::Command3_Click()
{
    SetupInputs inputs;
    inputs.spectrumFileName = File1->fileName().toStdString();
    inputs.resultName = Text7->text().toStdString();
    inputs.sourceAxisDistance = Text2->text().toStdString();
    inputs.beamSizeRotation = Text3->text().toStdString();
    inputs.beamSizeBodyAxis = Text4->text().toStdString();
    inputs.phantomFlatLength = Text1->text().toStdString();
    inputs.phantomThickness = Text8->text().toStdString();
    inputs.historyCount = Text5->text().toStdString();

    const auto refuse = [this](const QString& reason) {
        showMessage(this, {QString::fromUtf8(inputErrorText), MessageIcon::Warning, reason});
    };
    if (const auto problem = setupInputProblem(inputs)) {
        refuse(QString::fromStdString(*problem));
        return;
    }
    try {
        writeConditionsFile(QFile::encodeName(QDir::current().filePath("joken.dat")).toStdString(),
                            conditionsRecords(inputs, spectrum_));
    } catch (const ConditionsError& error) {
        refuse(QString::fromStdString(error.what()));
        return;
    }
    QCoreApplication::processEvents();
    QString reason;
    if (!engineStarter_(&reason)) {
        refuse(reason);
        return;
    }
    showMessage(this, {QStringLiteral("*** 計算終了までしばらくお待ちください。 ***"), MessageIcon::None});
    startWindow_->show();
    hide();
}

void Form4::Command4_Click() { phantomWindow_()->showPhantom(); }

void Form4::closeEvent(QCloseEvent* event)
{
    // Closing by the frame goes back to the start window, as "前画面へ戻る" does.
    event->ignore();
    Command2_Click();
}

void Form4::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!centred_) {
        centred_ = true;
        centreOnScreen(this);
    }
}
