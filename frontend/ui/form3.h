#pragma once
// Form3: the phantom drawing, a racetrack cross-section with its dimensions and its length.

#include <QWidget>

class QPushButton;

class Form3 : public QWidget {
    Q_OBJECT
public:
    explicit Form3(QWidget* parent = nullptr);

    // Shows the window, or brings it to the front when it is already shown.
    void showPhantom();

    QPushButton* Command1; // "Close"

public slots:
    void Command1_Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool centred_ = false;
};
