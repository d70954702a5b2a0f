#pragma once
// Writing a file so that readers see either the old file or the complete new one.

#include <string>

// Writes `text` to fileName + ".tmp", then renames it over `fileName`. On failure the temporary
// file is removed, any existing file is left as it was, and IoError is thrown.
void replaceFile(const std::string& fileName, const std::string& text);
