#include "platform/wide.h"

#include <windows.h>

#include "base/utf.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide text");

std::wstring ToWide(std::string_view utf8) {
    const std::u16string u = Utf16FromUtf8(utf8);
    return std::wstring(reinterpret_cast<const wchar_t*>(u.data()), u.size());
}

std::string FromWide(std::wstring_view wide) {
    return Utf8FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

std::string FromWide(const wchar_t* wide) { return wide ? FromWide(std::wstring_view(wide)) : std::string(); }

unsigned SystemAnsiCodePage() {
    DWORD cp = 0;
    if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&cp), sizeof cp / sizeof(wchar_t)) &&
        cp != 0)
        return cp;
    return 1252;
}

std::string CodePageToUtf8(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) return {};
    if (IsAsciiText(bytes) && codePage != CP_UTF7) return std::string(bytes);  // the same in every code page we read
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return std::string(bytes);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), w.data(), n);
    return FromWide(w);
}

bool CodePageToUtf8Strict(std::string_view bytes, unsigned codePage, std::string& out) {
    out.clear();
    if (bytes.empty()) return true;
    if (IsAsciiText(bytes) && codePage != CP_UTF7) {
        out.assign(bytes);
        return true;
    }
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                      nullptr, 0);
    if (n <= 0) return false;
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), w.data(), n);
    out = FromWide(w);
    return true;
}

bool Utf8ToCodePage(std::string_view utf8, unsigned codePage, std::string& out) {
    out.clear();
    if (utf8.empty()) return true;
    if (!IsUtf8(utf8)) return false;
    const std::wstring w = ToWide(utf8);
    // UTF-7 and UTF-8 take no default character; every other code page does.
    const bool utf = codePage == CP_UTF8 || codePage == CP_UTF7;
    const DWORD flags = utf ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(codePage, flags, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                                      utf ? nullptr : &usedDefault);
    if (n <= 0 || usedDefault) return false;
    out.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr,
                        utf ? nullptr : &usedDefault);
    if (usedDefault) return false;
    // Some code pages map a character without a default yet not reversibly: check.
    return CodePageToUtf8(out, codePage) == utf8;
}

std::string UpperCaseText(std::string_view utf8) {
    std::string out(utf8);
    if (IsAsciiText(utf8)) {
        for (char& c : out)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return out;
    }
    std::wstring w = ToWide(utf8);
    if (!w.empty()) CharUpperBuffW(w.data(), static_cast<DWORD>(w.size()));
    return FromWide(w);
}
