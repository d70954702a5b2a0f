#include "io_error.h"

namespace {

std::string joined(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (std::string_view part : parts) text.append(part);
    return text;
}

} // namespace

void throwOpenError(const std::string& fileName, const std::string& reason)
{
    throw IoError(joined({"open error: ", fileName, ": ", reason}));
}

void throwReadError(const std::string& fileName, int lineNumber, const std::string& expected)
{
    throw IoError(joined({"read error: ", fileName, ", line ", std::to_string(lineNumber),
                          ": expected ", expected}));
}

void throwWriteError(const std::string& fileName, const std::string& reason)
{
    throw IoError(joined({"write error: ", fileName, ": ", reason}));
}
