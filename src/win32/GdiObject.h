// Ownership of a GDI object (pen, brush, bitmap, palette): deleted when its owner goes.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace rw::win32 {

struct GdiObjectDeleter {
    void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};

template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

}  // namespace rw::win32
