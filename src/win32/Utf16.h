// Conversion between the editor's UTF-8 texts and the UTF-16 of the W functions.
#pragma once

#include <string>
#include <string_view>

namespace rw::win32 {

// Invalid sequences become U+FFFD both ways.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace rw::win32
