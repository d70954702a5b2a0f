#include "render_mode.h"

#include <cstdio>

int runRenderMode(int, char*[])
{
    std::fputs("render mode not available\n", stderr);
    return 2;
}
