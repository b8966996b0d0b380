#include "exclude/exclude_file.h"

#include "exclude/exclude_lines.h"
#include "base/text.h"
#include "base/utf.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF", kUtf16LeMark = "\xFF\xFE", kUtf16BeMark = "\xFE\xFF";

std::string_view MarkOf(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8: return kUtf8Mark;
    case TextEncoding::Utf16Le: return kUtf16LeMark;
    case TextEncoding::Utf16Be: return kUtf16BeMark;
    case TextEncoding::CodePage: break;
    }
    return {};
}

// The 16-bit units of UTF-16 bytes; an odd last byte is left out.
std::u16string Units(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        const auto a = static_cast<unsigned char>(bytes[2 * i]), b = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    }
    return units;
}

// Lines of UTF-16 units: they end at CR LF, CR or LF, as in every other encoding.
std::vector<std::u16string_view> SplitUnits(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

void AddLine(std::string_view line, ExcludeFileContents& out) {
    if (!TrimControl(line).empty()) out.entries.push_back(ParseExcludeLine(line));
}

}  // namespace

TextEncoding EncodingOfMark(std::string_view head, size_t* markLength) {
    for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Utf16Be})
        if (head.substr(0, MarkOf(e).size()) == MarkOf(e)) {
            if (markLength) *markLength = MarkOf(e).size();
            return e;
        }
    if (markLength) *markLength = 0;
    return TextEncoding::CodePage;
}

ExcludeFileContents DecodeExcludeFile(std::string_view bytes, const CodePageText& codePage) {
    ExcludeFileContents out;
    size_t mark = 0;
    out.encoding = EncodingOfMark(bytes, &mark);
    const std::string_view body = bytes.substr(mark);
    if (out.encoding == TextEncoding::Utf16Le || out.encoding == TextEncoding::Utf16Be) {
        if (body.size() % 2) ++out.unreadLines;  // half a character at the end
        const std::u16string units = Units(body, out.encoding == TextEncoding::Utf16Be);
        // A name of the system may hold an unpaired surrogate: it travels as its own form (see utf.h).
        for (std::u16string_view line : SplitUnits(units)) {
            if (line.find(u'\0') != std::u16string_view::npos) ++out.unreadLines;
            else AddLine(Utf8FromUtf16(line), out);
        }
        return out;
    }
    std::string text;
    for (std::string_view line : SplitLines(body)) {
        if (line.find('\0') != std::string_view::npos) {
            ++out.unreadLines;
        } else if (out.encoding == TextEncoding::Utf8 || IsAsciiText(line)) {
            if (IsUtf8(line, true)) AddLine(line, out);
            else ++out.unreadLines;
        } else if (codePage.decode && codePage.decode(line, text)) {
            AddLine(text, out);
        } else {
            ++out.unreadLines;
        }
    }
    return out;
}

bool EncodeText(std::string_view text, TextEncoding encoding, const CodePageText& codePage, std::string& bytes) {
    bytes.clear();
    switch (encoding) {
    case TextEncoding::CodePage:
        if (IsAsciiText(text)) {
            bytes.assign(text);
            return true;
        }
        return codePage.encode && codePage.encode(text, bytes);
    case TextEncoding::Utf8: bytes.assign(text); return true;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        for (char16_t c : Utf16FromUtf8(text)) {
            const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
            bytes += encoding == TextEncoding::Utf16Be ? std::string{hi, lo} : std::string{lo, hi};
        }
        return true;
    }
    return false;
}

std::string EncodeExcludeFile(const std::vector<TExcludeContentItem>& entries, TextEncoding& encoding,
                              const CodePageText& codePage) {
    std::string text;
    for (const TExcludeContentItem& e : entries) text += FormatExcludeLine(e);
    std::string bytes;
    // A code-page file whose first bytes read as a mark ("ÿþ" in 1252) would
    // read back in another encoding: it is written as UTF-8 too.
    if (!EncodeText(text, encoding, codePage, bytes) ||
        (encoding == TextEncoding::CodePage && EncodingOfMark(bytes) != TextEncoding::CodePage)) {
        encoding = TextEncoding::Utf8;
        EncodeText(text, encoding, codePage, bytes);
    }
    return std::string(MarkOf(encoding)) + bytes;
}
