#pragma once
// Form4, the simulation set-up window: the spectrum file browser and its graphs, the beam and
// phantom sizes, the number of histories and the result name, and the start of the engine.

#include "spectrum_data.h"

#include <QWidget>

#include <functional>

class DirectoryList;
class DriveList;
class FileList;
class Form3;
class PictureSurface;
class QLabel;
class QLineEdit;
class QPushButton;
class ShapeWidget;

class Form4 : public QWidget {
    Q_OBJECT
public:
    // startWindow is shown when the user leaves; phantomWindow gives Form3 on first use.
    Form4(QWidget* startWindow, std::function<Form3*()> phantomWindow);

    // The start window's "新規計算" reset: graphs cleared, defaults, both buttons disabled,
    // the lists on the current directory of the drive shown.
    void resetForNewCalculation();

    // Starts the engine (tests replace it); returns false with the reason when it cannot.
    using EngineStarter = std::function<bool(QString* reason)>;
    void setEngineStarter(EngineStarter starter) { engineStarter_ = std::move(starter); }

    const SpectrumData& spectrumData() const { return spectrum_; }
    const QString& spectrumComment() const { return spectrumComment_; }

    DriveList* Drive1;
    DirectoryList* Dir1;
    FileList* File1;
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8;
    QPushButton* Command1; // "OK,  グラフ表示"
    QPushButton* Command2; // "前画面へ戻る"
    QPushButton* Command3; // "シミュレーション スタート"
    QPushButton* Command4; // "参 照"
    PictureSurface* Picture3; // spectra
    PictureSurface* Picture4; // filtration
    QLabel* Picture1;         // decorative icon
    ShapeWidget *Shape1, *Shape2, *Shape3, *Shape4;

public slots:
    void Drive1_Change(const QString& drive);
    void Dir1_Change(const QString& path);
    void File1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildSectionOne();
    void buildSectionTwo();
    void buildSectionThree();
    void buildSectionFour();
    QString selectedFilePath() const;

    QWidget* startWindow_;
    std::function<Form3*()> phantomWindow_;
    EngineStarter engineStarter_;
    SpectrumData spectrum_;
    QString spectrumComment_;
    bool centred_ = false;
};
