#include "text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

bool isValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int length = 0;
        unsigned minimum = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, minimum = 0x10000;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        unsigned code = lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

namespace {

std::string decodeCp932(std::string_view bytes)
{
    const std::string replacement = "\xEF\xBF\xBD";
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        // No converter on this system: keep the ASCII and mark the rest as unreadable.
        std::string result;
        for (char c : bytes)
            result += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : replacement;
        return result;
    }
    std::string result;
    std::vector<char> buffer(bytes.size() * 4 + 16);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        result.append(buffer.data(), out);
        if (done == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // An invalid or truncated sequence: replace one byte and go on.
            result += replacement;
            ++in;
            --inLeft;
        }
    }
    iconv_close(converter);
    return result;
}

} // namespace

std::string fileTextToUtf8(std::string_view bytes)
{
    if (isValidUtf8(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
            bytes.remove_prefix(3);
        return std::string(bytes);
    }
    return decodeCp932(bytes);
}
