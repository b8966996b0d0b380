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

std::string CleanOutcomeText(int removed, const std::vector<std::string>& stayed) {
    if (stayed.empty()) return "Evidences were successfully cleaned!";
    const size_t n = stayed.size();
    std::string text = std::to_string(removed) + (removed == 1 ? " trace was" : " traces were") + " removed; " +
                       std::to_string(n) + (n == 1 ? " trace" : " traces") + " could not be removed:";
    for (size_t i = 0; i < n && i < 5; ++i) text += "\r\n" + stayed[i];
    if (n > 5) text += "\r\n... and " + std::to_string(n - 5) + " more";
    return text;
}
