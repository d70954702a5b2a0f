#pragma once
// Form2, the results window: lists the result files of the working directory, shows the
// header of the chosen one, loads and draws its dose maps, lets a click on the sagittal map
// choose the axial plane and shows the doses under the pointer.

#include "result_dose.h"

#include <QWidget>

class FileList;
class LineShape;
class PictureSurface;
class QLabel;
class QLineEdit;
class QPushButton;

class Form2 : public QWidget {
    Q_OBJECT
public:
    // startWindow is shown again when this window is left (it may be null in render mode).
    explicit Form2(QWidget* startWindow);
    ~Form2() override;

    // The start window's "結果検索": refresh the file list, clear the pictures and the boxes,
    // hide the hint labels, disable "OK". resultLoaded and axialPlane keep their values.
    void resetResults();
    // Shows the window from the start window, with the clearing above. A window that was
    // closed by its frame goes through its load first (resultLoaded = 0).
    void showFromStart();

    // Chooses a listed file as a click in File1 does (false when it is not listed).
    bool chooseFile(const QString& name);

    int resultLoaded() const { return resultLoaded_; }
    int axialPlane() const { return axialPlane_; }
    double phantomA() const { return phantomA_; }
    double phantomB() const { return phantomB_; }
    double profileHalfWidth() const { return profileHalfWidth_; }
    const ResultDose& resultDose() const { return resultDose_; }

    FileList* File1;
    PictureSurface *Picture1, *Picture2, *Picture3; // primary, scattered, total axial maps
    PictureSurface* Picture4;                       // header text
    PictureSurface* Picture5;                       // lateral profile
    PictureSurface* Picture6;                       // sagittal map
    PictureSurface* Picture7;                       // colour scale
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7;
    QPushButton* Command14; // "OK"
    QPushButton* Command1;  // "Reset"
    QPushButton* Command6;  // back to the start window
    QLabel *Label32, *Label33, *Label35; // instructions, hidden until loading
    QLabel* Label36;                     // plane selection, hidden until loading
    LineShape* Line10;                   // axial-plane marker on the sagittal map
    LineShape *Line27, *Line28, *Line29; // horizontal pointer lines of the axial maps
    LineShape* Line30;                   // vertical pointer line of the profile
    LineShape *Line31, *Line32, *Line33; // vertical pointer lines of the axial maps

public slots:
    void File1_Click();
    void Command14_Click();
    void Command1_Click();
    void Command6_Click();
    void Picture6_MouseMove(double x, double y);
    void Picture6_MouseDown(Qt::MouseButton button, double x, double y);
    // Picture1, Picture2 and Picture3 share one handler.
    void axialMap_MouseMove(double x, double y);
    void Picture5_MouseMove(double x, double y);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void windowLoad();
    void redrawPlane();
    void hidePointerLines();
    void printHeader(const ResultHeader& header);

    QWidget* startWindow_;
    ResultDose resultDose_;
    int resultLoaded_ = 0;
    int axialPlane_ = 1;
    double phantomA_ = 0;
    double phantomB_ = 0;
    double profileHalfWidth_ = 0;
    bool unloaded_ = false; // closed by its frame: the next opening loads the window again
    bool centred_ = false;
};
