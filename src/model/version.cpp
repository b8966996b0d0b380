#include "model/version.h"

namespace {

struct Part {
    bool hasNumber = false;
    std::string_view digits;  // without leading zeros
    std::string_view rest;
};

Part Split(std::string_view part) {
    Part p;
    size_t n = 0;
    while (n < part.size() && part[n] >= '0' && part[n] <= '9') ++n;
    p.hasNumber = n > 0;
    std::string_view digits = part.substr(0, n);
    while (digits.size() > 1 && digits[0] == '0') digits.remove_prefix(1);
    p.digits = digits;
    p.rest = part.substr(n);
    return p;
}

int CompareBytes(std::string_view a, std::string_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareParts(std::string_view a, std::string_view b) {
    const Part x = Split(a), y = Split(b);
    if (x.hasNumber != y.hasNumber) return x.hasNumber ? 1 : -1;
    if (x.hasNumber) {
        // Numbers of any length: more digits is more, else digit by digit.
        if (x.digits.size() != y.digits.size()) return x.digits.size() < y.digits.size() ? -1 : 1;
        if (const int c = CompareBytes(x.digits, y.digits)) return c;
    }
    return CompareBytes(x.rest, y.rest);
}

}  // namespace

int CompareVersions(std::string_view a, std::string_view b) {
    for (;;) {
        const size_t da = a.find('.'), db = b.find('.');
        if (const int c = CompareParts(a.substr(0, da), b.substr(0, db))) return c;
        const bool moreA = da != std::string_view::npos, moreB = db != std::string_view::npos;
        if (!moreA || !moreB) return moreA == moreB ? 0 : (moreA ? 1 : -1);
        a.remove_prefix(da + 1);
        b.remove_prefix(db + 1);
    }
}

bool IsNewerVersion(std::string_view remote, std::string_view installed) {
    return !remote.empty() && CompareVersions(remote, installed) > 0;
}
