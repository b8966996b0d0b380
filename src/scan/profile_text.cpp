#include "scan/profile_text.h"

std::string JoinLinesCrLf(std::string_view raw, const std::function<bool()>& keepGoing) {
    std::string out;
    out.reserve(raw.size() + raw.size() / 16 + 2);
    const char* const data = raw.data();
    const size_t size = raw.size();
    size_t start = 0, nextAsk = 1u << 20;
    for (size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n') {
            if (i >= nextAsk) {
                nextAsk = i + (1u << 20);
                if (keepGoing && !keepGoing()) return out;
            }
            continue;
        }
        out.append(data + start, i - start);
        out += "\r\n";
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < raw.size()) {
        out.append(raw.data() + start, raw.size() - start);
        out += "\r\n";
    }
    return out;
}

void CutHistoryEntries(std::string_view text, const EntrySink& sink) {
    size_t from = 0;
    for (;;) {
        const size_t p = text.find("http://", from);
        if (p == std::string_view::npos) return;
        const size_t q = text.find(')', p);
        if (q == std::string_view::npos) return;
        if (!sink(text.substr(p, q - p))) return;
        from = q - 1;  // the entry's last character
    }
}

void CutCookieEntries(std::string_view text, const EntrySink& sink) {
    size_t from = 0;
    for (;;) {
        const size_t a = text.find("\r\n.", from);
        if (a == std::string_view::npos) return;
        const size_t t = text.find("TRUE", a);
        if (t == std::string_view::npos) return;
        if (!sink(text.substr(a, t - a))) return;
        from = t - 1;  // the entry's last character
    }
}
