#include "tools/cli/json_writer.h"

#include <cstdio>

#include "base/utf.h"

void JsonWriter::String(const std::string& utf8) {
    // Through UTF-16, so that a name holding an unpaired surrogate leaves as
    // its \u escape and the document stays valid UTF-8.
    const std::u16string text = Utf16FromUtf8(utf8);
    out_ += '"';
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        switch (c) {
        case u'"': out_ += "\\\""; continue;
        case u'\\': out_ += "\\\\"; continue;
        case u'\n': out_ += "\\n"; continue;
        case u'\r': out_ += "\\r"; continue;
        case u'\t': out_ += "\\t"; continue;
        default: break;
        }
        const bool lead = c >= 0xD800 && c <= 0xDBFF, trail = c >= 0xDC00 && c <= 0xDFFF;
        if (lead && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            out_ += Utf8FromUtf16(text.substr(i, 2));
            ++i;
        } else if (c < 0x20 || c == 0x7f || lead || trail) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
            out_ += buf;
        } else {
            out_ += Utf8FromUtf16(std::u16string_view(&text[i], 1));
        }
    }
    out_ += '"';
}
