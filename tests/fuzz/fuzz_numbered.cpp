// Explorer's numbered lists from any bytes: the numbers of an MRUListEx value,
// the list without some of them, list numbers by their spelling only, and the
// text at the start of a value's data.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "model/shell_values.h"
#include "base/utf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<uint32_t> numbers = MruListNumbers(bytes);
    if (numbers.size() > size / 4) std::abort();
    std::set<uint32_t> drop;
    for (size_t i = 0; i < numbers.size(); i += 2) drop.insert(numbers[i]);
    drop.insert(static_cast<uint32_t>(size));
    const std::string kept = MruListWithout(bytes, drop);
    if (kept.size() % 4 || kept.size() < 4 || kept.substr(kept.size() - 4) != "\xFF\xFF\xFF\xFF") std::abort();
    std::vector<uint32_t> want;
    for (uint32_t n : numbers) {
        if (n == 0xFFFFFFFFu) std::abort();
        if (!drop.count(n)) want.push_back(n);
    }
    if (MruListNumbers(kept) != want) std::abort();

    // A name is a list number exactly when it is that number's own spelling.
    uint32_t n = 0;
    if (IsNumberedName(bytes, &n) != (IsDigitName(bytes) && bytes == std::to_string(n) && n != 0xFFFFFFFFu)) std::abort();
    if (IsNumberedName(bytes) && !IsDigitName(bytes)) std::abort();

    // The text at the start of data: exactly its UTF-16 units up to the first NUL.
    const std::string text = Utf16TextAtStart(bytes);
    std::u16string units;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const char16_t c = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (c == 0) break;
        units.push_back(c);
    }
    if (!IsUtf8(text, true) || Utf16FromUtf8(text) != units) std::abort();
    for (uint32_t type : {0u, 1u, 3u, 4u, 11u, 7u})  // none, text, binary, numbers, a list of texts
        if (NumberedValueText(type, bytes).empty()) std::abort();
    return 0;
}
