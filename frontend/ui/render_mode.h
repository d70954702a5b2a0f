#pragma once
// "Orvell-22 --render ...": draws a result's dose maps to an image without showing a window.

int runRenderMode(int argc, char* argv[]);
