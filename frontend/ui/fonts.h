#pragma once
// The faces the windows use. Sizes are points at 96 dpi, set as pixel sizes so that text keeps
// its size against the pixel layouts whatever the screen reports.

#include <QFont>

QFont roundedGothicFont(double points);      // the rounded Gothic face of the labels and buttons
QFont proportionalGothicFont(double points); // a Japanese proportional Gothic
QFont monospacedGothicFont(double points);   // a Japanese monospaced Gothic
QFont timesFont(double points);              // Times New Roman or its metric twin
