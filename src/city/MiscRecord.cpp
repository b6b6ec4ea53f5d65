// Spreading the MISC words over the record's arrays.
#include "city/MiscRecord.h"

#include <cstddef>

namespace rw::city {

namespace {

std::uint16_t Low16(std::uint32_t word) {
    return static_cast<std::uint16_t>(word & 0xFFFFu);
}

std::uint8_t Low8(std::uint32_t word) {
    return static_cast<std::uint8_t>(word & 0xFFu);
}

}  // namespace

MiscRecord SpreadMiscWords(std::span<const std::uint32_t, 1200> words) {
    MiscRecord r;
    std::size_t w = 1;
    for (auto& v : r.statistics) {
        v = words[w++];
    }
    for (std::size_t i = 0; i < 20; ++i) {
        r.popRatio[i] = words[w++];
        r.educateRatio[i] = words[w++];
        r.healthRatio[i] = words[w++];
    }
    for (std::size_t i = 0; i < 11; ++i) {
        r.indDemand[i] = Low16(words[w++]);
        r.indRates[i] = Low16(words[w++]);
        r.indRatio[i] = words[w++];
    }
    for (auto& v : r.tileCnt) {
        v = Low16(words[w++]);
    }
    for (auto& v : r.zonePop) {
        v = words[w++];
    }
    for (auto& v : r.furtherCounts) {
        v = Low16(words[w++]);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        r.neighborName[i] = Low16(words[w++]);
        r.neighborPop[i] = words[w++];
        r.neighborValue[i] = words[w++];
        r.neighborFame[i] = words[w++];
        r.neighborNames[i] = r.neighborName[i] == 0 ? "Ocean" : "";
    }
    for (auto& v : r.furtherValues) {
        v = Low16(words[w++]);
    }
    for (auto& entry : r.budget) {
        entry[24] = words[w++];
        entry[25] = words[w++];
        entry[26] = words[w++];
        for (std::size_t pair = 0; pair < 12; ++pair) {
            entry[pair] = words[w++];
            entry[12 + pair] = words[w++];
        }
    }
    for (auto& v : r.statistics911) {
        v = words[w++];
    }
    for (auto& v : r.paper) {
        v = Low8(words[w++]);
    }
    for (std::size_t i = 0; i < 9; ++i) {
        r.newsWords[i][0] = Low16(words[w++]);
        r.newsWords[i][1] = Low16(words[w++]);
        for (auto& b : r.newsBytes[i]) {
            b = Low8(words[w++]);
        }
    }
    for (auto& v : r.statistics1000) {
        v = words[w++];
    }
    for (auto& v : r.milCnt) {
        v = Low16(words[w++]);
    }
    for (auto& v : r.statistics1018) {
        v = words[w++];
    }
    const std::uint32_t word1028 = words[1028];
    if (word1028 == 0xFFFFFFFFu) {
        r.word1028Low = 64;
        r.word1028High = 128;
    } else {
        r.word1028Low = static_cast<std::uint8_t>(word1028 & 0x7Fu);
        r.word1028High = word1028 >> 8;
    }
    return r;
}

}  // namespace rw::city
