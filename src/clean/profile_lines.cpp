#include "clean/profile_lines.h"

#include <algorithm>
#include <set>

#include "clean/wipe.h"
#include "platform/files.h"
#include "platform/wide.h"

namespace {

// Where each line starts, its end included; lines end at CR LF, CR or LF, as
// the scanner read them.
std::vector<size_t> LineStarts(const std::string& bytes) {
    std::vector<size_t> starts{0};
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        starts.push_back(i + 1);
    }
    if (starts.back() != bytes.size()) starts.push_back(bytes.size());  // a last line without its end
    return starts;
}

}  // namespace

StayReason RemoveLinesFromFile(const std::string& path, const std::vector<LineToRemove>& lines) {
    if (IsLink(path)) return StayReason::LinkNotFollowed;
    if (PathAttributes(path) & FILE_ATTRIBUTE_READONLY) return StayReason::AccessDenied;
    File f(path, File::Open::Exclusive);
    if (!f) return StayReasonOfError(f.Error());
    const int64_t size = f.Size();
    if (size < 0) return StayReasonOfError(f.Error());
    std::string bytes(static_cast<size_t>(size), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        size_t got = 0;
        if (!f.Read(bytes.data() + done, bytes.size() - done, got)) return StayReasonOfError(f.Error());
        if (got == 0) return StayReason::ChangedSinceScan;
        done += got;
    }
    const std::vector<size_t> starts = LineStarts(bytes);
    const int64_t count = static_cast<int64_t>(starts.size()) - 1;
    std::set<int64_t> drop;
    const unsigned codePage = SystemAnsiCodePage();
    for (const LineToRemove& l : lines) {
        if (l.line < 0 || l.line >= count) return StayReason::ChangedSinceScan;
        const size_t b = starts[static_cast<size_t>(l.line)], e = starts[static_cast<size_t>(l.line) + 1];
        const std::string text = UpperCaseText(CodePageToUtf8(std::string_view(bytes).substr(b, e - b), codePage));
        if (text.compare(0, l.cutText.size(), l.cutText) != 0) return StayReason::ChangedSinceScan;
        drop.insert(l.line);
    }
    std::string kept;
    kept.reserve(bytes.size());
    for (int64_t i = 0; i < count; ++i)
        if (!drop.count(i))
            kept.append(bytes, starts[static_cast<size_t>(i)], starts[static_cast<size_t>(i) + 1] - starts[static_cast<size_t>(i)]);
    // Every byte the file had is written over: the kept lines from the start,
    // then the overwrite pattern, before the file is cut to its new length.
    return RewriteInPlace(f, bytes.size(), kept);
}
