#pragma once
// The one kind of failure the engine reports: a file operation that could not be done.
// main() prints the message as a single console line and exits with status 1.

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void throwOpenError(const std::string& fileName, const std::string& reason);
[[noreturn]] void throwReadError(const std::string& fileName, int lineNumber,
                                 const std::string& expected);
[[noreturn]] void throwWriteError(const std::string& fileName, const std::string& reason);
