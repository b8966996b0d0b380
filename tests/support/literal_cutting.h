// The history and cookie cutting loops written out literally, with 1-based
// Pos and Copy over a fresh copy of the rest of the text each time (quadratic:
// for checking the real, one-pass cutting on small texts).
#pragma once

#include <string>
#include <vector>

namespace literal {

inline size_t Pos(const std::string& needle, const std::string& s) {
    const size_t i = s.find(needle);
    return i == std::string::npos ? 0 : i + 1;
}

inline std::string Copy(const std::string& s, size_t start, size_t count) {
    if (start < 1) start = 1;
    if (start > s.size()) return {};
    return s.substr(start - 1, count);
}

inline std::vector<std::string> History(std::string text) {
    std::vector<std::string> out;
    size_t p = Pos("http://", text);
    while (p > 0) {
        const std::string rest = Copy(text, p, text.size());
        const size_t q = Pos(")", rest);
        if (q == 0) break;  // no ")" after the address: the loop ends there
        out.push_back(Copy(rest, 1, q - 1));
        text = Copy(rest, q - 1, rest.size());
        p = Pos("http://", text);
    }
    return out;
}

inline std::vector<std::string> Cookies(std::string text) {
    std::vector<std::string> out;
    size_t a = Pos("\r\n.", text);
    while (a > 0) {
        const std::string rest = Copy(text, a, text.size());
        const size_t truePos = Pos("TRUE", rest);
        if (truePos == 0) break;
        const size_t t = truePos - 1;
        out.push_back(Copy(rest, 1, t));
        text = Copy(rest, t, rest.size());
        a = Pos("\r\n.", text);
    }
    return out;
}

}  // namespace literal
