#pragma once
// "Orvell-22 --render RESULT.orv2 [--plane P] --out FILE.png": loads a result into a results
// window that is never shown, chooses the axial plane P (1 by default) as a click on the
// sagittal map would, and saves the window's picture as PNG. Exit status 0 on success, 1 when
// the result cannot be read or the image not written, 2 for a wrong command line.

int runRenderMode(int argc, char* argv[]);
