#include "scan/shell_items.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>

#include "base/utf.h"

namespace {

using Bytes = std::string_view;

unsigned U8(Bytes b, size_t at) { return static_cast<unsigned char>(b[at]); }
unsigned U16(Bytes b, size_t at) { return U8(b, at) | U8(b, at + 1) << 8; }
uint32_t U32(Bytes b, size_t at) { return U16(b, at) | static_cast<uint32_t>(U16(b, at + 2)) << 16; }
bool Fits(Bytes b, size_t at, size_t n) { return at <= b.size() && n <= b.size() - at; }

// A NUL-terminated string of bytes from at; next is just past its NUL. The
// ANSI code page it was written in is not known here, so bytes above 0x7F
// read as Latin-1 (these are 8.3 names and server names, nearly always ASCII).
std::optional<std::string> ByteString(Bytes b, size_t at, size_t& next) {
    std::string s;
    for (size_t i = at; i < b.size(); ++i) {
        const unsigned c = U8(b, i);
        if (c == 0) {
            next = i + 1;
            return s;
        }
        if (c < 0x80) {
            s += static_cast<char>(c);
        } else {
            s += static_cast<char>(0xC0 | c >> 6);
            s += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return std::nullopt;
}

// A NUL-terminated UTF-16LE string from at, as UTF-8; next is just past its NUL.
std::optional<std::string> Utf16String(Bytes b, size_t at, size_t& next) {
    std::u16string s;
    for (size_t i = at; Fits(b, i, 2); i += 2) {
        const char16_t c = static_cast<char16_t>(U16(b, i));
        if (c == 0) {
            next = i + 2;
            return Utf8FromUtf16(s);
        }
        s += c;
    }
    return std::nullopt;
}

std::string Hex2(unsigned v) {
    static const char kDigits[] = "0123456789ABCDEF";
    return {kDigits[v >> 4 & 15], kDigits[v & 15]};
}

// A GUID as Windows writes it: the first three fields are little-endian.
std::string GuidText(Bytes b, size_t at) {
    std::string s = "{";
    for (size_t i = 4; i-- > 0;) s += Hex2(U8(b, at + i));
    s += '-' + Hex2(U8(b, at + 5)) + Hex2(U8(b, at + 4)) + '-' + Hex2(U8(b, at + 7)) + Hex2(U8(b, at + 6)) + '-';
    for (size_t i = 8; i < 16; ++i) s += (i == 10 ? "-" : "") + Hex2(U8(b, at + i));
    return s + "}";
}

struct NamedFolder {
    const char* guid;
    const char* name;
};

// Shell folders, the folders "This PC" shows (two generations of them) and
// known folders, by the names Explorer gives them. My Computer is "This PC",
// as Windows 8.1 and later call it.
constexpr NamedFolder kFolders[] = {
    {"{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "This PC"},
    {"{59031A47-3F72-44A7-89C5-5595FE6B30EE}", "%USERPROFILE%"},
    {"{5E6C858F-0E22-4760-9AFE-EA3317B67173}", "%USERPROFILE%"},
    {"{F02C1A0D-BE21-4350-88B0-7367FC96EF3C}", "Network"},
    {"{208D2C60-3AEA-1069-A2D7-08002B30309D}", "Network"},
    {"{031E4825-7B94-4DC3-B131-E946B44C8DD5}", "Libraries"},
    {"{645FF040-5081-101B-9F08-00AA002F954E}", "Recycle Bin"},
    {"{21EC2020-3AEA-1069-A2DD-08002B30309D}", "Control Panel"},
    {"{26EE0668-A00A-44D7-9371-BEB064C98683}", "Control Panel"},
    {"{679F85CB-0220-4080-B29B-5540CC05AAB6}", "Quick access"},
    {"{F874310E-B6B7-47DC-BC84-B9E6B38F5903}", "Home"},
    {"{018D5C66-4533-4307-9B53-224DE2ED1FE6}", "OneDrive"},
    {"{871C5380-42A0-1069-A2EA-08002B30309D}", "Internet Explorer"},
    {"{450D8FBA-AD25-11D0-98A8-0800361B1103}", "Documents"},
    {"{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}", "Desktop"},
    {"{D3162B92-9365-467A-956B-92703ACA08AF}", "Documents"},
    {"{A8CDFF1C-4878-43BE-B5FD-F8091C1C60D0}", "Documents"},
    {"{FDD39AD0-238F-46AF-ADB4-6C85480369C7}", "Documents"},
    {"{088E3905-0323-4B02-9826-5D99428E115F}", "Downloads"},
    {"{374DE290-123F-4565-9164-39C4925E467B}", "Downloads"},
    {"{3DFDF296-DBEC-4FB4-81D1-6A3438BCF4DE}", "Music"},
    {"{1CF1260C-4DD0-4EBB-811F-33C572699FDE}", "Music"},
    {"{4BD8D571-6D19-48D3-BE97-422220080E43}", "Music"},
    {"{24AD3AD4-A569-4530-98E1-AB02F9417AA8}", "Pictures"},
    {"{3ADD1653-EB32-4CB0-BBD7-DFA0ABB5ACCA}", "Pictures"},
    {"{33E28130-4E1E-4676-835A-98395C3BC3BB}", "Pictures"},
    {"{F86FA3AB-70D2-4FC7-9C99-FCBF05467F3A}", "Videos"},
    {"{A0953C92-50DC-43BF-BE83-3742FED03C9C}", "Videos"},
    {"{18989B1D-99B5-455B-841C-AB7C74E4DDFC}", "Videos"},
    {"{0DB7E03F-FC29-4DC6-9020-FF41B59E513A}", "3D Objects"},
    {"{7B0DB17D-9CD2-4A93-9733-46CC89022E7C}", "Documents"},
    {"{2112AB0A-C86A-4FFE-A368-0DE96E47012E}", "Music"},
    {"{A990AE9F-A03B-4E80-94BC-9912D7504104}", "Pictures"},
    {"{491E922F-5643-4AF4-A7EB-4E7A138D8174}", "Videos"},
};

// The name of the folder whose GUID starts at at, or the GUID itself.
std::string FolderName(Bytes b, size_t at) {
    const std::string guid = GuidText(b, at);
    for (const NamedFolder& f : kFolders)
        if (guid == f.guid) return f.name;
    return guid;
}

// What one item adds to the path; absolute parts (a drive, a UNC path) stand
// for all that came before them, as Explorer writes "C:\" and not "This PC\C:\".
struct Part {
    std::string text;
    bool absolute = false;
};
using MaybePart = std::optional<Part>;

// Items that stand for another name space's item hold this GUID; the data
// before it belongs to that name space.
constexpr char kDelegateId[] = "\x74\x1A\x59\x5E\x96\xDF\xD3\x48\x8D\x67\x17\x33\xBC\xEE\x28\xBA";
bool IsDelegate(Bytes item) { return item.find(Bytes(kDelegateId, 16)) != Bytes::npos; }

// The signatures of users property view data, which 0x00 and 0x1F items carry at 6.
bool IsPropertyView(uint32_t signature) {
    return signature == 0x23A3DFD5 || signature == 0x23FEBBEE || signature == 0x10141981 || signature == 0x3B93AFBB ||
           signature == 0xBEEBEE00;
}

MaybePart RootFolder(Bytes item) {
    if (item.size() < 20 || IsPropertyView(U32(item, 6))) return std::nullopt;
    return Part{FolderName(item, 4)};  // what follows (0xBEEF0026 and such) names nothing
}

MaybePart Volume(Bytes item) {
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (item.size() >= 5 && letter(item[3]) && item[4] == ':') {
        size_t next = 0;
        std::optional<std::string> drive = ByteString(item.substr(0, std::min<size_t>(item.size(), 23)), 3, next);
        if (!drive) return std::nullopt;
        if (drive->size() == 2) *drive += '\\';
        return Part{*drive, true};
    }
    // Without a drive name it is a folder of This PC by its GUID.
    if (item.size() < 20 || IsDelegate(item)) return std::nullopt;
    return Part{FolderName(item, 4)};
}

// The long name in a 0xBEEF0004 block; where it starts depends on the block's version.
std::optional<std::string> LongName(Bytes block) {
    if (block.size() < 20) return std::nullopt;
    const unsigned version = U16(block, 2);
    size_t at = 0;
    if (version >= 3 && version <= 6) {
        at = 20;
    } else if (version == 7) {
        at = 38;  // after the file reference
    } else if (version == 8) {
        at = 42;
    } else if (version == 9) {
        at = 46;
    } else if (version > 9) {
        // Not seen yet: the word at 16 has held the name's offset in every
        // version so far, so trust it when it lies past what version 9 has.
        at = U16(block, 16);
        if (at < 46 || at % 2) return std::nullopt;
    } else {
        return std::nullopt;
    }
    // The block's last two bytes are its own offset in the item, never part of the name.
    size_t next = 0;
    std::optional<std::string> name = Utf16String(block.substr(0, block.size() - 2), at, next);
    if (!name || name->empty()) return std::nullopt;
    return name;
}

MaybePart FileEntry(Bytes item) {
    const bool unicode = U8(item, 2) & 0x04;
    size_t next = 0;
    const std::optional<std::string> primary = unicode ? Utf16String(item, 14, next) : ByteString(item, 14, next);
    if (!primary) return std::nullopt;
    next += next % 2;
    std::optional<std::string> name;
    // Extension blocks follow the primary name: each a size, a version and a 0xBEEFxxxx signature.
    for (size_t at = next; !name && Fits(item, at, 8);) {
        const size_t size = U16(item, at);
        if (size < 8 || size > item.size() - at || U32(item, at + 4) >> 16 != 0xBEEF) break;
        if (U32(item, at + 4) == 0xBEEF0004) name = LongName(item.substr(at, size));
        at += size;
    }
    // When something else sits after the name, the block that ends the item
    // gives its own start in its last two bytes.
    if (!name && item.size() >= 16) {
        const size_t at = U16(item, item.size() - 2);
        if (at >= 14 && Fits(item, at, 8) && U32(item, at + 4) == 0xBEEF0004 && U16(item, at) == item.size() - at)
            name = LongName(item.substr(at));
    }
    if (!name) {
        if (primary->empty()) return std::nullopt;
        name = primary;
    }
    return Part{*name};
}

MaybePart NetworkLocation(Bytes item) {
    size_t next = 0;
    std::optional<std::string> where = ByteString(item, 5, next);
    if (!where || where->empty()) return std::nullopt;
    const bool unc = where->size() > 2 && (*where)[0] == '\\' && (*where)[1] == '\\';
    return Part{*where, unc};
}

MaybePart ControlPanelCategory(Bytes item) {
    static const char* const kCategories[] = {
        "All Control Panel Items", "Appearance and Personalization", "Hardware and Sound", "Network and Internet",
        "Sounds, Speech, and Audio Devices", "System and Security", "Clock, Language, and Region", "Ease of Access",
        "Programs", "User Accounts", "Security Center", "Mobile PC"};
    if (item.size() < 12 || U32(item, 4) != 0x39DE2184) return std::nullopt;
    const uint32_t category = U32(item, 8);
    if (category >= std::size(kCategories)) return std::nullopt;
    return Part{kCategories[category]};
}

// A users property view that holds a known folder's id (signature 0x23FEBBEE).
MaybePart PropertyView(Bytes item) {
    if (item.size() < 30 || U32(item, 6) != 0x23FEBBEE || U16(item, 12) != 16) return std::nullopt;
    return Part{FolderName(item, 14)};
}

MaybePart Decode(Bytes item) {
    const unsigned type = U8(item, 2);
    switch (type) {
        case 0x00: return PropertyView(item);
        case 0x01: return ControlPanelCategory(item);
        case 0x1F: return RootFolder(item);
        case 0x71: return item.size() >= 30 ? MaybePart(Part{FolderName(item, 14)}) : std::nullopt;
        default: break;
    }
    switch (type & 0x70) {
        case 0x20: return Volume(item);
        case 0x30: return FileEntry(item);
        case 0x40: return NetworkLocation(item);
        default: return std::nullopt;  // URIs, delegates (0x74), compressed folders and the rest
    }
}

void Add(std::string& path, const Part& part) {
    if (part.absolute) {
        path = part.text;
        return;
    }
    if (!path.empty() && path.back() != '\\') path += '\\';
    path += part.text;
}

std::string Unreadable(size_t bytes) {
    return "(unreadable data, " + std::to_string(bytes) + (bytes == 1 ? " byte)" : " bytes)");
}

}  // namespace

std::string ShellItemsPath(std::string_view list) {
    std::string path;
    for (size_t at = 0;;) {
        const bool first = at == 0;
        if (!Fits(list, at, 2)) {
            Add(path, {"[damaged]"});
            break;
        }
        const size_t size = U16(list, at);
        if (size == 0) {
            if (first) path = "Desktop";  // the empty list is the name space's root
            break;
        }
        // An item holds at least its size and its type; none runs past the list.
        if (size < 3 || size > list.size() - at) {
            Add(path, {"[damaged]"});
            break;
        }
        const Bytes item = list.substr(at, size);
        const unsigned type = U8(item, 2);
        const MaybePart part = Decode(item);
        if (first && (type & 0x70) == 0x30) Add(path, {"Desktop"});  // a file of the desktop itself
        Add(path, part ? *part : Part{"[item 0x" + Hex2(type) + "]"});
        at += size;
    }
    return path;
}

std::string DialogMruText(DialogList list, std::string_view data) {
    if (list == DialogList::OpenSave) return data.size() < 2 ? Unreadable(data.size()) : ShellItemsPath(data);
    // The program's file name, UTF-16 with its NUL, comes first.
    size_t next = 0;
    const std::optional<std::string> program = Utf16String(data, 0, next);
    if (!program || program->empty()) return Unreadable(data.size());
    if (list == DialogList::CidSize) return *program;
    if (data.size() - next < 2) return Unreadable(data.size());
    return *program + ": " + ShellItemsPath(data.substr(next));
}
