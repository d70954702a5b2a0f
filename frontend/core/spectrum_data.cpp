#include "spectrum_data.h"

#include "text_encoding.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::string openFailure(const std::string& path)
{
    return path + ": cannot be opened (" + std::strerror(errno) + ")";
}

std::string stripCarriageReturn(std::string line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::string trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

struct Item {
    std::string text; // blanks around removed, quotes removed
    bool quoted = false;
    int line = 0;
    int column = 0; // 1-based item number within its line
};

// Splits one line into items at commas outside quotes. A comma that ends the line does not
// start another item (spreadsheets often end rows with one).
void splitLine(const std::string& line, int lineNumber, std::vector<Item>& items)
{
    if (trimBlanks(line).empty())
        return;
    std::vector<Item> lineItems;
    std::size_t i = 0;
    while (true) {
        Item item;
        item.line = lineNumber;
        item.column = static_cast<int>(lineItems.size()) + 1;
        std::string raw;
        bool inQuotes = false;
        while (i < line.size() && (inQuotes || line[i] != ',')) {
            if (line[i] == '"') {
                inQuotes = !inQuotes;
                item.quoted = true;
            } else {
                raw += line[i];
            }
            ++i;
        }
        item.text = item.quoted ? raw : trimBlanks(raw);
        if (item.quoted)
            item.text = trimBlanks(item.text);
        lineItems.push_back(std::move(item));
        if (i >= line.size())
            break;
        ++i; // the comma
        if (i >= line.size() || trimBlanks(std::string_view(line).substr(i)).empty())
            break;
    }
    items.insert(items.end(), lineItems.begin(), lineItems.end());
}

class ItemReader {
public:
    ItemReader(std::string path, std::vector<Item> items, int lastLine)
        : path_(std::move(path)), items_(std::move(items)), lastLine_(lastLine)
    {
    }

    void skipText(const std::string& what) { next(what); }

    double number(const std::string& what)
    {
        const Item& item = next(what);
        double value = 0;
        const char* begin = item.text.data();
        const char* end = begin + item.text.size();
        if (!item.text.empty() && *begin == '+')
            ++begin;
        const auto [stop, error] = std::from_chars(begin, end, value);
        if (item.text.empty() || error != std::errc() || stop != end)
            fail(item, "expected a number for " + what + ", found \"" + item.text + "\"");
        return value;
    }

    [[noreturn]] void fail(const Item& item, const std::string& problem) const
    {
        throw SpectrumFileError(path_ + ", line " + std::to_string(item.line) + ", item "
                                + std::to_string(item.column) + ": " + problem);
    }

private:
    const Item& next(const std::string& what)
    {
        if (position_ >= items_.size())
            throw SpectrumFileError(path_ + ": the file ends at line " + std::to_string(lastLine_)
                                    + " before " + what);
        return items_[position_++];
    }

    std::string path_;
    std::vector<Item> items_;
    int lastLine_;
    std::size_t position_ = 0;
};

std::string firstLine(std::istream& in, const std::string& path)
{
    std::string line;
    if (!std::getline(in, line))
        throw SpectrumFileError(path + ": the file is empty (it has no comment line)");
    return fileTextToUtf8(stripCarriageReturn(line));
}

} // namespace

std::string readSpectrumComment(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw SpectrumFileError(openFailure(path));
    return firstLine(in, path);
}

SpectrumData readSpectrumFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw SpectrumFileError(openFailure(path));
    SpectrumData data;
    data.spectrumComment = firstLine(in, path);

    std::vector<Item> items;
    std::string line;
    int lineNumber = 1;
    while (std::getline(in, line))
        splitLine(stripCarriageReturn(line), ++lineNumber, items);
    if (in.bad())
        throw SpectrumFileError(path + ": read error after line " + std::to_string(lineNumber));

    ItemReader reader(path, std::move(items), lineNumber);
    const double lastDirection = reader.number("the number of the last direction N");
    if (lastDirection != static_cast<int>(lastDirection) || lastDirection < 0
        || lastDirection > SpectrumData::maxLastDirection) {
        std::ostringstream problem;
        problem << path << ": the last direction N is " << lastDirection
                << ", but must be a whole number from 0 to " << SpectrumData::maxLastDirection;
        throw SpectrumFileError(problem.str());
    }
    data.lastDirection = static_cast<int>(lastDirection);
    const int n = data.lastDirection;
    const auto ofDirection = [](const char* what, int i) {
        return std::string(what) + " of direction " + std::to_string(i);
    };

    reader.skipText("the label of the distances");
    for (int i = 0; i <= n; ++i)
        data.directionDistance[i] = reader.number(ofDirection("the distance", i));
    reader.skipText("the label of the second row");
    for (int i = 0; i <= n; ++i)
        reader.number(ofDirection("the second-row value", i));
    reader.skipText("the label of the filtration");
    for (int i = 0; i <= n; ++i)
        data.filterPathLength[i] = reader.number(ofDirection("the filtration", i));
    for (int e = 1; e <= SpectrumData::binCount; ++e) {
        const std::string bin = " in energy bin " + std::to_string(e);
        reader.number("the energy" + bin);
        for (int i = 0; i <= n; ++i)
            data.directionFluence[i][e] = reader.number(ofDirection("the fluence", i) + bin);
    }

    data.fluenceMax = 0;
    for (int e = 1; e <= SpectrumData::binCount; ++e)
        if (data.directionFluence[0][e] > data.fluenceMax)
            data.fluenceMax = data.directionFluence[0][e];
    if (!(data.fluenceMax > 0))
        throw SpectrumFileError(path + ": the fluence of direction 0 is zero in every energy bin, "
                                       "so the spectra cannot be scaled");
    return data;
}
