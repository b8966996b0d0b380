#include "model/summary.h"

#include <cstdio>

std::string FormatTwoDecimals(double value, const std::string& sep) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", value);
    std::string s(buf);
    const size_t dot = s.find('.');
    if (dot != std::string::npos) s.replace(dot, 1, sep);
    return s;
}

std::string SummaryText(int64_t count, int64_t bytes, const std::string& sep) {
    if (count <= 0 && bytes <= 0) return {};
    const std::string n = std::to_string(count);
    if (bytes == 0) return n + " items found.";
    if (bytes < 1024) return n + " items that can free " + std::to_string(bytes) + " Bytes hard disk space found.";
    if (bytes < 1048576)
        return n + " items that can free " + FormatTwoDecimals(static_cast<double>(bytes) / 1024.0, sep) +
               " KB hard disk space found.";
    return n + " items that can free " + FormatTwoDecimals(static_cast<double>(bytes) / 1048576.0, sep) +
           " MB hard disk space found.";
}
