#include "clean/shred.h"

#include "clean/wipe.h"
#include "base/text.h"
#include "platform/files.h"
#include "platform/message_pump.h"

int PassesOf(ShredLevel level) {
    switch (level) {
    case kShredSafe: return 3;
    case kShredThorough: return 7;
    default: return 1;
    }
}

namespace {

bool QualifyingWord(DWORD attributes) {
    switch (attributes) {
    case 2: case 4: case 16: case 19: case 22: case 32: case 128: case 256: return true;
    default: return false;  // read-only files, links and junctions, compressed files, ...
    }
}

bool HoldsRecent(const std::string& path) { return AsciiLower(path).find("recent") != std::string::npos; }

// A link goes as a link, or stays; what it points to is never touched.
void RemoveLink(const std::string& path, ShredReport& report) {
    if (DeleteLinkItself(path)) ++report.linksRemoved;
    else report.stayed.push_back({path, StayReason::LinkNotFollowed});
}

// Shreds one file (never through a link) with the clean's wipe, counting what happened.
void ShredOneFile(const std::string& path, int passes, ShredReport& report) {
    const WipeOutcome out = WipeAndDelete(path, passes);
    if (out.removed) ++(out.wasLink ? report.linksRemoved : report.shredded);
    else report.stayed.push_back({path, out.why});
}

}  // namespace

bool ShredFile(const std::string& path, int passes) {
    ShredReport report;
    ShredOneFile(path, passes, report);
    return report.shredded == 1 || report.linksRemoved == 1;
}

void ShredFolder(const std::string& folder, int passes, ShredReport& report, const ScanSession& session) {
    FolderWalker walker(folder);
    FolderEntry e;
    while (walker.Next(e)) {
        if (session.AbortRequested()) {
            report.aborted = true;
            return;
        }
        ProcessMessages();
        if (e.IsDots()) {
            if (HoldsRecent(folder)) {  // the Recent folder and everything in it are left alone
                report.stayed.push_back({folder, StayReason::RecentFolder});
                return;
            }
            continue;
        }
        const std::string full = folder + "\\" + e.name;
        if (HoldsRecent(full)) {
            report.stayed.push_back({full, StayReason::RecentFolder});
            return;
        }
        if (e.IsReparsePoint()) {
            RemoveLink(full, report);
            continue;
        }
        if (!QualifyingWord(e.attributes)) {
            report.stayed.push_back({full, (e.attributes & FILE_ATTRIBUTE_READONLY) ? StayReason::ReadOnly : StayReason::NotShredded});
            continue;
        }
        if (e.IsDir()) {
            ShredFolder(full, passes, report, session);
            if (report.aborted) return;
            RemoveShreddedFolder(full, report);
        } else {
            ShredOneFile(full, passes, report);
        }
    }
}

void RemoveShreddedFolder(const std::string& folder, ShredReport& report) {
    if (IsLink(folder)) return RemoveLink(folder, report);
    if (RemoveFolder(folder)) {
        ++report.foldersRemoved;
        return;
    }
    // What it still holds is reported on its own; a folder the walk left whole is reported here.
    if (!DirectoryExists(folder)) return;
    for (const ShredReport::Stayed& s : report.stayed)
        if (s.path.compare(0, folder.size() + 1, folder + "\\") == 0 || s.path == folder) return;
    report.stayed.push_back({folder, StayReason::NotEmpty});
}

void ShredEntry(const std::string& path, int passes, ShredReport& report, const ScanSession& session) {
    const DWORD attributes = PathAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!IsLink(path)) report.stayed.push_back({path, StayReason::NotFound});
        return;
    }
    if (IsLink(path)) return RemoveLink(path, report);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ShredOneFile(path, passes, report);
    ShredFolder(path, passes, report, session);
    if (!report.aborted) RemoveShreddedFolder(path, report);
}

std::string ShredSummary(const ShredReport& report) {
    if (report.AllGone()) return "File Shredded Completely!";
    std::string text;
    const size_t n = report.stayed.size();
    if (report.aborted) text = "The shredding was stopped. ";
    if (n > 0) {
        text += std::to_string(n) + (n == 1 ? " item was not shredded and stays where it was:"
                                            : " items were not shredded and stay where they were:");
        for (size_t i = 0; i < n && i < 5; ++i)
            text += "\r\n" + report.stayed[i].path + " (" + StayReasonText(report.stayed[i].why) + ")";
        if (n > 5) text += "\r\n... and " + std::to_string(n - 5) + " more";
    }
    return text;
}
