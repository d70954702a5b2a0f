#pragma once
// Form1, the start window: the program's title, what a run needs, and the way to a new
// calculation, to the results and out of the program.

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class Form2;
class Form3;
class Form4;
class ShapeWidget;

class Form1 : public QWidget {
    Q_OBJECT
public:
    Form1();
    ~Form1() override;

    // The other windows: single instances created on first use, hidden but never destroyed.
    Form2* form2();
    Form3* form3();
    Form4* form4();

    // What ending the program does (tests replace it); by default the event loop ends at once,
    // without any window's closing handler.
    void setProgramEnd(std::function<void()> end) { endProgram_ = std::move(end); }

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label8, *Label9, *Label10,
        *Label11, *Label12;
    ShapeWidget* Shape1;
    QLabel* Picture1; // the CT scanner
    QLabel* Picture8; // decorative icon
    QPushButton* Command1; // "結果検索"
    QPushButton* Command2; // " bye bye "
    QPushButton* Command3; // "新規計算"

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<Form3> form3_;
    std::unique_ptr<Form4> form4_;
    std::function<void()> endProgram_;
    bool centred_ = false;
};
