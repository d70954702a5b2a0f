#pragma once
// Small builders for the controls the windows place by their twips layouts.

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

inline const QColor buttonYellow(255, 255, 192);
inline const QColor labelBlue(0, 0, 255);

// A transparent label at (left, top) that sizes itself to its text; a centred label keeps
// its given width and centres the text in it.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                  int width, int height, const QFont& font, QColor colour = Qt::black,
                  bool centred = false);

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, int left, int top,
                        int width, int height, const QFont& font);

// A single-line text box with centred text.
QLineEdit* makeTextBox(QWidget* parent, const char* name, int left, int top, int width,
                       int height, const QFont& font);

// The look every window shares: one style whatever the desktop, so button colours show.
void applyProgramStyle();

// Moves a top-level window to the centre of its screen.
void centreOnScreen(QWidget* window);
