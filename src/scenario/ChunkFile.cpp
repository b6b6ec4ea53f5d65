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

void ChunkFile::ResetCursor() {
    m_cursor = kChunkFileHeaderSize;
    m_index = 0;
    m_tag = 0;
    m_length = 0;
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
    ReadHeader();
    FirstChunk();
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
    ResetCursor();
    return WriteHeader(creator, fileType, typeVersion);
}

bool ChunkFile::OpenAppend() {
    if (!IsOpen()) {
        const bool opened = Exists() ? Open({}, FileAccess::ReadWrite, FileSharing::DenyNone) : Create();
        if (!opened) {
            return false;
        }
    }
    m_mode = ChunkFileMode::Write;
    ResetCursor();
    if (!ReadHeader()) {
        return false;
    }
    if (m_header[0] != kChunkMagic && !WriteHeader(1, 1, 1)) {
        return false;
    }
    // A chunk file cut inside its header gets the header completed from the words that are there; appending
    // at its end would put the chunk where the header's file length goes.
    if (m_header[0] == kChunkMagic && DiskFile::Length() < kChunkFileHeaderSize &&
        !WriteHeader(m_header[2], m_header[3], m_header[4])) {
        return false;
    }
    return ActiveFileSystem().Seek(m_handle, 0, SeekFrom::End) >= 0;
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

std::optional<bool> ChunkFile::OpenForQuery() {
    if (IsOpen()) {
        return false;
    }
    if (!Open({}, FileAccess::Read, FileSharing::DenyWrite)) {
        return std::nullopt;
    }
    return true;
}

std::uint32_t ChunkFile::QueryHeaderWord(std::size_t word) {
    const auto opened = OpenForQuery();
    if (!opened) {
        return 0;
    }
    if (*opened) {
        const bool ok = ReadHeader();
        DiskFile::Close();
        if (!ok) {
            return 0;
        }
    }
    return m_header[word];
}

std::uint32_t ChunkFile::Creator() {
    return QueryHeaderWord(2);
}

std::uint32_t ChunkFile::FileType() {
    return QueryHeaderWord(3);
}

std::uint32_t ChunkFile::TypeVersion() {
    return QueryHeaderWord(4);
}

bool ChunkFile::IsComplete() {
    const auto opened = OpenForQuery();
    if (!opened) {
        return false;
    }
    std::array<std::uint8_t, 4> word{};
    const bool read = ReadAt(20, word) == 4;
    const std::int64_t length = ActiveFileSystem().Length(m_handle);
    if (*opened) {
        DiskFile::Close();
    }
    if (!read || length < 0) {
        return false;
    }
    return ByteReader::U32LEAt(word, 0).value_or(0) == static_cast<std::uint64_t>(length);
}

bool ChunkFile::ReadChunk(std::span<std::uint8_t> buffer) {
    if (!IsOpen() || m_failed || buffer.size() < static_cast<std::size_t>(kChunkHeaderSize)) {
        return false;
    }
    ByteWriter head;
    head.U32LE(m_tag);
    head.I32LE(m_length);
    std::copy(head.Data().begin(), head.Data().end(), buffer.begin());
    const auto payload = static_cast<std::size_t>(std::max(DataLength(), 0));
    const auto room = std::min(payload, buffer.size() - kChunkHeaderSize);
    if (room == 0) {
        return true;
    }
    return ReadAt(m_cursor + kChunkHeaderSize, buffer.subspan(kChunkHeaderSize, room)) >= 0;
}

bool ChunkFile::ReadData(std::span<std::uint8_t> buffer) {
    if (!IsOpen() || m_failed) {
        return false;
    }
    const auto payload = static_cast<std::size_t>(std::max(DataLength(), 0));
    const auto count = std::min(payload, buffer.size());
    if (count == 0) {
        return false;
    }
    return ReadAt(m_cursor + kChunkHeaderSize, buffer.first(count)) > 0;
}

std::optional<std::vector<std::uint8_t>> ChunkFile::ReadPayload() {
    if (!IsOpen() || m_failed) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> payload(static_cast<std::size_t>(std::max(DataLength(), 0)));
    if (payload.empty()) {
        return payload;
    }
    if (ReadAt(m_cursor + kChunkHeaderSize, payload) != static_cast<std::int64_t>(payload.size())) {
        return std::nullopt;
    }
    return payload;
}

bool ChunkFile::FirstChunk() {
    if (!IsOpen() || m_failed) {
        return false;
    }
    ResetCursor();
    ReadChunkHeader();
    return true;
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
    ++m_index;
    return true;
}

int ChunkFile::PrevChunk() {
    GoToChunk(m_index > 0 ? m_index - 1 : 0);
    return m_index;
}

bool ChunkFile::FindChunk(std::uint32_t tag) {
    if (!FirstChunk()) {
        return false;
    }
    while (m_tag != tag) {
        if (!NextChunk()) {
            return false;
        }
    }
    return true;
}

bool ChunkFile::FindNextChunk(std::uint32_t tag) {
    while (NextChunk()) {
        if (m_tag == tag) {
            return true;
        }
    }
    return false;
}

bool ChunkFile::GoToChunk(int n) {
    if (!FirstChunk()) {
        return false;
    }
    for (int i = 0; i < n && NextChunk(); ++i) {
    }
    return true;
}

int ChunkFile::LastChunkIndex() {
    if (m_failed) {
        return 0;
    }
    const auto opened = OpenForQuery();
    if (!opened) {
        return 0;
    }
    FirstChunk();
    while (NextChunk()) {
    }
    const int last = m_failed ? 0 : m_index;
    FirstChunk();
    if (*opened) {
        DiskFile::Close();
    }
    return last;
}

bool ChunkFile::WriteChunk(std::span<std::uint8_t> buffer, std::uint32_t dataLength) {
    if (!IsOpen() || m_mode != ChunkFileMode::Write) {
        return false;
    }
    const std::uint64_t total = std::uint64_t{dataLength} + kChunkHeaderSize;
    if (total > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) ||
        buffer.size() < total) {
        return false;
    }
    ByteWriter length;
    length.U32LE(static_cast<std::uint32_t>(total));
    std::copy(length.Data().begin(), length.Data().end(), buffer.begin() + 4);
    return Append(buffer.first(static_cast<std::size_t>(total)));
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
