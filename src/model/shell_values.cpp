#include "model/shell_values.h"

#include "base/utf.h"

namespace {
constexpr uint32_t kEndOfList = 0xFFFFFFFFu;

uint32_t NumberAt(std::string_view data, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(data[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(data[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(data[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(data[at + 3])) << 24;
}

void AppendNumber(std::string& out, uint32_t n) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((n >> shift) & 0xFF));
}
}  // namespace

bool IsDigitName(std::string_view name) {
    if (name.empty()) return false;
    for (char c : name)
        if (c < '0' || c > '9') return false;
    return true;
}

bool IsNumberedName(std::string_view name, uint32_t* n) {
    if (!IsDigitName(name) || name.size() > 10 || (name.size() > 1 && name[0] == '0')) return false;
    uint64_t value = 0;
    for (char c : name) value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value >= kEndOfList) return false;
    if (n) *n = static_cast<uint32_t>(value);
    return true;
}

std::vector<uint32_t> MruListNumbers(std::string_view data) {
    std::vector<uint32_t> numbers;
    for (size_t at = 0; at + 4 <= data.size(); at += 4) {
        const uint32_t n = NumberAt(data, at);
        if (n == kEndOfList) break;
        numbers.push_back(n);
    }
    return numbers;
}

std::string MruListWithout(std::string_view data, const std::set<uint32_t>& numbers) {
    std::string out;
    for (uint32_t n : MruListNumbers(data))
        if (!numbers.count(n)) AppendNumber(out, n);
    AppendNumber(out, kEndOfList);
    return out;
}

std::string Utf16TextAtStart(std::string_view data) {
    std::u16string text;
    for (size_t at = 0; at + 2 <= data.size(); at += 2) {
        const char16_t c = static_cast<char16_t>(static_cast<unsigned char>(data[at]) |
                                                 static_cast<unsigned char>(data[at + 1]) << 8);
        if (c == 0) break;
        text.push_back(c);
    }
    return Utf8FromUtf16(text);
}

std::string Rot13(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>('a' + (c - 'a' + 13) % 26);
        else if (c >= 'A' && c <= 'Z') c = static_cast<char>('A' + (c - 'A' + 13) % 26);
    }
    return out;
}

std::string NumberedValueText(uint32_t type, std::string_view data) {
    switch (type) {
    case kRegDword:
    case kRegQword:
        if (data.size() == (type == kRegDword ? 4u : 8u)) {
            uint64_t n = 0;
            for (size_t i = data.size(); i-- > 0;) n = n << 8 | static_cast<unsigned char>(data[i]);
            return "(number " + std::to_string(n) + ")";
        }
        break;
    case kRegNone:
    case kRegSz:
    case kRegExpandSz:
    case kRegBinary: {
        std::string text = Utf16TextAtStart(data);
        if (!text.empty()) return text;
        break;
    }
    default: break;
    }
    return "(no text, " + std::to_string(data.size()) + (data.size() == 1 ? " byte)" : " bytes)");
}
