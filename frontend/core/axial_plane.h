#pragma once
// Choosing the axial plane on the sagittal map. Its x axis is the distance along the body
// axis in mm, 0 at the central plane; the map covers -200..200 and plane p (1..40) the band
// 5p - 5 .. 5p mm on either side.

#include <string>

// Text6 while the pointer moves over the sagittal map: the distance under the pointer, or,
// in the margins beyond +-200, the current plane's number.
std::string planePointerText(float x, int axialPlane);

struct PlaneChoice {
    bool chosen = false; // false for a click in the margins beyond +-200
    float markerX = 0;   // where Line10 goes: the clicked position (0 is taken as 1)
    int plane = 0;       // Int(|x| / 5) + 1, at most 40
    std::string rangeText; // Text4, e.g. "35 - 40"
};

PlaneChoice choosePlane(float x);

// Text4 as "OK" writes it for plane 1: the numbers in their signed form, " 0 -  5".
std::string firstPlaneRangeText();
