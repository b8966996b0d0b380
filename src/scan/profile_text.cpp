#include "scan/profile_text.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kNone = std::string_view::npos;

// Where the 16 bytes at p equal c, as a bit each.
unsigned Matches(const char* p, __m128i c) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), c)));
}

// The first c at or after from. Sixteen bytes a step: the history files are
// tens of MiB, and the C library's search goes a byte at a time.
size_t FindByte(std::string_view text, char c, size_t from) {
    const char* s = text.data();
    const size_t n = text.size();
    const __m128i all = _mm_set1_epi8(c);
    size_t i = from;
    for (; i + 16 <= n; i += 16)
        if (const unsigned m = Matches(s + i, all)) return i + static_cast<size_t>(__builtin_ctz(m));
    for (; i < n; ++i)
        if (s[i] == c) return i;
    return kNone;
}

// The first CR or LF in [from, end), or end.
size_t FindLineEnd(const char* s, size_t from, size_t end) {
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    size_t i = from;
    for (; i + 16 <= end; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const unsigned m = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
        if (m) return i + static_cast<size_t>(__builtin_ctz(m));
    }
    for (; i < end; ++i)
        if (s[i] == '\r' || s[i] == '\n') return i;
    return end;
}

// The first needle (two bytes or more) at or after from: sixteen places a step
// are tried for the needle's first and last byte, and only those that have
// both are compared in full.
size_t FindText(std::string_view text, std::string_view needle, size_t from) {
    const char* s = text.data();
    const size_t n = text.size(), k = needle.size();
    if (from > n || k > n - from) return kNone;
    const __m128i first = _mm_set1_epi8(needle.front()), last = _mm_set1_epi8(needle.back());
    size_t i = from;
    for (; i + k - 1 + 16 <= n; i += 16) {
        unsigned m = Matches(s + i, first) & Matches(s + i + k - 1, last);
        for (; m; m &= m - 1) {
            const size_t at = i + static_cast<size_t>(__builtin_ctz(m));
            if (std::memcmp(s + at + 1, needle.data() + 1, k - 2) == 0) return at;
        }
    }
    return text.find(needle, i);
}

}  // namespace

std::string JoinLinesCrLf(std::string_view raw, const std::function<bool()>& keepGoing) {
    std::string out;
    out.reserve(raw.size() + raw.size() / 16 + 2);
    const char* const data = raw.data();
    const size_t size = raw.size();
    size_t start = 0, i = 0, nextAsk = 1u << 20;
    while (i < size) {
        const size_t limit = std::min(size, nextAsk);
        i = FindLineEnd(data, i, limit);
        if (i == limit) {  // a MiB without a line end left to look at
            if (limit == size) break;
            nextAsk = limit + (1u << 20);
            if (keepGoing && !keepGoing()) return out;
            continue;
        }
        out.append(data + start, i - start);
        out += "\r\n";
        if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') ++i;
        start = ++i;
    }
    if (start < size) {
        out.append(data + start, size - start);
        out += "\r\n";
    }
    return out;
}

std::string WithCrLfLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0, start = 0;; ++i) {
        i = FindLineEnd(text.data(), i, text.size());
        out.append(text.data() + start, i - start);
        if (i == text.size()) return out;
        out += "\r\n";
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
}

std::string_view HistoryEntryAt(std::string_view text, size_t at) {
    const size_t q = FindByte(text, ')', at);
    return q == kNone ? std::string_view() : text.substr(at, q - at);
}

std::string_view CookieEntryAt(std::string_view upperText, size_t at) {
    const size_t t = FindText(upperText, "TRUE", at);
    return t == kNone ? std::string_view() : upperText.substr(at, t - at);
}

namespace {

// Every entry that starts at a mark, as entryAt finds it; the next search
// starts at the last character of the entry just cut.
void CutEntries(std::string_view text, std::string_view mark, std::string_view (*entryAt)(std::string_view, size_t),
                const EntrySink& sink) {
    for (size_t from = 0;;) {
        const size_t at = FindText(text, mark, from);
        if (at == kNone) return;
        const std::string_view entry = entryAt(text, at);
        if (entry.data() == nullptr || !sink(entry)) return;
        from = at + entry.size() - 1;
    }
}

}  // namespace

void CutHistoryEntries(std::string_view text, const EntrySink& sink) { CutEntries(text, "http://", HistoryEntryAt, sink); }

void CutCookieEntries(std::string_view text, const EntrySink& sink) { CutEntries(text, "\r\n.", CookieEntryAt, sink); }
