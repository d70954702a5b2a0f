#include "replace_file.h"

#include "io_error.h"

#include <filesystem>
#include <fstream>
#include <system_error>

void replaceFile(const std::string& fileName, const std::string& text)
{
    const std::string temporary = fileName + ".tmp";
    std::error_code ignored;
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) throwWriteError(fileName, "cannot create " + temporary);
        file << text;
        file.close();
        if (!file) {
            std::filesystem::remove(temporary, ignored);
            throwWriteError(fileName, "cannot write " + temporary);
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, fileName, error);
    if (error) {
        std::filesystem::remove(temporary, ignored);
        throwWriteError(fileName, "cannot rename " + temporary + ": " + error.message());
    }
}
