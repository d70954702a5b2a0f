#include "result_dose.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

ResultDose::ResultDose()
    : values_(static_cast<double*>(std::calloc(index(3, 0, 0, 0), sizeof(double))))
{
    if (!values_) {
        throw std::bad_alloc();
    }
}

void ResultDose::FreeValues::operator()(double* values) const
{
    std::free(values);
}

void ResultDose::formTotals()
{
    for (int y = 1; y <= planes; ++y) {
        for (int z = 1; z <= depthCells; ++z) {
            for (int x = 1; x <= lateralCells; ++x) {
                (*this)(0, x, y, z) = (*this)(1, x, y, z) + (*this)(2, x, y, z);
            }
        }
    }
}

namespace {

[[noreturn]] void fail(const std::string& fileName, const std::string& what)
{
    throw ResultFileError("結果ファイル " + fileName + " を読めません: " + what);
}

// Free-format tokens streamed from a file through one small buffer: a token ends at a
// blank, comma or line end. Numbers are converted in place, without a string per token, and
// the buffer stays in cache instead of holding the whole 14 MB file.
class TokenReader {
public:
    explicit TokenReader(const std::string& fileName)
        : fileName_(fileName), file_(std::fopen(fileName.c_str(), "rb"), &std::fclose),
          buffer_(1 << 18)
    {
        if (!file_) {
            fail(fileName_, "ファイルを開けません");
        }
        next_ = end_ = buffer_.data();
    }

    // Everything up to the first line end (LF or CR LF); false for an empty file.
    bool readTitle(std::string& title)
    {
        std::size_t length = 0;
        for (;;) {
            if (next_ + length == end_ && !refill()) {
                if (length == 0) {
                    return false;
                }
                break;
            }
            if (next_[length] == '\n') {
                break;
            }
            ++length;
        }
        std::size_t kept = length;
        if (kept != 0 && next_[kept - 1] == '\r') {
            --kept;
        }
        title.assign(next_, kept);
        next_ += length;
        if (next_ != end_) {
            ++next_; // the LF
            ++line_;
        }
        return true;
    }

    enum class Outcome { number, endOfFile, notANumber };

    Outcome readNumber(double& value)
    {
        for (;;) {
            while (next_ != end_ && isSeparator(*next_)) {
                line_ += *next_ == '\n';
                ++next_;
            }
            if (next_ != end_) {
                break;
            }
            if (!refill()) {
                return Outcome::endOfFile;
            }
        }
        std::size_t length = 0;
        while ((next_ + length != end_ || refill()) && !isSeparator(next_[length])) {
            ++length;
        }
        const bool ok = parse(next_, next_ + length, value);
        if (!ok) {
            token_.assign(next_, length > 24 ? 24 : length);
        }
        next_ += length;
        return ok ? Outcome::number : Outcome::notANumber;
    }

    int line() const { return line_; }
    // The last token that was no number, shortened, for messages.
    std::string token() const { return token_.size() > 20 ? token_.substr(0, 20) + "..." : token_; }

private:
    static bool isSeparator(char c)
    {
        return c == ' ' || c == ',' || c == '\n' || c == '\r' || c == '\t';
    }

    // Decimal and exponent forms, with or without a digit before the point; no "nan"/"inf".
    static bool parse(const char* first, const char* last, double& value)
    {
        if (first != last && *first == '+') {
            ++first;
        }
        const char* digits = first != last && *first == '-' ? first + 1 : first;
        if (digits == last || !(*digits == '.' || (*digits >= '0' && *digits <= '9'))) {
            return false;
        }
        auto [stop, error] = std::from_chars(first, last, value);
        return error == std::errc() && stop == last;
    }

    // Keeps the unread bytes, moved to the front, and appends what the file has next;
    // false when nothing more came. The buffer grows only for a run longer than itself.
    bool refill()
    {
        const std::size_t pending = static_cast<std::size_t>(end_ - next_);
        std::memmove(buffer_.data(), next_, pending);
        if (pending == buffer_.size()) {
            buffer_.resize(2 * buffer_.size());
        }
        const std::size_t got =
            std::fread(buffer_.data() + pending, 1, buffer_.size() - pending, file_.get());
        if (got == 0 && std::ferror(file_.get())) {
            fail(fileName_, "読み込み中にエラーが発生しました");
        }
        next_ = buffer_.data();
        end_ = next_ + pending + got;
        return got != 0;
    }

    const std::string& fileName_;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
    std::vector<char> buffer_;
    const char* next_;
    const char* end_;
    std::string token_;
    int line_ = 1;
};

const char* const headerNames[6] = {
    "焦点-回転中心間距離", "回転方向の線束の大きさ", "体軸方向の線束の大きさ",
    "ファントムサイズ a",   "ファントムサイズ b",     "ヒストリー数",
};

std::string atLine(const TokenReader& reader)
{
    return "（" + std::to_string(reader.line()) + " 行目）";
}

ResultHeader readHeader(const std::string& fileName, TokenReader& reader)
{
    ResultHeader header;
    if (!reader.readTitle(header.title)) {
        fail(fileName, "ファイルが空です");
    }
    double* const fields[6] = {&header.sourceAxisDistance, &header.beamSizeRotation,
                               &header.beamSizeBodyAxis,   &header.phantomA,
                               &header.phantomB,           &header.historyCount};
    for (int i = 0; i < 6; ++i) {
        switch (reader.readNumber(*fields[i])) {
        case TokenReader::Outcome::number:
            break;
        case TokenReader::Outcome::endOfFile:
            fail(fileName, std::string("ヘッダーが途中で終わっています（") + headerNames[i]
                               + " がありません）");
        case TokenReader::Outcome::notANumber:
            fail(fileName, std::string(headerNames[i]) + " が数値ではありません: \""
                               + reader.token() + "\"" + atLine(reader));
        }
    }
    return header;
}

} // namespace

ResultHeader readResultHeader(const std::string& fileName)
{
    TokenReader reader(fileName);
    return readHeader(fileName, reader);
}

ResultFile readResultFile(const std::string& fileName)
{
    TokenReader reader(fileName);
    ResultFile result;
    result.header = readHeader(fileName, reader);
    for (int component = 1; component <= 2; ++component) {
        for (int y = 1; y <= ResultDose::planes; ++y) {
            for (int z = 1; z <= ResultDose::depthCells; ++z) {
                for (int x = 1; x <= ResultDose::lateralCells; ++x) {
                    auto outcome = reader.readNumber(result.dose(component, x, y, z));
                    if (outcome == TokenReader::Outcome::number) {
                        continue;
                    }
                    std::string cell = "成分 " + std::to_string(component) + ", y = "
                                       + std::to_string(y) + ", z = " + std::to_string(z)
                                       + ", x = " + std::to_string(x);
                    if (outcome == TokenReader::Outcome::endOfFile) {
                        fail(fileName, "線量データが途中で終わっています（" + cell
                                           + " 以降の値がありません）");
                    }
                    fail(fileName, "線量データが数値ではありません: \"" + reader.token()
                                       + "\"（" + cell + "）" + atLine(reader));
                }
            }
        }
    }
    return result;
}
