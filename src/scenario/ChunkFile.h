// The tagged-chunk container of scenario files: header, chunk walking and chunk writing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "res/DiskFile.h"

namespace rw::scenario {

// File layout, all numbers little-endian, no padding anywhere:
//   header (28 bytes): magic "CHKF" (bytes in reading order), format version 2, creator, file type,
//                      type version, file length (28 until finalized), constant 1;
//   chunks from offset 28, back to back: tag (u32 four-character code), length (i32, the whole chunk
//   including these 8 bytes), payload.
inline constexpr std::uint32_t kChunkMagic = 0x464B4843;  // "CHKF" read as a little-endian word
inline constexpr std::uint32_t kChunkFormatVersion = 2;
inline constexpr std::int64_t kChunkFileHeaderSize = 28;
inline constexpr std::int32_t kChunkHeaderSize = 8;
// NextChunk refuses to step over a longer chunk; such a chunk can still be read as the current one.
inline constexpr std::int32_t kMaxSteppableChunk = 32768;

enum class ChunkFileMode { None, Read, Write };

// One read or one write of a chunk file; lives for that operation. Every operation reports by its
// result and leaves the object usable.
//
// Reading: OpenRead, then Tag/ChunkLength/ReadPayload on the current chunk and NextChunk to step until it
// fails. A chunk with a negative length, a chunk running past the end of the file, or a partial chunk
// header ends the walk for good: from then on every step and read fails. NextChunk also stops at the last
// chunk, at a chunk longer than kMaxSteppableChunk and at a chunk shorter than its own 8-byte header.
//
// Writing: OpenWrite (creates the file or opens it without shortening it), WriteData once per chunk,
// Finalize (cuts the file after the last chunk and stores its length in the header), Close. Close
// finalizes a written file that was not finalized. Write operations report true only when every byte
// was written.
class ChunkFile : public res::DiskFile {
  public:
    explicit ChunkFile(std::string_view path = {});
    ~ChunkFile() override;

    // Opens the stored path read-only (denying writers where the platform can), reads the header and
    // moves to the first chunk. Fails if the file does not exist or a file is open already.
    bool OpenRead();
    // Creates the file if needed, else opens it for reading and writing (or keeps the attached handle);
    // writes a fresh header with the given words; the write position is the first chunk (offset 28).
    bool OpenWrite(std::uint32_t creator, std::uint32_t fileType, std::uint32_t typeVersion);
    // Finalizes first in write mode when needed; false when that or the close fails, or nothing is open.
    bool Close();

    std::uint32_t Tag() const { return m_tag; }
    std::int32_t ChunkLength() const { return m_length; }
    std::int64_t Cursor() const { return m_cursor; }
    // The header word at offset 12 as read by OpenRead; bytes a short file lacks read as 0.
    std::uint32_t FileType() const { return m_header[3]; }

    // The whole payload of the current chunk; nothing when it cannot be read in full.
    std::optional<std::vector<std::uint8_t>> ReadPayload();
    bool NextChunk();

    // Appends the chunk tag, data.size() + 8, data. An empty payload is a valid 8-byte chunk.
    bool WriteData(std::uint32_t tag, std::span<const std::uint8_t> data);
    // Cuts the file at the write position and stores its length at offset 20.
    bool Finalize();

  private:
    // Seeks to offset and reads; the number of bytes read, -1 on error.
    std::int64_t ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer);
    bool Append(std::span<const std::uint8_t> bytes);
    bool ReadHeader();
    // Reads the chunk header at Cursor() into Tag()/ChunkLength(); they change only on success.
    bool ReadChunkHeader();
    // Writes magic, 2, the three words, 28, 1 at offset 0, keeping the write position past the header.
    bool WriteHeader(std::uint32_t creator, std::uint32_t fileType, std::uint32_t typeVersion);

    std::int64_t m_cursor = kChunkFileHeaderSize;
    std::uint32_t m_tag = 0;
    std::int32_t m_length = 0;
    ChunkFileMode m_mode = ChunkFileMode::None;
    bool m_finalized = false;
    bool m_failed = false;
    std::array<std::uint32_t, 7> m_header{};
};

}  // namespace rw::scenario
