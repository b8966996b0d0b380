#include "base/utf.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

bool IsLead(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsTrail(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void Put(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes the sequence at s[i]; returns its length (0 when no valid sequence
// starts there) and the code point. Surrogate forms are decoded as such.
size_t Decode(std::string_view s, size_t i, char32_t& cp, bool& surrogate) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const size_t left = s.size() - i;
    const unsigned char c = b(0);
    surrogate = false;
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    auto cont = [&](size_t k) { return k < left && (b(k) & 0xC0) == 0x80; };
    if (c >= 0xC2 && c <= 0xDF) {
        if (!cont(1)) return 0;
        cp = (static_cast<char32_t>(c & 0x1F) << 6) | (b(1) & 0x3F);
        return 2;
    }
    if (c >= 0xE0 && c <= 0xEF) {
        if (!cont(1) || !cont(2)) return 0;
        if (c == 0xE0 && b(1) < 0xA0) return 0;  // overlong
        cp = (static_cast<char32_t>(c & 0x0F) << 12) | (static_cast<char32_t>(b(1) & 0x3F) << 6) | (b(2) & 0x3F);
        surrogate = cp >= 0xD800 && cp <= 0xDFFF;
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3)) return 0;
        if (c == 0xF0 && b(1) < 0x90) return 0;  // overlong
        if (c == 0xF4 && b(1) > 0x8F) return 0;  // beyond U+10FFFF
        cp = (static_cast<char32_t>(c & 0x07) << 18) | (static_cast<char32_t>(b(1) & 0x3F) << 12) |
             (static_cast<char32_t>(b(2) & 0x3F) << 6) | (b(3) & 0x3F);
        return 4;
    }
    return 0;
}

}  // namespace

std::string Utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (IsLead(c) && i + 1 < text.size() && IsTrail(text[i + 1])) {
            Put(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            Put(out, c);  // an unpaired surrogate keeps its own three-byte form
        }
    }
    return out;
}

std::u16string Utf16FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char16_t>(c);
            ++i;
            continue;
        }
        char32_t cp = 0;
        bool surrogate = false;
        const size_t n = Decode(text, i, cp, surrogate);
        if (n == 0) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += n;
    }
    return out;
}

bool IsUtf8(std::string_view text, bool allowSurrogates) {
    for (size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        bool surrogate = false;
        const size_t n = Decode(text, i, cp, surrogate);
        if (n == 0 || (surrogate && !allowSurrogates)) return false;
        i += n;
    }
    return true;
}

size_t Utf8Length(std::string_view text) {
    if (IsAsciiText(text)) return text.size();  // most texts: a character a byte
    size_t n = 0;
    for (size_t i = 0; i < text.size(); ++n) {
        char32_t cp = 0;
        bool surrogate = false;
        const size_t len = Decode(text, i, cp, surrogate);
        i += len ? len : 1;
    }
    return n;
}

bool IsAsciiText(std::string_view text) {
    // Eight bytes at a time, a block before each look: files of many MiB pass here.
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    constexpr size_t kBlock = 4096;
    const char* p = text.data();
    size_t left = text.size();
    while (left >= 8) {
        const size_t words = std::min(left, kBlock) / 8;
        uint64_t seen = 0;
        for (size_t i = 0; i < words; ++i) {
            uint64_t w;
            std::memcpy(&w, p + i * 8, 8);
            seen |= w;
        }
        if (seen & kHighBits) return false;
        p += words * 8;
        left -= words * 8;
    }
    for (; left > 0; --left, ++p)
        if (static_cast<unsigned char>(*p) >= 0x80) return false;
    return true;
}
