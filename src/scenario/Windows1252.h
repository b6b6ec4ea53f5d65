// Lossless mapping between the files' 8-bit texts (windows-1252) and Unicode / UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rw::scenario {

// The code point of one byte. The five bytes windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 controls of the same value, so every byte survives a round trip. 0 maps to U+0000.
char32_t DecodeWindows1252(std::uint8_t byte);

// The byte for a code point; nothing for U+0000 (texts never hold a zero byte) and for code points the
// code page cannot hold.
std::optional<std::uint8_t> EncodeWindows1252(char32_t codePoint);

// File bytes to UTF-8; never fails.
std::string Windows1252ToUtf8(std::string_view bytes);

// UTF-8 to file bytes; nothing when the input is not well-formed UTF-8 (overlong forms, surrogates and
// code points past U+10FFFF included) or holds a code point that EncodeWindows1252 refuses.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);
// UTF-8 to file bytes, leaving out what Utf8ToWindows1252 would refuse (a malformed byte, or a code point
// without a byte): how a typed field becomes a document's text.
std::string Utf8ToWindows1252Dropping(std::string_view utf8);

}  // namespace rw::scenario
