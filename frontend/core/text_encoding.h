#pragma once
// Spectrum files come from Japanese desktops: their comment line may be UTF-8 or code page 932.

#include <string>
#include <string_view>

// Valid UTF-8 is returned as it is (without a byte-order mark); anything else is decoded as
// CP932 (Shift_JIS), bytes that are not CP932 either becoming U+FFFD.
std::string fileTextToUtf8(std::string_view bytes);

bool isValidUtf8(std::string_view bytes);
