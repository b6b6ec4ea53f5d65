// Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/ from our own writers and generator.
// Run once after a format change; the files are committed. Usage: fuzz_seed_corpus <corpus folder>.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "MemoryFileSystem.h"
#include "SampleScenarios.h"
#include "city/CityChunk.h"
#include "city/CityGenerator.h"
#include "city/RunLength.h"
#include "city/WriteCityFile.h"
#include "scenario/FourCC.h"
#include "scenario/ScenarioJson.h"
#include "scenario/ScenarioTags.h"
#include "scenario/ScenarioTestFiles.h"
#include "scenario/WriteScenario.h"

using namespace rw;
using scenario::FourCC;
using Bytes = std::vector<std::uint8_t>;
using scenario::testing::Concat;
using scenario::testing::Text;
using scenario::testing::Words;

namespace {

std::filesystem::path g_root;

void Save(const std::string& target, const std::string& name, const Bytes& bytes) {
    const auto folder = g_root / target;
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Written(const scenario::Scenario& s) {
    fuzz::MemoryFileSystem fs;
    const res::ScopedFileSystem scope(fs);
    scenario::WriteScenario(s, "seed.scn");
    return fs.Get("seed.scn").value_or(Bytes{});
}

// A scenario file of (tag, payload) chunks, built by the tests' own byte builder.
Bytes ChunkFileOf(const std::vector<std::pair<std::uint32_t, Bytes>>& chunks,
                  std::uint32_t fileType = scenario::tags::kFileType) {
    std::vector<Bytes> built;
    for (const auto& [tag, payload] : chunks) {
        built.push_back(scenario::testing::Chunk(tag, payload));
    }
    return scenario::testing::ScenarioFile(built, fileType);
}

void ScenarioSeeds() {
    using namespace scenario::tags;
    const std::vector<std::pair<std::string, Bytes>> files = {
        {"default.scn", Written(scenario::Scenario{})},
        {"race.scn", Written(fuzz::EditorRace())},
        {"full.scn", Written(fuzz::FullScenario(3))},
        // The reader's rules on odd files: later chunks win, counts restart lists, elements past a count or
        // before one are ignored, short numbers, labels before and after events, unterminated texts.
        {"rules.scn", ChunkFileOf({
                          {kCheckpoint, Words({0x00070005})},
                          {kName, Text("first")},
                          {kName, Text("second", false)},
                          {kTime, {0x2C, 0x01}},
                          {kEpisode, Words({9, 8, 7})},
                          {kLaps, Words({1})},
                          {kCheckpointCount, Words({2})},
                          {kCheckpoint, Words({0x00070005})},
                          {kCheckpoint, Words({0x00090008})},
                          {kCheckpoint, Words({0x000B000A})},
                          {kLabels, Text("early\x01", false)},
                          {kEventCount, Words({3})},
                          {kEvent, Concat({Words({1, 2, 3, 4, 2, 10, 11, 0xFFFFFFFF, 9}), Text("a"),
                                           Text("bb"), Text("\xCDx"), Words({0})})},
                          {kEvent, Concat({Words({5, 6, 7, 8, 0, 3, 0}), Text("ignored")})},
                          {kEvent, Words({1, 1})},
                          {kLabels, Text("one\x01two\x01three", false)},
                          {kRacerCount, Words({2})},
                          {kRacer, Words({1, 2, 3, 0x00050004, 5, 6, 7, 0xFFFFFFF0, 9, 10, 11, 12})},
                          {kRacer, Words({1, 2})},
                          {kPackageCount, Words({2})},
                          {kPackage, Concat({Words({1, 2, 3}), Words({0x00050004, 0x00070006}),
                                             Text("a\x01"
                                                  "b\x01"
                                                  "rest")})},
                          {kPackage, Words({1})},
                          {kTrigger, Concat({Words({5, 6}), {7, 0}, Text("x"), Text("y"), {0, 0}})},
                          {kTrigger, Concat({Words({5, 1}), {1, 0}, Text("dup")})},
                          {kTrigger, Words({0xFFFFFFFF})},
                          {FourCC("JUNK"), Text("skipped")},
                          {kRacerCount, Words({1})},
                      })},
        {"wrong-type.scn", ChunkFileOf({{kName, Text("x")}}, FourCC("XXXX"))},
        {"header-only.scn", ChunkFileOf({})},
    };
    for (const auto& [name, bytes] : files) {
        Save("scenario_reader", name, bytes);
        Save("chunk_walk", name, bytes);
    }
    // A count beyond the file's size and a value count beyond its record.
    Save("scenario_reader", "huge-count.scn", ChunkFileOf({{kEventCount, Words({0x7FFFFFFF})}}));
    Save("scenario_reader", "huge-values.scn",
         ChunkFileOf({{kEventCount, Words({1})}, {kEvent, Words({0, 0, 0, 0, 0x40000000})}}));
    // A count one more than the element chunks the rest of the file could hold (three of 8 bytes), and one
    // the lists' memory budget refuses although the chunks could be there.
    Save("scenario_reader", "count-past-room.scn",
         ChunkFileOf({{kPackageCount, Words({4})}, {kName, Text("room for 3 and a bit")}}));
    Save("scenario_reader", "count-past-budget.scn",
         ChunkFileOf({{kPackageCount, Words({60})}, {kName, Bytes(60 * 8, 'n')}}));
}

void ChunkWalkSeeds() {
    const Bytes good =
        ChunkFileOf({{FourCC("AAAA"), Text("one")}, {FourCC("BBBB"), {}}, {FourCC("AAAA"), {7}}});
    auto patched = [&](std::size_t at, std::uint32_t word) {
        Bytes b = good;
        for (std::size_t i = 0; i < 4; ++i) {
            b[at + i] = static_cast<std::uint8_t>(word >> (8 * i));
        }
        return b;
    };
    Save("chunk_walk", "three.chk", good);
    Save("chunk_walk", "negative-length.chk", patched(32, 0x80000000u));
    Save("chunk_walk", "past-end.chk", patched(32 + 12, 400));
    Save("chunk_walk", "below-header.chk", patched(32 + 12, 3));
    Save("chunk_walk", "cut-header.chk", Bytes(good.begin(), good.end() - 5));
    Save("chunk_walk", "not-finalized.chk", patched(20, 28));
    Save("chunk_walk", "short.chk", Bytes(good.begin(), good.begin() + 19));
}

// A generated city with only a small patch of each layer kept, so that its chunks code to a few hundred
// bytes.
city::CityData SmallCity() {
    city::CityGeneratorOptions options;
    options.seed = 7;
    options.name = "Seedville";
    options.roads = city::RoadDensity::Sparse;
    city::CityData c = city::GenerateCity(options);
    auto crop = [](auto& layer, int side) {
        const int from = side * 15 / 32;
        const int to = side * 17 / 32;
        for (int x = 0; x < side; ++x) {
            for (int y = 0; y < side; ++y) {
                if (x < from || x >= to || y < from || y >= to) {
                    layer[city::TileIndex(x, y, side)] = 0;
                }
            }
        }
    };
    for (auto* layer : {&c.terrain, &c.buildings, &c.zones, &c.underground, &c.textLayer, &c.bits}) {
        crop(*layer, 128);
    }
    crop(c.altitude, 128);
    for (auto* layer : {&c.traffic, &c.pollution, &c.landValue, &c.crime}) {
        crop(*layer, 64);
    }
    for (auto* layer : {&c.police, &c.fire, &c.population, &c.growth}) {
        crop(*layer, 32);
    }
    std::fill(c.labels.begin() + 25 * 3, c.labels.end(), std::uint8_t{0});
    std::fill(c.misc.begin() + 64, c.misc.end(), 0u);
    std::fill(c.graphs.begin() + 104, c.graphs.end(), 0u);
    return c;
}

void CitySeeds() {
    const auto chunks = city::EncodeCityChunks(SmallCity());
    auto pick = [&](std::initializer_list<const char*> tags) {
        std::vector<city::CityFileChunk> picked;
        for (const char* tag : tags) {
            for (const auto& chunk : chunks) {
                if (std::string_view(chunk.tag.data(), 4) == tag) {
                    picked.push_back(chunk);
                }
            }
        }
        return picked;
    };
    auto chunk = [](const char* tag, Bytes data) {
        city::CityFileChunk c;
        std::copy(tag, tag + 4, c.tag.begin());
        c.data = std::move(data);
        return c;
    };
    // Every chunk but the altitude layer, which is stored raw and would make the seed 32 KB.
    Save("city_reader", "small-city.urb",
         city::AssembleCityFile(
             pick({"MISC", "XTER", "XBLD", "XZON", "XUND", "XTXT", "XLAB", "XMIC", "XTHG", "XBIT",
                   "XTRF", "XPLT", "XVAL", "XCRM", "XPLC", "XFIR", "XPOP", "XROG", "XGRP", "CNAM"})));
    Save("city_reader", "layers.urb", city::AssembleCityFile(pick({"XBLD", "XZON", "XBIT", "CNAM"})));

    // Short and odd chunks: a partial ALTM, a run and a literal, an unknown chunk with an odd length, a
    // name with a zero length byte.
    const std::vector<city::CityFileChunk> odd = {
        chunk("ALTM", {0x00, 0x21, 0x04, 0x02, 0x00}),
        chunk("XBLD", {0xFF, 0x2C, 0x00, 0x03, 0x01, 0x02, 0x03, 0x80, 0x09}),
        chunk("JUNK", {1, 2, 3}),
        chunk("XLAB", city::EncodeRunLength(Concat({{30}, Text("A very long label text here..")}))),
        chunk("CNAM", {0, 'x'}),
    };
    Save("city_reader", "odd.urb", city::AssembleCityFile(odd));
    Bytes bigForm = city::AssembleCityFile(odd);
    bigForm[4] = 0x7F;  // a form size beyond the data
    Save("city_reader", "form-too-long.urb", bigForm);
    Bytes smallForm = city::AssembleCityFile(odd);
    smallForm[7] = 4;  // a form size that ends after the first chunk
    Save("city_reader", "form-short.urb", smallForm);
    Bytes badMisc = city::AssembleCityFile(pick({"MISC"}));
    badMisc[12 + 8 + 4] = 0x07;  // inside the first literal: word 0 no longer 290
    Save("city_reader", "bad-misc.urb", badMisc);
    Save("city_reader", "empty-chunk.urb", city::AssembleCityFile(std::vector{chunk("XBLD", {})}));
    Save("city_reader", "long-name.urb", city::AssembleCityFile(std::vector{chunk("CNAM", Bytes(241, 'n'))}));
    Bytes notForm = city::AssembleCityFile(odd);
    notForm[0] = 'B';
    Save("city_reader", "not-a-form.urb", notForm);
    // Each refusal of the header and the chunk loop once: a cut header, a form of another type, a chunk
    // header cut off, a chunk running past the end, a layer decoding past its block, an altitude layer
    // longer than its block.
    const Bytes whole = city::AssembleCityFile(odd);
    Save("city_reader", "cut-header.urb", Bytes(whole.begin(), whole.begin() + 6));
    Bytes otherType = city::AssembleCityFile(odd);
    otherType[11] = 'X';
    Save("city_reader", "other-type.urb", otherType);
    Save("city_reader", "header-only.urb", Bytes(whole.begin(), whole.begin() + 16));
    for (const char* tag : {"JUNK", "CNAM", "ALTM", "MISC", "XBLD"}) {
        Bytes pastEnd = city::AssembleCityFile(std::vector{chunk(tag, {1, 2, 3, 4})});
        pastEnd.pop_back();
        Save("city_reader", std::string("past-end-") + tag + ".urb", pastEnd);
    }
    Bytes runs;
    for (int i = 0; i < 8; ++i) {
        runs.insert(runs.end(), {0xFF, 0x01});
    }
    runs.insert(runs.end(), {0x81, 0x02});
    Save("city_reader", "past-block.urb", city::AssembleCityFile(std::vector{chunk("XPLC", runs)}));
    // Word chunks decoding to less than their block: the rest keeps the current city's words.
    Save("city_reader", "short-words.urb",
         city::AssembleCityFile(
             std::vector{chunk("MISC", city::EncodeRunLength(Bytes{0, 0, 1, 0x22, 0, 7})),
                         chunk("XGRP", city::EncodeRunLength(Bytes{0, 0, 1, 0, 9})),
                         chunk("XMIC", city::EncodeRunLength(Bytes{1, 2, 0, 3, 0, 4, 0, 5, 6, 7, 8}))}));
    Save("city_reader", "again-past-block.urb",
         city::AssembleCityFile(std::vector{chunk("XPLC", {0xFF, 0x01}), chunk("XPLC", runs)}));
    Save("city_reader", "altitudes-too-long.urb",
         city::AssembleCityFile(std::vector{chunk("ALTM", Bytes(32770, 0))}));
}

Bytes RunLengthInput(std::uint16_t capacity, const Bytes& coded) {
    return Concat(
        {{static_cast<std::uint8_t>(capacity >> 8), static_cast<std::uint8_t>(capacity & 0xFF)}, coded});
}

void RunLengthSeeds() {
    Bytes mixed;
    for (int i = 0; i < 300; ++i) {
        mixed.push_back(static_cast<std::uint8_t>(i < 140 ? 0x42 : (i * 7) & 0xFF));
    }
    Save("run_length", "mixed", RunLengthInput(300, city::EncodeRunLength(mixed)));
    Save("run_length", "short-data", RunLengthInput(400, city::EncodeRunLength(mixed)));
    Save("run_length", "left-over", RunLengthInput(100, city::EncodeRunLength(mixed)));
    Save("run_length", "controls", RunLengthInput(200, {0x00, 0x80, 0x01, 0xFF, 0x02, 0x03, 0x04, 0x00}));
    Save("run_length", "missing-value", RunLengthInput(10, {0x81}));
    Save("run_length", "long-literal", RunLengthInput(10, {0x7F, 0x01}));
}

void JsonSeeds() {
    auto dump = [](const scenario::Scenario& s) {
        const std::string text = scenario::ScenarioToJson(s).dump(1);
        return Bytes(text.begin(), text.end());
    };
    Save("scenario_json", "default.json", dump(scenario::Scenario{}));
    Save("scenario_json", "race.json", dump(fuzz::EditorRace()));
    Save("scenario_json", "full.json", dump(fuzz::FullScenario(5)));
    const std::string partial =
        R"({"name":"Caf\u00e9 && Co","laps":0,"checkpoints":[[1,2]],"events":[{"label":"x","value4":-4,)"
        R"("text3":"\u00cdz"}],"eventTriggers":[{"key":-1,"text2":"t"}],"aiRacers":[[0,0,0,0,0,0,0,-1,5,0,-2,0]]})";
    Save("scenario_json", "partial.json", Bytes(partial.begin(), partial.end()));
    const std::string refused = R"({"laps":1.5,"name":"a","name":"b"})";
    Save("scenario_json", "refused.json", Bytes(refused.begin(), refused.end()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seed_corpus <corpus folder>\n");
        return 2;
    }
    g_root = argv[1];
    ScenarioSeeds();
    ChunkWalkSeeds();
    CitySeeds();
    RunLengthSeeds();
    JsonSeeds();
    return 0;
}
