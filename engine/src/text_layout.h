#pragma once
// Record-oriented text input and output in the engine's edit-descriptor layouts.
//
// Input: TextInput hands out records (lines, CR LF or LF) and performs free-format reads;
// FixedRecord takes fields of a record by character position (A, F, E and I descriptors).
// Output: formatA/F/E/I write one field right-aligned and blank-filled, without a zero
// before the decimal point, and as asterisks when the value does not fit.
//
// Numbers are converted straight from their decimal text to float (correctly rounded), as a
// formatted read into a single-precision variable does.

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

class TextInput {
public:
    // Opens fileName for reading; throws IoError (open) when it cannot be opened.
    explicit TextInput(std::string fileName);

    // The next record without its line end; throws IoError (read) naming `expected` at the end
    // of the file.
    std::string_view nextRecord(const std::string& expected);

    // Free-format reads: each starts on a new record, takes blank- or comma-separated values,
    // continues on further records only while it has too few, and skips the rest of its last
    // record. Throws IoError (read) at the end of the file or for a value that is no number.
    std::vector<float> readFreeReals(int count, const std::string& expected);
    float readFreeReal(const std::string& expected);
    std::int32_t readFreeInteger(const std::string& expected);

    const std::string& fileName() const { return fileName_; }
    int lineNumber() const { return lineNumber_; }

private:
    std::string fileName_;
    std::ifstream stream_;
    std::string record_;
    int lineNumber_ = 0;
};

// Fields of one record taken by character position, left to right. A short record reads as
// if padded with blanks; characters beyond the last field taken are ignored.
class FixedRecord {
public:
    FixedRecord(const TextInput& input, std::string_view record);

    // An(w): the next w characters as they stand, padded with blanks.
    std::string text(int width);
    // Fw.d or Ew.d: blanks ignored, an all-blank field is 0, a written decimal point overrides
    // the implied `decimals`. Throws IoError (read) naming `what` when the field is no number.
    float real(int width, int decimals, const std::string& what);
    // Iw: blanks ignored, an all-blank field is 0.
    std::int32_t integer(int width, const std::string& what);

private:
    std::string_view take(int width);
    [[noreturn]] void fail(const std::string& what, int width) const;

    const TextInput& input_;
    std::string_view record_;
    std::size_t column_ = 0;
};

// Parsing helpers, exposed for the tests. They return false for text that is no number.
bool parseFixedReal(std::string_view field, int decimals, float& value);
bool parseFreeReal(std::string_view token, float& value);
bool parseFreeInteger(std::string_view token, std::int32_t& value);

std::string formatA(std::string_view text, int width);
std::string formatF(float value, int width, int decimals);
std::string formatE(float value, int width, int decimals);
std::string formatI(std::int32_t value, int width);

// Appends one Ew.d field to `out` without allocating; the same text as formatE.
void appendE(std::string& out, float value, int width, int decimals);
