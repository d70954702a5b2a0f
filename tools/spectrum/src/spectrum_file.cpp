#include "spectrum_file.h"

#include "io_error.h"
#include "replace_file.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

std::string formatted(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

void appendRow(std::string& out, const std::string& label, const std::vector<double>& values)
{
    out += '"' + label + '"';
    for (double value : values) out += ',' + formatted("%.4f", value);
    out += "\r\n";
}

// Items after the comment line, each with the line it starts on.
class ItemReader {
public:
    ItemReader(std::string fileName, std::string text, int firstLine)
        : fileName_(std::move(fileName)), text_(std::move(text)), line_(firstLine)
    {
    }

    double number(const std::string& expected)
    {
        std::string item = next(expected);
        double value = 0;
        auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), value);
        if (error != std::errc() || end != item.data() + item.size())
            throwReadError(fileName_, lastItemLine_, expected + ", found \"" + item + "\"");
        return value;
    }

    void text(const std::string& expected) { next(expected); }

private:
    std::string next(const std::string& expected)
    {
        while (true) {
            if (position_ >= text_.size())
                throwReadError(fileName_, line_, expected + ", found the end of the file");
            std::size_t end = text_.find_first_of(",\n", position_);
            if (end == std::string::npos) end = text_.size();
            std::string item = text_.substr(position_, end - position_);
            const int itemLine = line_;
            position_ = end + 1;
            if (end < text_.size() && text_[end] == '\n') ++line_;
            std::size_t first = item.find_first_not_of(" \t\r");
            if (first == std::string::npos) {
                // A blank line holds no item; an empty item between commas is still one.
                if (end < text_.size() && text_[end] == '\n') continue;
                item.clear();
            } else {
                item = item.substr(first, item.find_last_not_of(" \t\r") - first + 1);
            }
            if (item.size() >= 2 && item.front() == '"' && item.back() == '"')
                item = item.substr(1, item.size() - 2);
            lastItemLine_ = itemLine;
            return item;
        }
    }

    std::string fileName_;
    std::string text_;
    std::size_t position_ = 0;
    int line_;
    int lastItemLine_ = 0;
};

} // namespace

void writeSpectrumFileContent(const std::string& fileName, const SpectrumFileContent& c)
{
    std::string out = c.comment + "\r\n";
    out += std::to_string(c.lastDirection) + "\r\n";
    appendRow(out, "Distance from centre at rotation centre (cm)", c.distanceCm);
    appendRow(out, "Fan angle (deg)", c.fanAngleDeg);
    appendRow(out, "Path length in total filtration and bowtie (mm Al)", c.pathMmAl);
    for (int bin = 0; bin < binCount; ++bin) {
        out += formatted("%.1f", binEnergyKeV(bin));
        for (const BinValues& direction : c.fluence) out += ',' + formatted("%.6e", direction[bin]);
        out += "\r\n";
    }

    replaceFile(fileName, out);
}

SpectrumFileContent readSpectrumFileContent(const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file) throwOpenError(fileName, "cannot open the spectrum file");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());

    SpectrumFileContent c;
    std::size_t endOfComment = text.find('\n');
    if (endOfComment == std::string::npos) throwReadError(fileName, 2, "N after the comment line");
    c.comment = text.substr(0, endOfComment);
    if (!c.comment.empty() && c.comment.back() == '\r') c.comment.pop_back();

    ItemReader items(fileName, text.substr(endOfComment + 1), 2);
    double n = items.number("N, the last direction");
    if (n < 0 || n > maxLastDirection || n != static_cast<int>(n))
        throwReadError(fileName, 2, "N, a whole number from 0 to 25");
    c.lastDirection = static_cast<int>(n);
    const int directions = c.lastDirection + 1;

    auto row = [&](std::vector<double>& values, const std::string& what) {
        items.text("the label of the " + what + " row");
        for (int i = 0; i < directions; ++i)
            values.push_back(items.number(what + " of direction " + std::to_string(i)));
    };
    row(c.distanceCm, "the distance");
    row(c.fanAngleDeg, "the second value");
    row(c.pathMmAl, "the path length");

    c.fluence.assign(directions, BinValues{});
    for (int bin = 0; bin < binCount; ++bin) {
        std::string group = "energy bin " + std::to_string(bin + 1);
        items.number("the energy of " + group);
        for (int i = 0; i < directions; ++i)
            c.fluence[i][bin] =
                items.number("the fluence of direction " + std::to_string(i) + " in " + group);
    }
    return c;
}
