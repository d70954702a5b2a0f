#pragma once
// A drawing surface in its own user coordinates: the toolkit-free target of every drawing
// routine. The desktop implements it on a persistent picture; tests record the calls.

#include <cstdint>
#include <string>

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colours of the standard 16-colour palette by index (0 black, 8 grey, 9 blue, 12 red, ...).
Rgb paletteColour(int index);

class Surface {
public:
    virtual ~Surface() = default;

    // Erases the whole surface to its background colour.
    virtual void clear() = 0;
    // The colour used where a call names none (black on every picture of this program).
    virtual Rgb foreColour() const = 0;
    virtual void setLineWidth(int pixels) = 0;

    virtual void point(double x, double y, Rgb colour) = 0;
    virtual void line(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    // Outline of the axis-parallel rectangle with opposite corners (x1, y1) and (x2, y2).
    virtual void rectangle(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    virtual void circle(double cx, double cy, double radius, Rgb colour) = 0;
    // Arc counter-clockwise as seen on screen from startAngle to endAngle (radians, 0 = +x).
    virtual void arc(double cx, double cy, double radius, double startAngle, double endAngle,
                     Rgb colour) = 0;
    // Text (UTF-8) with its top-left corner at (x, y), in the surface's font and fore colour.
    virtual void text(double x, double y, const std::string& utf8) = 0;
};
