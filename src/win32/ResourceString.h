// Texts from the executable's string table resource.
#pragma once

#include <string>
#include <string_view>

#include "res/StringId.h"

namespace rw::win32 {

// The text of string resource id; empty when the table has none.
std::wstring ResourceString(int id);
inline std::wstring ResourceString(rw::res::StringId id) {
    return ResourceString(static_cast<int>(id));
}

// A label as a control shows it without a mnemonic: a lone "&" goes, "&&" shows one "&".
std::wstring WithoutMnemonic(std::wstring_view label);

}  // namespace rw::win32
