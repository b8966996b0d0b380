// The dialogs' lists and the recycle bin's $I files from any bytes: every text
// is UTF-8 (surrogate forms allowed) and stays within a few bytes per byte
// read, bytes after a list's end never change its path, a value's program
// name never changes the path after it, and a $I file that reads gives back
// exactly the path its bytes hold.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/utf.h"
#include "scan/recycled_info.h"
#include "scan/shell_items.h"

namespace {

void CheckText(const std::string& text, size_t inputSize) {
    if (text.empty() || !IsUtf8(text, true) || text.size() > 4 * inputSize + 64) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = ShellItemsPath(bytes);
    CheckText(path, size);
    for (DialogList list : {DialogList::OpenSave, DialogList::LastVisited, DialogList::CidSize})
        CheckText(DialogMruText(list, bytes), size);
    if (size >= 2 && DialogMruText(DialogList::LastVisited, std::string("p\0\0\0", 4) + bytes) != "p: " + path)
        std::abort();

    // The bytes as the body of one item, so that every kind's reading meets them.
    if (size >= 1 && size <= 0xFFF0) {
        std::string item;
        item += static_cast<char>((size + 2) & 0xFF);
        item += static_cast<char>((size + 2) >> 8);
        item += bytes;
        const std::string list = item + std::string(2, '\0');
        const std::string one = ShellItemsPath(list);
        CheckText(one, list.size());
        if (ShellItemsPath(list + bytes) != one || ShellItemsPath(list + list) != one) std::abort();
    }

    RecycledInfo info;
    if (ParseRecycledInfo(bytes, info)) {
        if (info.version != 1 && info.version != 2) std::abort();
        if (info.originalPath.empty() || !IsUtf8(info.originalPath, true)) std::abort();
        uint64_t fileSize = 0;
        for (int i = 15; i >= 8; --i) fileSize = fileSize << 8 | data[i];
        if (fileSize != info.size) std::abort();
        const size_t at = info.version == 1 ? 24 : 28;
        std::string units;
        for (char16_t c : Utf16FromUtf8(info.originalPath) + u'\0') {
            units += static_cast<char>(c & 0xFF);
            units += static_cast<char>(c >> 8);
        }
        if (bytes.compare(at, units.size(), units) != 0) std::abort();
    }
    return 0;
}
