// The MISC record's 1200 words spread into the named arrays and statistics of a city.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace rw::city {

// What the MISC words hold besides the raw record. Nothing in the editor reads these after a load; they are
// kept so that a loaded city is held whole.
struct MiscRecord {
    std::array<std::uint32_t, 30> statistics{};  // words 1..30
    std::array<std::uint32_t, 20> popRatio{};
    std::array<std::uint32_t, 20> educateRatio{};
    std::array<std::uint32_t, 20> healthRatio{};
    std::array<std::uint16_t, 11> indDemand{};
    std::array<std::uint16_t, 11> indRates{};
    std::array<std::uint32_t, 11> indRatio{};
    std::array<std::uint16_t, 256> tileCnt{};
    std::array<std::uint32_t, 8> zonePop{};
    std::array<std::uint16_t, 50> furtherCounts{};  // words 388..437
    std::array<std::uint16_t, 4> neighborName{};    // name ids
    std::array<std::uint32_t, 4> neighborPop{};
    std::array<std::uint32_t, 4> neighborValue{};
    std::array<std::uint32_t, 4> neighborFame{};
    std::array<std::string, 4> neighborNames;                // "Ocean" for id 0, else empty
    std::array<std::uint16_t, 25> furtherValues{};           // words 454..478
    std::array<std::array<std::uint32_t, 27>, 16> budget{};  // entry words 0..26 (word 27 is never set)
    std::array<std::uint32_t, 5> statistics911{};            // words 911..915
    std::array<std::uint8_t, 30> paper{};
    std::array<std::array<std::uint16_t, 2>, 9> newsWords{};
    std::array<std::array<std::uint8_t, 4>, 9> newsBytes{};
    std::array<std::uint32_t, 2> statistics1000{};  // words 1000..1001
    std::array<std::uint16_t, 16> milCnt{};
    std::array<std::uint32_t, 53> statistics1018{};  // words 1018..1070
    std::uint8_t word1028Low = 0;                    // low 7 bits of word 1028
    std::uint32_t word1028High = 0;                  // word 1028 shifted right by 8
};

MiscRecord SpreadMiscWords(std::span<const std::uint32_t, 1200> words);

}  // namespace rw::city
