// Writing a file whole or not at all: a temporary file beside the target, renamed over it once complete.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "res/FileResult.h"

namespace rw::res {

// One save of one file. Begin opens the temporary file, the caller writes through Handle() with
// ActiveFileSystem(), Commit puts it in the target's place in one rename. Until that rename the target is
// untouched; a save that fails or is abandoned removes its temporary file.
//
// A save killed midway leaves at most one temporary file behind, and the next save in that folder removes
// it. On Linux the file has no name until it is complete (O_TMPFILE), so only a kill between naming it and
// the rename leaves one; elsewhere every named temporary file is locked while its save lives, and a
// temporary file of this program's pattern ("~rw", six hex digits, ".tmp") whose lock nobody holds is stale.
// Files of other names are never touched.
class AtomicFile {
  public:
    explicit AtomicFile(std::string target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Refuses a target (or a temporary name beside it) longer than kMaxPathChars before anything is written,
    // removes stale temporary files from the target's folder and opens the temporary file.
    FileResult Begin();
    // The temporary file's handle while a save is open, -1 otherwise.
    int Handle() const { return m_handle; }
    // Flushes the bytes to the device, then renames the temporary file over the target.
    FileResult Commit();

    // True for names of this program's temporary files.
    static bool IsTemporaryName(std::string_view name);
    // True when target and a temporary file beside it both fit kMaxPathChars: what Begin checks first, for
    // callers that refuse a whole batch of files before writing any.
    static bool FitsPath(const std::string& target);

  private:
    FileResult Failure();
    void Discard();

    std::string m_target;
    std::string m_folder;  // the target's folder with its separator, "" for the current one
    std::string m_temp;    // the temporary file's path once it has one
    int m_handle = -1;
};

// The whole of bytes to path through an AtomicFile.
FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace rw::res
