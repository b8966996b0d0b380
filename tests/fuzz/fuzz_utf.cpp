// Names survive the trip through UTF-8: any UTF-16 text (lone surrogates
// included) comes back exactly, and UTF-8 text comes back exactly too.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/utf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string wide(size / 2, u'\0');
    for (size_t i = 0; i < wide.size(); ++i) wide[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const std::string utf8 = Utf8FromUtf16(wide);
    if (Utf16FromUtf8(utf8) != wide) std::abort();
    if (!IsUtf8(utf8, true)) std::abort();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string back = Utf16FromUtf8(bytes);
    if (IsUtf8(bytes) && Utf8FromUtf16(back) != bytes) std::abort();
    if (Utf8Length(bytes) > bytes.size()) std::abort();
    return 0;
}
