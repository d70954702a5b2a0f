#pragma once
// The program's own pictures, drawn in code: the CT scanner of the start window and the
// small 32 by 32 icons.

#include <QPixmap>

QPixmap ctScannerPicture();   // gantry and couch, 265 by 210
QPixmap xRayTubeIcon();       // the start window's decorative icon
QPixmap byeByeIcon();         // the start window's exit button
QPixmap spectrumIcon();       // the set-up window's decorative icon beside "OK, show graphs"
