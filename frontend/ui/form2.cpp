#include "form2.h"

#include "axial_plane.h"
#include "dose_maps.h"
#include "file_list.h"
#include "fonts.h"
#include "line_shape.h"
#include "map_decoration.h"
#include "messages.h"
#include "picture_surface.h"
#include "pointer_readout.h"
#include "profile_graph.h"
#include "result_header_text.h"
#include "shape_widget.h"
#include "artwork.h"
#include "twips.h"
#include "widgets.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>

namespace {

const QColor yellow(255, 255, 192);
const QColor blue(0, 0, 255);
const QColor red(255, 0, 0);

PictureSurface* makePicture(QWidget* parent, const char* name, int left, int top, int width,
                            int height)
{
    auto* picture = new PictureSurface(parent);
    picture->setObjectName(name);
    picture->setGeometry(twipsRect(left, top, width, height));
    return picture;
}

PictureSurface* makeMap(QWidget* parent, const char* name, int left, int top, int width,
                        int height, double scaleLeft, double scaleRight)
{
    PictureSurface* map = makePicture(parent, name, left, top, width, height);
    map->setUserScale(scaleLeft, -178, scaleRight, 179);
    map->setCursor(Qt::CrossCursor);
    map->setSurfaceFont(timesFont(9));
    return map;
}

void setTextColour(QWidget* widget, QColor text, QColor base)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, base);
    widget->setPalette(palette);
}

QLineEdit* makeYellowBox(QWidget* parent, const char* name, int left, int top, int width,
                         int height, QColor text = Qt::black)
{
    QLineEdit* box = makeTextBox(parent, name, left, top, width, height, timesFont(11));
    setTextColour(box, text, yellow);
    return box;
}

LineShape* blueLine(PictureSurface* picture, LineShape::Orientation orientation, const char* name,
                    double from = 0, double to = 0)
{
    auto* line = new LineShape(picture, orientation, blue, from, to);
    line->setObjectName(name);
    line->hide();
    return line;
}

// The back button's picture: a left arrow.
QPixmap backIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 128), 1));
    painter.setBrush(QColor(64, 160, 64));
    painter.drawPolygon(QPolygon({QPoint(2, 12), QPoint(12, 3), QPoint(12, 8), QPoint(22, 8),
                                  QPoint(22, 16), QPoint(12, 16), QPoint(12, 21)}));
    return pixmap;
}

QPixmap triangleDecoration()
{
    QPixmap pixmap(20, 18);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0, 0, 128));
    painter.setBrush(QColor(255, 192, 64));
    painter.drawPolygon(QPolygon({QPoint(10, 1), QPoint(19, 17), QPoint(1, 17)}));
    return pixmap;
}

std::string localName(const QString& name)
{
    return QFile::encodeName(name).toStdString();
}

} // namespace

Form2::Form2(QWidget* startWindow)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      startWindow_(startWindow)
{
    setObjectName("Form2");
    setWindowTitle("  Dose distribution");
    setFixedSize(twipsToPixels(22005), twipsToPixels(11565));
    buildLayout();
    windowLoad();
}

Form2::~Form2() = default;

void Form2::buildLayout()
{
    const QFont gothic = proportionalGothicFont(10.5);
    const QFont serif = timesFont(12);

    makeLabel(this, "Label1", "ファイルを選択", 300, 240, 2500, 285, gothic, blue);
    File1 = new FileList(this, "*.orv2");
    File1->setObjectName("File1");
    File1->setGeometry(twipsRect(120, 600, 2895, 4170));
    File1->setFont(timesFont(11));
    makeLabel(this, "Label2", "このファイルデータ", 240, 4920, 2500, 285, gothic, blue);
    Picture4 = makePicture(this, "Picture4", 120, 5280, 2895, 2655);
    Picture4->setBackColour({255, 255, 192});
    Picture4->setSurfaceFont(proportionalGothicFont(9));
    Command14 = makeButton(this, "Command14", "OK", 120, 8040, 2895, 855, timesFont(14));

    Label32 = makeLabel(this, "Label32", "Axial 線量分布画像上で", 480, 9120, 2500, 285, gothic, blue);
    Label33 = makeLabel(this, "Label33", "マウスを動かすと", 480, 9480, 2500, 285, gothic, blue);
    Label35 = makeLabel(this, "Label35", "線量が表示されます", 480, 9840, 2500, 285, gothic, blue);

    Command6 = makeButton(this, "Command6", QString(), 480, 10560, 495, 495, serif);
    Command6->setIcon(QIcon(backIcon()));
    Command6->setIconSize(QSize(24, 24));
    Command1 = makeButton(this, "Command1", "Reset", 1560, 10560, 1335, 495, serif);

    Picture1 = makeMap(this, "Picture1", 3240, 120, 6135, 5415, -203, 202);
    Picture2 = makeMap(this, "Picture2", 9480, 120, 6135, 5415, -203, 202);
    Picture3 = makeMap(this, "Picture3", 15720, 120, 6135, 5415, -203, 202);
    new MapDecoration(Picture1, "Primary dose", "Z", "X");
    new MapDecoration(Picture2, "Scattered dose", "Z", "X");
    new MapDecoration(Picture3, "Total dose", "Z", "X");
    Picture6 = makeMap(this, "Picture6", 3240, 5640, 6255, 5415, -206, 207);
    new MapDecoration(Picture6, "Total dose (sagittal plane)", "Z", "Y");
    Picture5 = makePicture(this, "Picture5", 15720, 5640, 6135, 3855);
    Picture5->setUserScale(-203, 220, 202, -33);
    Picture5->setCursor(Qt::CrossCursor);
    Picture5->setSurfaceFont(timesFont(9));
    new MapDecoration(Picture5, "Z = 0", QString(), QString(), false);

    Picture7 = makePicture(this, "Picture7", 9960, 6840, 1455, 4095);
    Picture7->setUserScale(0, 262, 10, -7);
    const QFont scaleFont = timesFont(9);
    for (int tick = 0; tick <= 10; ++tick) {
        // Beside the ticks at 0, 25.5 .. 255 on the scale's right side.
        auto* label = new QLabel(QString::number(10 * tick), Picture7);
        label->setFont(scaleFont);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->adjustSize();
        const QPointF at = Picture7->toPixel(6.5, 25.5 * tick);
        label->move(Picture7->borderPixels() + static_cast<int>(at.x()),
                    Picture7->borderPixels() + static_cast<int>(at.y()) - label->height() / 2);
    }
    makeLabel(this, "Label20", "%", 11160, 10920, 300, 285, scaleFont);

    makeLabel(this, "Label21", "Axial plane Y =", 10920, 6000, 1800, 285, serif);
    Text4 = makeYellowBox(this, "Text4", 12720, 5925, 1695, 450);
    makeLabel(this, "Label22", "mm", 14520, 6000, 500, 285, serif);
    makeLabel(this, "Label23", "X =", 13200, 6840, 500, 285, serif);
    Text5 = makeYellowBox(this, "Text5", 13800, 6840, 855, 450);
    makeLabel(this, "Label24", "mm", 14760, 6840, 500, 285, serif);
    makeLabel(this, "Label25", "Z =", 13200, 7440, 500, 285, serif);
    Text7 = makeYellowBox(this, "Text7", 13800, 7440, 855, 450);
    makeLabel(this, "Label26", "mm", 14760, 7440, 500, 285, serif);
    makeLabel(this, "Label27", "Primary dose", 12000, 8040, 1700, 285, serif);
    Text1 = makeYellowBox(this, "Text1", 13800, 8040, 1095, 345, red);
    makeLabel(this, "Label28", "%", 15000, 8040, 300, 285, serif);
    makeLabel(this, "Label29", "Scattered dose", 11880, 8520, 1800, 285, serif);
    Text2 = makeYellowBox(this, "Text2", 13800, 8520, 1095, 345, blue);
    makeLabel(this, "Label30", "%", 15000, 8520, 300, 285, serif);
    makeLabel(this, "Label31", "Total dose", 12360, 9000, 1400, 285, serif);
    Text3 = makeYellowBox(this, "Text3", 13800, 9000, 1095, 375);
    makeLabel(this, "Label34", "%", 15000, 9000, 300, 285, serif);

    // The formula that defines the shown dose.
    auto* panel = new ShapeWidget(this, blue, true);
    panel->setObjectName("Shape1");
    panel->setGeometry(twipsRect(12120, 9720, 7935, 1575));
    const QFont formula = proportionalGothicFont(9);
    makeLabel(this, "Label37", "ここで表示される線量（％）は、次式で定義した相対値です", 12480,
              9840, 7000, 285, formula, blue);
    makeLabel(this, "Label38", "軟部組織吸収線量", 14280, 10320, 3000, 285, formula, blue);
    auto* bar = new QWidget(this);
    bar->setObjectName("Line1");
    bar->setGeometry(twipsToPixels(12360), twipsToPixels(10680),
                     twipsToPixels(18240) - twipsToPixels(12360), 2);
    bar->setAutoFillBackground(true);
    QPalette barPalette = bar->palette();
    barPalette.setColor(QPalette::Window, blue);
    bar->setPalette(barPalette);
    makeLabel(this, "Label39", "ファントムなしの時の、回転中心における空気カーマ", 12480, 10740, 5800,
              285, formula, blue);
    makeLabel(this, "Label40", "× 100 （％）", 18360, 10515, 1500, 285, formula, blue);

    Label36 = makeLabel(this, "Label36", "中央より　　　 　mm    クリックで Axial plane を決定",
                        3840, 11100, 6000, 285, proportionalGothicFont(12));
    Text6 = makeYellowBox(this, "Text6", 4800, 11040, 855, 450);

    auto* icon = new QLabel(this);
    icon->setObjectName("Picture8");
    icon->setPixmap(xRayTubeIcon());
    icon->setGeometry(twipsRect(21360, 10920, 480, 480));
    auto* triangle = new QLabel(this);
    triangle->setObjectName("Picture9");
    triangle->setPixmap(triangleDecoration());
    triangle->setGeometry(twipsRect(20880, 11040, 300, 270));

    using Orientation = LineShape::Orientation;
    Line10 = blueLine(Picture6, Orientation::vertical, "Line10");
    Line27 = blueLine(Picture1, Orientation::horizontal, "Line27");
    Line28 = blueLine(Picture2, Orientation::horizontal, "Line28");
    Line29 = blueLine(Picture3, Orientation::horizontal, "Line29");
    Line30 = blueLine(Picture5, Orientation::vertical, "Line30", 0, 200);
    Line31 = blueLine(Picture1, Orientation::vertical, "Line31");
    Line32 = blueLine(Picture2, Orientation::vertical, "Line32");
    Line33 = blueLine(Picture3, Orientation::vertical, "Line33");

    connect(File1, &FileList::fileClicked, this, &Form2::File1_Click);
    connect(Command14, &QPushButton::clicked, this, &Form2::Command14_Click);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command6, &QPushButton::clicked, this, &Form2::Command6_Click);
    connect(Picture6, &PictureSurface::mouseMovedUser, this, &Form2::Picture6_MouseMove);
    connect(Picture6, &PictureSurface::mousePressedUser, this, &Form2::Picture6_MouseDown);
    for (PictureSurface* map : {Picture1, Picture2, Picture3}) {
        connect(map, &PictureSurface::mouseMovedUser, this, &Form2::axialMap_MouseMove);
    }
    connect(Picture5, &PictureSurface::mouseMovedUser, this, &Form2::Picture5_MouseMove);
}

// The state of a freshly opened window: blank pictures and boxes, the colour scale, hidden
// hint labels and blue lines, "OK" disabled.
void Form2::windowLoad()
{
    File1->setPath(QStringLiteral("."));
    for (PictureSurface* picture : {Picture1, Picture2, Picture3, Picture4, Picture5, Picture6}) {
        picture->clear();
    }
    for (QLineEdit* box : {Text1, Text2, Text3, Text4, Text5, Text6, Text7}) {
        box->clear();
    }
    for (QLabel* label : {Label32, Label33, Label35, Label36}) {
        label->hide();
    }
    Command14->setEnabled(false);
    drawColourScale(*Picture7);
    Line10->moveTo(0);
    Line10->hide();
    hidePointerLines();
    resultLoaded_ = 0;
}

void Form2::resetResults()
{
    if (unloaded_) {
        windowLoad();
        unloaded_ = false;
    }
    File1->refresh();
    for (PictureSurface* picture : {Picture4, Picture1, Picture2, Picture3, Picture5, Picture6}) {
        picture->clear();
    }
    for (QLineEdit* box : {Text1, Text2, Text3, Text4, Text5, Text6, Text7}) {
        box->clear();
    }
    for (QLabel* label : {Label32, Label33, Label35, Label36}) {
        label->hide();
    }
    Command14->setEnabled(false);
}

void Form2::showFromStart()
{
    resetResults(); // the start window may have done so already; doing it twice changes nothing
    if (!centred_) {
        centreOnScreen(this);
        centred_ = true;
    }
    show();
    activateWindow();
}

bool Form2::chooseFile(const QString& name)
{
    if (!File1->selectFile(name)) {
        return false;
    }
    File1_Click();
    return true;
}

void Form2::hidePointerLines()
{
    for (LineShape* line : {Line27, Line28, Line29, Line30, Line31, Line32, Line33}) {
        line->hide();
    }
}

void Form2::printHeader(const ResultHeader& header)
{
    Picture4->clear();
    const int lineSpacing = QFontMetrics(Picture4->surfaceFont()).lineSpacing();
    int top = 0;
    for (const std::string& line : resultHeaderLines(header)) {
        Picture4->text(0, top, line);
        top += lineSpacing;
    }
}

void Form2::File1_Click()
{
    const QString name = File1->fileName();
    if (name.isEmpty()) {
        return;
    }
    ResultHeader header;
    try {
        header = readResultHeader(localName(name));
    } catch (const ResultFileError& error) {
        // Nothing of the window changes: the earlier header, maps and sizes stay.
        showMessage(this, {QString::fromStdString(error.what()), MessageIcon::Warning});
        return;
    }
    phantomA_ = header.phantomA;
    phantomB_ = header.phantomB;
    printHeader(header);
    Command14->setEnabled(true);
}

void Form2::Command14_Click()
{
    const QString name = File1->fileName();
    if (name.isEmpty()) {
        return;
    }
    // Read into a new result and take it only when the whole file was read.
    ResultFile loaded;
    try {
        loaded = readResultFile(localName(name));
    } catch (const ResultFileError& error) {
        showMessage(this, {QString::fromStdString(error.what()), MessageIcon::Warning});
        return;
    }
    phantomA_ = loaded.header.phantomA;
    phantomB_ = loaded.header.phantomB;
    resultDose_ = std::move(loaded.dose);
    // The two points where clicks queued during the load are handled ("Reset", another file,
    // "OK" again); the load then goes on with what they left.
    QCoreApplication::processEvents();
    resultDose_.formTotals();
    QCoreApplication::processEvents();

    drawAxialMaps(*Picture1, *Picture2, *Picture3, resultDose_, 1);
    drawPhantomOutlines(*Picture1, *Picture2, *Picture3, phantomA_, phantomB_);
    Text4->setText(QString::fromStdString(firstPlaneRangeText()));
    drawSagittalMap(*Picture6, resultDose_, phantomB_);
    axialPlane_ = 1;
    profileHalfWidth_ = drawProfileGraph(*Picture5, resultDose_, axialPlane_, phantomA_, phantomB_);
    Line10->show();
    for (QLabel* label : {Label32, Label33, Label35, Label36}) {
        label->show();
    }
    resultLoaded_ = 1;
    Command14->setEnabled(false);
}

void Form2::Command1_Click()
{
    for (QLineEdit* box : {Text1, Text2, Text3, Text4, Text5, Text6}) {
        box->clear();
    }
    for (PictureSurface* picture : {Picture1, Picture2, Picture3, Picture4, Picture5, Picture6}) {
        picture->clear();
    }
    Line10->moveTo(0);
    Line10->hide();
    hidePointerLines();
    Command14->setEnabled(false);
    resultLoaded_ = 0;
}

void Form2::Command6_Click()
{
    if (startWindow_) {
        startWindow_->show();
    }
    hide();
}

void Form2::closeEvent(QCloseEvent* event)
{
    // The start window comes back first, so the program never runs without a visible window.
    if (startWindow_) {
        startWindow_->show();
    }
    unloaded_ = true;
    event->accept();
}

void Form2::Picture6_MouseMove(double x, double)
{
    if (resultLoaded_ == 0) {
        return;
    }
    Text6->setText(QString::fromStdString(planePointerText(static_cast<float>(x), axialPlane_)));
}

void Form2::Picture6_MouseDown(Qt::MouseButton, double x, double)
{
    if (resultLoaded_ == 0) {
        return;
    }
    for (PictureSurface* picture : {Picture1, Picture2, Picture3, Picture5}) {
        picture->clear();
    }
    const PlaneChoice choice = choosePlane(static_cast<float>(x));
    if (!choice.chosen) {
        return;
    }
    Line10->moveTo(choice.markerX);
    axialPlane_ = choice.plane;
    Text4->setText(QString::fromStdString(choice.rangeText));
    drawAxialMaps(*Picture1, *Picture2, *Picture3, resultDose_, axialPlane_);
    drawPhantomOutlines(*Picture1, *Picture2, *Picture3, phantomA_, phantomB_);
    profileHalfWidth_ = drawProfileGraph(*Picture5, resultDose_, axialPlane_, phantomA_, phantomB_);
    Line10->show();
}

void Form2::axialMap_MouseMove(double x, double y)
{
    if (resultLoaded_ == 0) {
        return;
    }
    const AxialReadout readout = readAxialPointer(resultDose_, axialPlane_, phantomA_, phantomB_,
                                                  static_cast<float>(x), static_cast<float>(y));
    if (!readout.inside) {
        hidePointerLines();
        for (QLineEdit* box : {Text5, Text7, Text1, Text2, Text3}) {
            box->clear();
        }
        return;
    }
    for (LineShape* line : {Line27, Line28, Line29}) {
        line->moveTo(readout.lineY);
        line->show();
    }
    for (LineShape* line : {Line30, Line31, Line32, Line33}) {
        line->moveTo(readout.lineX);
        line->show();
    }
    Text5->setText(QString::fromStdString(readout.xText));
    Text7->setText(QString::fromStdString(readout.zText));
    if (readout.doses) {
        Text1->setText(QString::fromStdString((*readout.doses)[0]));
        Text2->setText(QString::fromStdString((*readout.doses)[1]));
        Text3->setText(QString::fromStdString((*readout.doses)[2]));
    }
}

void Form2::Picture5_MouseMove(double x, double)
{
    if (resultLoaded_ == 0) {
        return;
    }
    const ProfileReadout readout =
        readProfilePointer(resultDose_, axialPlane_, profileHalfWidth_, static_cast<float>(x));
    switch (readout.where) {
    case ProfileReadout::Where::outside:
        for (LineShape* line : {Line31, Line32, Line33, Line30}) {
            line->hide();
        }
        return;
    case ProfileReadout::Where::beyondGrid:
        return;
    case ProfileReadout::Where::inside:
        break;
    }
    for (LineShape* line : {Line31, Line32, Line33, Line30}) {
        line->moveTo(readout.lineX);
        line->show();
    }
    Text5->setText(QString::fromStdString(readout.xText));
    Text7->setText("0");
    Text1->setText(QString::fromStdString(readout.doses[0]));
    Text2->setText(QString::fromStdString(readout.doses[1]));
    Text3->setText(QString::fromStdString(readout.doses[2]));
}
