// The bytes Windows 10 writes for shell item ID lists (as the Open and Save
// dialogs keep them in ComDlg32) and for the recycle bin's $I files: for the
// unit tests, and for the seeder that writes real values for the integration
// tests. Standard library only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace shellbytes {

inline void Put16(std::string& s, unsigned v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8 & 0xFF);
}
inline void Put32(std::string& s, uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}
inline void Put64(std::string& s, uint64_t v) {
    Put32(s, static_cast<uint32_t>(v));
    Put32(s, static_cast<uint32_t>(v >> 32));
}

// UTF-16LE, with its NUL when nul.
inline std::string Utf16(std::u16string_view text, bool nul = true) {
    std::string s;
    for (char16_t c : text) Put16(s, c);
    if (nul) Put16(s, 0);
    return s;
}

// The 16 bytes of "{20D04FE0-3AEA-1069-A2D8-08002B30309D}": the first three fields little-endian.
inline std::string GuidBytes(std::string_view text) {
    std::vector<unsigned> bytes;
    unsigned nibbles = 0, value = 0;
    for (char c : text) {
        const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (d < 0) continue;
        value = value << 4 | static_cast<unsigned>(d);
        if (++nibbles % 2 == 0) bytes.push_back(value & 0xFF);
    }
    std::string s;
    if (bytes.size() != 16) return s;
    for (size_t i : {3u, 2u, 1u, 0u, 5u, 4u, 7u, 6u}) s += static_cast<char>(bytes[i]);
    for (size_t i = 8; i < 16; ++i) s += static_cast<char>(bytes[i]);
    return s;
}

// An item of the given type: its size, the type, then the body.
inline std::string Item(uint8_t type, std::string_view body) {
    std::string s;
    Put16(s, static_cast<unsigned>(body.size() + 3));
    s += static_cast<char>(type);
    s += body;
    return s;
}

inline std::string EndOfList() { return std::string(2, '\0'); }

enum class Folder { MyComputer, UsersFiles, Network, Libraries, RecycleBin, ControlPanel };

// A root folder item (0x1F): a sort index, then the folder's GUID (16 bytes).
inline std::string RootItem(std::string_view guid, uint8_t sortIndex = 0) {
    return Item(0x1F, std::string(1, static_cast<char>(sortIndex)) + std::string(guid));
}
inline std::string RootItem(Folder folder) {
    switch (folder) {
        case Folder::MyComputer: return RootItem(GuidBytes("20D04FE0-3AEA-1069-A2D8-08002B30309D"), 0x50);
        case Folder::UsersFiles: return RootItem(GuidBytes("59031A47-3F72-44A7-89C5-5595FE6B30EE"), 0x44);
        case Folder::Network: return RootItem(GuidBytes("F02C1A0D-BE21-4350-88B0-7367FC96EF3C"), 0x58);
        case Folder::Libraries: return RootItem(GuidBytes("031E4825-7B94-4DC3-B131-E946B44C8DD5"), 0x42);
        case Folder::RecycleBin: return RootItem(GuidBytes("645FF040-5081-101B-9F08-00AA002F954E"), 0x60);
        case Folder::ControlPanel: return RootItem(GuidBytes("21EC2020-3AEA-1069-A2DD-08002B30309D"), 0x70);
    }
    return {};
}

// A folder of This PC by its GUID (0x2E), as Explorer writes Documents or Downloads there.
inline std::string ThisPcFolderItem(std::string_view guid) {
    return Item(0x2E, std::string(1, '\x80') + std::string(guid));
}

// A volume item (0x2F): the drive "C:\" in a 20-byte field, then two bytes.
inline std::string VolumeItem(std::string_view drive) {
    std::string body(drive.substr(0, 19));
    body.resize(22, '\0');
    return Item(0x2F, body);
}

// A network location (0x42 a server "\\server", 0xC3 a share "\\server\share").
inline std::string NetworkItem(std::string_view location, uint8_t type = 0xC3) {
    std::string body = "\x01";
    body += '\0';  // flags: no description, no comments
    body += location;
    body += std::string(3, '\0');
    return Item(type, body);
}

// The 8.3 name NTFS would give: the name itself when it fits, else six
// characters of it, "~1" and three of its extension.
inline std::string ShortName(std::u16string_view name) {
    const auto plain = [](char16_t c) {
        return c > 0x20 && c < 0x7F && std::u16string_view(u"\"*+,/:;<=>?[\\]|").find(c) == std::u16string_view::npos;
    };
    const size_t dot = name.rfind(u'.');
    const std::u16string_view base = name.substr(0, dot), ext = dot == name.npos ? u"" : name.substr(dot + 1);
    bool fits = !base.empty() && base.size() <= 8 && ext.size() <= 3 && !(dot != name.npos && ext.empty());
    for (char16_t c : name) fits = fits && (plain(c) || c == u'.');
    if (fits && base.find(u'.') == base.npos) return std::string(name.begin(), name.end());
    const auto squeeze = [&](std::u16string_view part, size_t most) {
        std::string s;
        for (char16_t c : part) {
            if (s.size() == most) break;
            if (c == u' ' || c == u'.') continue;
            s += !plain(c) ? '_' : c >= u'a' && c <= u'z' ? static_cast<char>(c - u'a' + 'A') : static_cast<char>(c);
        }
        return s;
    };
    const std::string e = squeeze(ext, 3);
    return squeeze(base, 6) + "~1" + (e.empty() ? "" : "." + e);
}

// A file entry item as Windows 10 writes it: 0x31 for a folder, 0x32 for a
// file; size, time and attributes, the 8.3 name, then the 0xBEEF0004 block
// (version 9) with its dates, the NTFS file reference and the long name.
inline std::string FileEntryItem(std::u16string_view longName, bool folder, uint32_t fileSize = 0) {
    constexpr uint32_t kFatTime = 0x58B1u | 0x6DAFu << 16;  // 2024-05-17 13:45:30
    std::string s;
    s += '\0';
    Put32(s, folder ? 0 : fileSize);
    Put32(s, kFatTime);
    Put16(s, folder ? 0x10 : 0x20);  // directory, archive
    s += ShortName(longName);
    s += '\0';
    if ((s.size() + 3) % 2) s += '\0';  // the block starts at an even offset in the item
    const size_t blockAt = s.size() + 3;
    std::string block;
    Put16(block, 0);  // its size, set below
    Put16(block, 9);
    Put32(block, 0xBEEF0004);
    Put32(block, kFatTime);  // created
    Put32(block, kFatTime);  // last accessed
    Put16(block, 0x2E);      // where the long name starts
    Put16(block, 0);
    Put64(block, 0x0003000000001A2Bull);  // MFT entry 0x1A2B, sequence 3
    Put64(block, 0);
    Put16(block, 0);  // no localized name
    Put32(block, 0);
    Put32(block, 0);
    block += Utf16(longName);
    Put16(block, static_cast<unsigned>(blockAt));
    block[0] = static_cast<char>(block.size() & 0xFF);
    block[1] = static_cast<char>(block.size() >> 8);
    return Item(folder ? 0x31 : 0x32, s + block);
}

// The ID list of a path: "C:\Users\Ann\report.docx" is This PC, the volume
// and one entry per part, the last a file unless the path ends with "\";
// "\\server\share\..." is Network, the server and the share, then the parts;
// any other path is taken as the desktop's.
inline std::string IdListOfPath(std::u16string_view path) {
    const auto narrow = [](std::u16string_view t) {
        std::string s;
        for (char16_t c : t) s += c < 0x80 ? static_cast<char>(c) : '?';
        return s;
    };
    std::string list;
    std::u16string_view rest = path;
    if (path.size() >= 2 && path[1] == u':') {
        list = RootItem(Folder::MyComputer) + VolumeItem(narrow(path.substr(0, 2)) + "\\");
        rest = path.substr(2);
    } else if (path.substr(0, 2) == u"\\\\") {
        const size_t server = path.find(u'\\', 2), share = server == path.npos ? path.npos : path.find(u'\\', server + 1);
        list = RootItem(Folder::Network) + NetworkItem(narrow(path.substr(0, server)), 0x42);
        if (server != path.npos) list += NetworkItem(narrow(path.substr(0, share)), 0xC3);
        rest = share == path.npos ? u"" : path.substr(share);
    }
    while (!rest.empty()) {
        const size_t start = rest.find_first_not_of(u'\\');
        if (start == rest.npos) break;
        const size_t end = rest.find(u'\\', start);
        const std::u16string_view part = rest.substr(start, end == rest.npos ? rest.npos : end - start);
        list += FileEntryItem(part, end != rest.npos);
        rest = end == rest.npos ? u"" : rest.substr(end);
    }
    return list + EndOfList();
}

// A value of LastVisitedPidlMRU or CIDSizeMRU: the program's name with its NUL, then the rest.
inline std::string ProgramValue(std::u16string_view program, std::string_view rest) {
    return Utf16(program) + std::string(rest);
}

// A $I file: version 1 (Vista to 8.1) keeps 260 characters, version 2 (10, 11) the path's own length.
inline std::string RecycledInfoFile(int version, uint64_t size, uint64_t deletedAt, std::u16string_view path) {
    std::string s;
    Put64(s, static_cast<uint64_t>(version));
    Put64(s, size);
    Put64(s, deletedAt);
    if (version == 1) {
        std::string p = Utf16(path.substr(0, 259));
        p.resize(520, '\0');
        return s + p;
    }
    Put32(s, static_cast<uint32_t>(path.size() + 1));
    return s + Utf16(path);
}

}  // namespace shellbytes
