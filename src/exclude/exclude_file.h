// The exclusion file's bytes in every encoding a user's editor writes: the
// system code page (no mark, as the program always wrote it), UTF-8 with its
// byte-order mark, UTF-16 little or big endian with theirs. A line that is no
// text in the file's encoding, or holds a NUL, is counted, never guessed at:
// the list must then not be written back over the file.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"

// The system's code page, given by the caller: strict decoding (false on a
// byte that is no character there) and exact encoding (false on a character
// it cannot hold).
struct CodePageText {
    std::function<bool(std::string_view bytes, std::string& utf8)> decode;
    std::function<bool(std::string_view utf8, std::string& bytes)> encode;
};

struct ExcludeFileContents {
    TextEncoding encoding = TextEncoding::CodePage;
    std::vector<TExcludeContentItem> entries;  // of the lines that could be read, in file order
    int unreadLines = 0;                       // lines that could not
};

// The encoding a file's first bytes announce, and the length of its mark.
TextEncoding EncodingOfMark(std::string_view head, size_t* markLength = nullptr);

ExcludeFileContents DecodeExcludeFile(std::string_view bytes, const CodePageText& codePage);

// The bytes of text (UTF-8, lines with their CR LF) in an encoding, its mark
// not included; false when the code page cannot hold it.
bool EncodeText(std::string_view text, TextEncoding encoding, const CodePageText& codePage, std::string& bytes);

// A whole file of these entries in the encoding; a code page that cannot hold
// one of them (or whose bytes would start like a mark) gives UTF-8 with its
// mark, and encoding says so afterwards.
std::string EncodeExcludeFile(const std::vector<TExcludeContentItem>& entries, TextEncoding& encoding,
                              const CodePageText& codePage);
