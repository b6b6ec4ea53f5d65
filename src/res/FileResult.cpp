// File results and their wording.
#include "res/FileResult.h"

#include <utility>

#include "res/DiskFile.h"

namespace rw::res {

FileResult FileResult::Failure(FileStatus status, std::string message, std::int64_t offset) {
    // A file system that cannot say why still failed.
    FileResult result{status == FileStatus::Ok ? FileStatus::IoError : status, offset, std::move(message)};
    if (result.message.empty()) {
        result.message = Describe(result.status);
    }
    return result;
}

std::string Describe(FileStatus status) {
    switch (status) {
        case FileStatus::Ok:
            return {};
        case FileStatus::NoSuchFile:
            return "no such file";
        case FileStatus::NoSuchFolder:
            return "no such folder";
        case FileStatus::NotRegularFile:
            return "not a regular file";
        case FileStatus::WrongKind:
            return "not a file of the expected kind";
        case FileStatus::PathTooLong:
            return "the path is longer than " + std::to_string(kMaxPathChars) + " characters";
        case FileStatus::ReadOnly:
            return "the folder is read-only";
        case FileStatus::PermissionDenied:
            return "permission denied";
        case FileStatus::DiskFull:
            return "the disk is full";
        case FileStatus::InUse:
            return "the file is open in another program";
        case FileStatus::OutOfMemory:
            return "out of memory";
        case FileStatus::IoError:
            break;
    }
    return "the system could not read or write it";
}

std::string Describe(const FileResult& result) {
    return result.message.empty() ? Describe(result.status) : result.message;
}

}  // namespace rw::res
