// What a file operation came to: a status, where in the file it stopped, and why in words.
#pragma once

#include <cstdint>
#include <string>

namespace rw::res {

enum class FileStatus {
    Ok,
    NoSuchFile,
    NoSuchFolder,
    NotRegularFile,    // a folder, a FIFO, a device
    WrongKind,         // the bytes are not (or stop being) a file of the kind asked for
    PathTooLong,       // more than kMaxPathChars characters
    ReadOnly,          // the folder or file cannot be written (read-only medium, permissions)
    PermissionDenied,  // the file cannot be read
    DiskFull,
    InUse,  // another program holds the file (a sharing violation on Windows)
    OutOfMemory,
    IoError,  // any other failure the system reports
};

// The result of reading or writing a file, in the manner of a parse result: true when the operation
// succeeded. offset is the byte where the file stopped making sense (-1 when no byte is to blame) and
// message the reason in English, lower case first, no full stop, ready for "<what>: <why>"; empty for Ok.
struct FileResult {
    FileStatus status = FileStatus::Ok;
    std::int64_t offset = -1;
    std::string message;

    bool Ok() const { return status == FileStatus::Ok; }
    explicit operator bool() const { return Ok(); }

    // A failure with the status's own wording when message is empty; Ok becomes IoError.
    static FileResult Failure(FileStatus status, std::string message = {}, std::int64_t offset = -1);
};

// The reason a result gives, for messages: its message, or the status's wording ("no such file", "the
// folder is read-only", "the disk is full", ...). "" for Ok.
std::string Describe(const FileResult& result);

// The wording of a status on its own.
std::string Describe(FileStatus status);

}  // namespace rw::res
