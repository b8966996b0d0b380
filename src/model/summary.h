// The texts of the summary line and of sizes, with a given decimal separator.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// value with two decimals ("1.50"), sep as the decimal separator.
std::string FormatTwoDecimals(double value, const std::string& sep);

// The summary line over the checked records: empty when there are none; the
// Bytes form below 1024, the KB form below 1048576, else the MB form.
std::string SummaryText(int64_t count, int64_t bytes, const std::string& sep);

// The message that ends a clean: the success text when every ticked trace
// went, else how many stayed, with the first few of them ("name (reason)").
std::string CleanOutcomeText(int removed, const std::vector<std::string>& stayed);
