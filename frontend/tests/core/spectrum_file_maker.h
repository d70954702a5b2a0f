#pragma once
// Builds spectrum files in the layout the spectrum program writes, for the reader and writer
// tests. Values are chosen so that every item is distinguishable.

#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <sstream>
#include <string>

#include <unistd.h>

namespace spectrum_test {

inline double distance(int i) { return 0.5 * i; }
inline double filtration(int i) { return 10 + 2.0 * i; }
// Direction 0 peaks at bin 120; other directions are scaled copies.
inline double fluence(int i, int e) { return (e == 120 ? 1.0 : 0.001 * (e % 50)) / (1 + i); }

enum class Shape { RowPerLine, ItemPerLine };

inline std::string spectrumText(int n, Shape shape = Shape::RowPerLine,
                                const std::string& comment = "test spectrum, 120 kV",
                                const std::function<double(int, int)>& fluenceOf = fluence)
{
    const std::string separator = shape == Shape::RowPerLine ? "," : "\n";
    std::ostringstream out;
    out << std::setprecision(17);
    out << comment << "\r\n" << n << (shape == Shape::RowPerLine ? "\r\n" : "\n");
    const auto row = [&](const std::string& label, auto value) {
        out << "\"" << label << "\"";
        for (int i = 0; i <= n; ++i)
            out << separator << " " << value(i) << " ";
        out << "\r\n";
    };
    row("distance", distance);
    row("ratio", [](int i) { return 1.0 + i; });
    row("mmAl", filtration);
    for (int e = 1; e <= 300; ++e) {
        out << 0.5 * e;
        for (int i = 0; i <= n; ++i)
            out << separator << fluenceOf(i, e);
        out << "\r\n";
    }
    return out.str();
}

class TemporaryDirectory {
public:
    TemporaryDirectory()
    {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path()
                / ("orvell-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TemporaryDirectory() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }
    std::string write(const std::string& name, const std::string& content) const
    {
        const auto file = path_ / name;
        std::ofstream(file, std::ios::binary) << content;
        return file.string();
    }

private:
    std::filesystem::path path_;
};

} // namespace spectrum_test
