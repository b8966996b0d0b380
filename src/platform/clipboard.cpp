#include "platform/clipboard.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/wide.h"

namespace {

constexpr size_t kMostShown = 160;  // characters of the first line a row shows

// The first line of text, without its line end, cut to what a row shows;
// "..." says that more follows.
std::string FirstLine(std::wstring_view text) {
    const size_t end = text.find_first_of(L"\r\n");
    std::wstring_view line = text.substr(0, end);
    bool more = end != std::wstring_view::npos && text.find_first_not_of(L"\r\n", end) != std::wstring_view::npos;
    if (line.size() > kMostShown) {
        line = line.substr(0, kMostShown);
        more = true;
    }
    return FromWide(line) + (more ? "..." : "");
}

std::string TextSummary() {
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return "Text";
    const SIZE_T bytes = GlobalSize(data);
    const auto* chars = static_cast<const wchar_t*>(GlobalLock(data));
    if (!chars) return "Text";
    // The text ends at its NUL or at the end of the block, whichever comes first.
    const size_t most = bytes / sizeof(wchar_t);
    size_t n = 0;
    while (n < most && chars[n]) ++n;
    const std::string line = FirstLine(std::wstring_view(chars, n));
    GlobalUnlock(data);
    return "Text: " + line;
}

std::string FilesSummary() {
    HANDLE data = GetClipboardData(CF_HDROP);
    if (!data) return "Files";
    auto drop = static_cast<HDROP>(data);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    if (count == 0) return "Files";
    std::wstring first(DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
    first.resize(DragQueryFileW(drop, 0, first.data(), static_cast<UINT>(first.size())));
    return "Files: " + FromWide(first) + (count > 1 ? " (+" + std::to_string(count - 1) + ")" : "");
}

std::string FormatSummary(UINT format) {
    switch (format) {
    case CF_BITMAP:
    case CF_DIB:
    case CF_DIBV5: return "Picture";
    case CF_ENHMETAFILE:
    case CF_METAFILEPICT: return "Drawing";
    case CF_WAVE:
    case CF_RIFF: return "Sound";
    default: break;
    }
    wchar_t name[128] = {};
    if (GetClipboardFormatNameW(format, name, 128) > 0) return "Data: " + FromWide(name);
    return "Format " + std::to_string(format);
}

}  // namespace

ClipboardContent ReadClipboard() {
    ClipboardContent c;
    if (!OpenClipboard(nullptr)) return c;
    c.opened = true;
    c.formats = CountClipboardFormats();
    if (c.formats > 0) {
        if (IsClipboardFormatAvailable(CF_UNICODETEXT)) c.summary = TextSummary();
        else if (IsClipboardFormatAvailable(CF_HDROP)) c.summary = FilesSummary();
        else c.summary = FormatSummary(EnumClipboardFormats(0));
    }
    CloseClipboard();
    return c;
}

bool EmptyTheClipboard(SystemError* error) {
    if (!OpenClipboard(nullptr)) {
        if (error) *error = GetLastError();
        return false;
    }
    const bool ok = EmptyClipboard() != 0;
    if (!ok && error) *error = GetLastError();
    CloseClipboard();
    return ok;
}
