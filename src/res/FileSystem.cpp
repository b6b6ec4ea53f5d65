// The active file system and its test override.
#include "res/FileSystem.h"

#include "res/NativeFileSystem.h"

namespace rw::res {

namespace {

NativeFileSystem g_native;
FileSystem* g_active = &g_native;

}  // namespace

FileSystem& ActiveFileSystem() {
    return *g_active;
}

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement) : m_previous(g_active) {
    g_active = &replacement;
}

ScopedFileSystem::~ScopedFileSystem() {
    g_active = m_previous;
}

}  // namespace rw::res
