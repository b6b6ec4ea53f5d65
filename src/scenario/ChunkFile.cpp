// The tagged-chunk container of scenario files.
#include "scenario/ChunkFile.h"

#include <algorithm>
#include <limits>

#include "res/ByteReader.h"
#include "res/ByteWriter.h"

namespace rw::scenario {

using rw::res::ActiveFileSystem;
using rw::res::ByteReader;
using rw::res::ByteWriter;
using rw::res::FileAccess;
using rw::res::FileSharing;
using rw::res::FileSystem;
using rw::res::SeekFrom;

ChunkFile::ChunkFile(std::string_view path) : DiskFile(path) {}

ChunkFile::~ChunkFile() {
    if (IsOpen()) {
        Close();
    }
}

std::int64_t ChunkFile::ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer) {
    FileSystem& fs = ActiveFileSystem();
    if (fs.Seek(m_handle, offset, SeekFrom::Begin) != offset) {
        return -1;
    }
    return fs.Read(m_handle, buffer);
}

bool ChunkFile::Append(std::span<const std::uint8_t> bytes) {
    m_finalized = false;
    const std::int64_t written = ActiveFileSystem().Write(m_handle, bytes);
    return written == static_cast<std::int64_t>(bytes.size());
}

bool ChunkFile::OpenRead() {
    if (IsOpen() || !Exists()) {
        return false;
    }
    if (!Open({}, FileAccess::Read, FileSharing::DenyWrite)) {
        return false;
    }
    m_mode = ChunkFileMode::Read;
    m_cursor = kChunkFileHeaderSize;
    m_tag = 0;
    m_length = 0;
    m_failed = false;
    ReadHeader();
    ReadChunkHeader();
    return true;
}

bool ChunkFile::OpenWrite(std::uint32_t creator, std::uint32_t fileType, std::uint32_t typeVersion) {
    if (!IsOpen()) {
        const bool opened = Exists() ? Open({}, FileAccess::ReadWrite, FileSharing::DenyNone) : Create();
        if (!opened) {
            return false;
        }
    }
    m_mode = ChunkFileMode::Write;
    return WriteHeader(creator, fileType, typeVersion);
}

bool ChunkFile::Close() {
    if (!IsOpen()) {
        return false;
    }
    bool ok = true;
    if (m_mode == ChunkFileMode::Write && !m_finalized) {
        ok = Finalize();
    }
    ok = DiskFile::Close() && ok;
    m_mode = ChunkFileMode::None;
    return ok;
}

bool ChunkFile::ReadHeader() {
    if (!IsOpen()) {
        return false;
    }
    std::array<std::uint8_t, kChunkFileHeaderSize> bytes{};
    if (ReadAt(0, bytes) < 0) {
        return false;
    }
    ByteReader reader(bytes);
    for (auto& word : m_header) {
        word = reader.U32LE().value_or(0);
    }
    return true;
}

bool ChunkFile::ReadChunkHeader() {
    if (!IsOpen()) {
        return false;
    }
    std::array<std::uint8_t, kChunkHeaderSize> bytes{};
    const std::int64_t got = ReadAt(m_cursor, bytes);
    if (got <= 0) {
        return false;
    }
    if (got < kChunkHeaderSize) {
        m_failed = true;  // a header cut off by the end of the file
        return false;
    }
    ByteReader reader(bytes);
    const std::uint32_t tag = reader.U32LE().value_or(0);
    const std::int32_t length = reader.I32LE().value_or(0);
    const std::int64_t fileLength = ActiveFileSystem().Length(m_handle);
    if (fileLength < 0) {
        return false;
    }
    if (length < 0 || m_cursor + length > fileLength) {
        m_failed = true;
        return false;
    }
    m_tag = tag;
    m_length = length;
    return true;
}

std::optional<std::vector<std::uint8_t>> ChunkFile::ReadPayload() {
    if (!IsOpen() || m_failed) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> payload(static_cast<std::size_t>(std::max(m_length - kChunkHeaderSize, 0)));
    if (payload.empty()) {
        return payload;
    }
    if (ReadAt(m_cursor + kChunkHeaderSize, payload) != static_cast<std::int64_t>(payload.size())) {
        return std::nullopt;
    }
    return payload;
}

bool ChunkFile::NextChunk() {
    if (!IsOpen() || m_failed || m_length < kChunkHeaderSize || m_length > kMaxSteppableChunk) {
        return false;
    }
    const std::int64_t previous = m_cursor;
    m_cursor += m_length;
    if (!ReadChunkHeader()) {
        m_cursor = previous;
        return false;
    }
    return true;
}

bool ChunkFile::WriteData(std::uint32_t tag, std::span<const std::uint8_t> data) {
    if (!IsOpen() || m_mode != ChunkFileMode::Write) {
        return false;
    }
    const std::uint64_t total = std::uint64_t{data.size()} + kChunkHeaderSize;
    if (total > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return false;
    }
    ByteWriter chunk;
    chunk.U32LE(tag);
    chunk.U32LE(static_cast<std::uint32_t>(total));
    chunk.Bytes(data);
    return Append(chunk.Data());
}

bool ChunkFile::WriteHeader(std::uint32_t creator, std::uint32_t fileType, std::uint32_t typeVersion) {
    if (!IsOpen() || m_mode != ChunkFileMode::Write) {
        return false;
    }
    m_header = {kChunkMagic,
                kChunkFormatVersion,
                creator,
                fileType,
                typeVersion,
                static_cast<std::uint32_t>(kChunkFileHeaderSize),
                1};
    ByteWriter bytes;
    for (const auto word : m_header) {
        bytes.U32LE(word);
    }
    FileSystem& fs = ActiveFileSystem();
    const std::int64_t position = fs.Seek(m_handle, 0, SeekFrom::Current);
    if (position < 0 || fs.Seek(m_handle, 0, SeekFrom::Begin) != 0) {
        return false;
    }
    const bool written = Append(bytes.Data());
    const std::int64_t resume = std::max(position, kChunkFileHeaderSize);
    return fs.Seek(m_handle, resume, SeekFrom::Begin) == resume && written;
}

bool ChunkFile::Finalize() {
    if (!IsOpen() || m_mode != ChunkFileMode::Write) {
        return false;
    }
    FileSystem& fs = ActiveFileSystem();
    const std::int64_t end = fs.Seek(m_handle, 0, SeekFrom::Current);
    if (end < 0 || end > std::numeric_limits<std::uint32_t>::max() || !fs.Truncate(m_handle, end)) {
        return false;
    }
    m_header[5] = static_cast<std::uint32_t>(end);
    ByteWriter length;
    length.U32LE(m_header[5]);
    if (fs.Seek(m_handle, 20, SeekFrom::Begin) != 20 || !Append(length.Data())) {
        return false;
    }
    if (fs.Seek(m_handle, 0, SeekFrom::End) != end) {
        return false;
    }
    m_finalized = true;
    return true;
}

}  // namespace rw::scenario
