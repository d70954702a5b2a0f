#pragma once
// A Surface that remembers every call, so tests can check what a drawing routine drew, in
// which order, colour and line width.

#include "surface.h"

#include <algorithm>
#include <string>
#include <vector>

struct SurfaceCall {
    enum class Kind { Clear, LineWidth, Point, Line, Rectangle, Circle, Arc, Text };
    Kind kind = Kind::Clear;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // point/centre/text position in x1, y1
    double radius = 0, startAngle = 0, endAngle = 0;
    Rgb colour;        // the call's colour (the fore colour for text)
    int lineWidth = 1; // the width in force at the call (the new width for LineWidth)
    std::string text;
};

class RecordingSurface : public Surface {
public:
    std::vector<SurfaceCall> calls;

    void clear() override { add(make(SurfaceCall::Kind::Clear)); }
    Rgb foreColour() const override { return {0, 0, 0}; }
    void setLineWidth(int pixels) override
    {
        width_ = pixels;
        add(make(SurfaceCall::Kind::LineWidth));
    }
    void point(double x, double y, Rgb colour) override
    {
        SurfaceCall call = make(SurfaceCall::Kind::Point, x, y);
        call.colour = colour;
        add(call);
    }
    void line(double x1, double y1, double x2, double y2, Rgb colour) override
    {
        SurfaceCall call = make(SurfaceCall::Kind::Line, x1, y1, x2, y2);
        call.colour = colour;
        add(call);
    }
    void rectangle(double x1, double y1, double x2, double y2, Rgb colour) override
    {
        SurfaceCall call = make(SurfaceCall::Kind::Rectangle, x1, y1, x2, y2);
        call.colour = colour;
        add(call);
    }
    void circle(double cx, double cy, double radius, Rgb colour) override
    {
        SurfaceCall call = make(SurfaceCall::Kind::Circle, cx, cy);
        call.radius = radius;
        call.colour = colour;
        add(call);
    }
    void arc(double cx, double cy, double radius, double startAngle, double endAngle,
             Rgb colour) override
    {
        SurfaceCall call = make(SurfaceCall::Kind::Arc, cx, cy);
        call.radius = radius;
        call.startAngle = startAngle;
        call.endAngle = endAngle;
        call.colour = colour;
        add(call);
    }
    void text(double x, double y, const std::string& utf8) override
    {
        SurfaceCall call = make(SurfaceCall::Kind::Text, x, y);
        call.colour = foreColour();
        call.text = utf8;
        add(call);
    }

    std::vector<SurfaceCall> ofKind(SurfaceCall::Kind kind) const
    {
        std::vector<SurfaceCall> result;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(result),
                     [kind](const SurfaceCall& call) { return call.kind == kind; });
        return result;
    }
    std::size_t count(SurfaceCall::Kind kind) const { return ofKind(kind).size(); }
    // The texts drawn, in order.
    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const auto& call : ofKind(SurfaceCall::Kind::Text))
            result.push_back(call.text);
        return result;
    }

private:
    static SurfaceCall make(SurfaceCall::Kind kind, double x1 = 0, double y1 = 0, double x2 = 0,
                            double y2 = 0)
    {
        SurfaceCall call;
        call.kind = kind;
        call.x1 = x1;
        call.y1 = y1;
        call.x2 = x2;
        call.y2 = y2;
        return call;
    }
    void add(SurfaceCall call)
    {
        call.lineWidth = width_;
        calls.push_back(std::move(call));
    }
    int width_ = 1;
};
