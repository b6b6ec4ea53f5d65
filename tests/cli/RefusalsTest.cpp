// Every refusal of every subcommand, run as a process: exit status, one-line message, nothing written.
#include <gtest/gtest.h>

#include <algorithm>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "CliTest.h"
#include "Version.h"
#include "scenario/WriteScenario.h"

namespace rw::cli::test {
namespace {

struct Refusal {
    Args args;              // '@' stands for the scratch folder, see CliTest::At
    int status;             // 1 file failure, 2 usage error
    std::string err;        // ending in '\n': the message after "routewright-cli: "; otherwise a part of it
    std::string json = {};  // written to @in.json first when given
};

const std::string kCity = "@cities/L city.urb", kMovie = "@scenarios/movie/", kRace = kMovie + "l.scn";
const Args kCp{"--checkpoint", "10,10"}, kBuild{"scenario", "build", "@in.json", "@out"};
const std::string kDeep = std::string(200, 'd') + "/" + std::string(60, 'e');  // too long with any folder

Args With(Args a, const Args& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Args RaceArgs(const Args& extra) {
    return With({"race", kCity, "-o", "@out"}, extra);
}
Args RaceT(const Args& extra) {  // a race that would be fine without extra
    return RaceArgs(With({"--title", "T", "--checkpoint", "10,10"}, extra));
}

const std::vector<Refusal> kRefusals{
    // The command frame.
    {{}, 2, "usage: A subcommand is required (see --help)\n"},
    {{"frobnicate"}, 2, "usage: unknown subcommand \"frobnicate\" (see --help)"},
    {{"scenario", "explode"}, 2, "scenario: unknown subcommand \"explode\""},
    {{"scenario", "dump", "--bogus", "a"}, 2, "dump: The following argument was not expected: --bogus"},
    // scenario dump / build
    {{"scenario", "dump", "@none.scn"}, 1, "@none.scn: no such file\n"},
    {Args{"scenario", "dump", "@text.scn"}, 1,
     "@text.scn: not a scenario file: the file type at byte 12 is not VTSN\n"},
    {kBuild, 2, "@in.json: parse error at line 1", "{\"name\": "},
    {kBuild, 2, "names the key \"label\" twice", R"({"events": [{"label": "x", "label": "y"}]})"},
    {kBuild, 2, "@in.json: laps: expected an integer in -2147483648..", R"({"laps": "3"})"},
    {{"scenario", "build", "@none.json", "@out"}, 1, "@none.json: no such file\n"},
    {{"scenario", "build", "@", "@out"}, 1, "@: not a regular file\n"},
    {{"scenario", "build", "@in.json", "@no/o.scn"}, 1, "@no/o.scn: no such folder\n", "{}"},
    // city info / tile
    {{"city", "tile", kCity, "128", "0"}, 2, "city tile: X: '128' is not an integer in 0..127"},
    {{"city", "tile", kCity, "0x1", "0"}, 2, "city tile: X: '0x1' is not an integer"},
    {{"city", "info", "@none.urb"}, 1, "@none.urb: no such file\n"},
    {Args{"city", "tile", "@bad.urb", "1", "1"}, 1,
     "@bad.urb: the chunk header at byte 12 is cut off by the end of the file\n"},
    // make-city
    {{"make-city"}, 2, "make-city: --output is required"},
    {{"make-city", "-o", "@out", "--seed", "-1"}, 2, "make-city: --seed: '-1' is not a non-negative integer"},
    {{"make-city", "-o", "@out", "--name", std::string(33, 'n')}, 2, "--name: longer than 32 characters\n"},
    {{"make-city", "-o", "@out", "--roads", "none"}, 2, "make-city: --roads: none not in {sparse,normal"},
    {{"make-city", "-o", "@no/folder/x.urb"}, 1, "@no/folder/x.urb: no such folder\n"},
    // race
    {RaceArgs(With({"--title", ""}, kCp)), 2, "--title: a race needs a title\n"},
    {RaceArgs(With({"--title", "Untitled"}, kCp)), 2,
     "--title: \"Untitled\" is the placeholder of a new race, not a title\n"},
    {RaceArgs(With({"--title", "\u4e2d"}, kCp)), 2, "--title: holds a character windows-1252 cannot"},
    {RaceArgs({"--title", "T", "--checkpoint", "12,50"}), 2,
     "--checkpoint 12,50: tile 12,50 is not a road tile of the city (building code 73)\n"},
    {RaceArgs({"--title", "T"}), 2, "race: --checkpoint is required (see --help)\n"},
    {RaceT({"--laps", "101"}), 2, "race: --laps: '101' is not an integer in 1..100"},
    {RaceT({"--racers", "9"}), 2, "race: --racers: '9' is not an integer in 0..8"},
    {RaceT({"--difficulty", "extreme"}), 2, "--difficulty: extreme not in {easy,medium,hard}"},
    {{"race", "@n.urb", "-o", "@out", "--title", "T", "--checkpoint", "1,1"}, 1, "@n.urb: no such file\n"},
    // route, course
    {{"route", kCity, "10", "10", "12", "128"}, 2, "route: Y2: '128' is not an integer in 0..127"},
    // outside a game folder the named city is not there
    {{"course", "@loose.scn"}, 1, "/cities/L city.urb: no such file"},
    {{"course", "@nocity.scn"}, 1, "@nocity.scn: names no city file (give one with --city)\n"},
    {Args{"course", kMovie + "e.scn"}, 1,
     kMovie + "e.scn: names the city file \"../cities/L city.urb\", which is not a plain file name in the "
              "cities folder\n"},
    // render
    {{"render", kCity, "--city", kCity, "-o", "@out"}, 2, "--city: applies only to a scenario (.scn) file\n"},
    {{"render", kRace, "-o", "@out", "--selected", "one"}, 2, "render: --selected: 'one' is not an integer"},
    {{"render", kRace, "--city", "@none.urb", "-o", "@out"}, 1, "@none.urb: no such file\n"},
    // make-demo
    {{"make-demo", "@plain"}, 1, "@plain: cannot create the game folder"},
    {Args{"make-demo", "@" + kDeep}, 1,
     "@" + kDeep + "/cities/Riverside.urb: the path is longer than 259 characters\n"},
    // Reasons of the file system: special files, long paths, read-only folders, wrong kinds with their
    // offset.
    {{"scenario", "dump", "@fifo"}, 1, "@fifo: not a regular file\n"},
    {Args{"scenario", "build", "@big.json", "@out"}, 2,
     "@big.json: holds more values than a file of its size may (64 MB + 16 times its size once read)\n"},
    {{"make-city", "-o", "@" + kDeep}, 1, "@" + kDeep + ": the path is longer than 259 characters\n"},
    {{"city", "info", "@blk.urb"}, 1, "@blk.urb: chunk XPLC at byte 12 decodes past its block\n"},
    // /sys takes no new file, not even from root.
    {{"scenario", "build", "@in.json", "/sys/o.scn"}, 1, "/sys/o.scn: the folder is read-only\n", "{}"},
    {Args{"race", kCity, "-o", "/sys/r.scn", "--title", "T", "--checkpoint", "10,10"}, 1,
     "/sys/r.scn: the folder is read-only\n"},
};

TEST_F(CliTest, EveryRefusalHasItsStatusAndOneLineAndWritesNothing) {
    Race("l.scn", {"10,10", "30,10", "30,30"});
    fs::copy_file(At(kRace), At("@loose.scn"));
    scenario::Scenario noCity, escape;
    noCity.checkpoints = {{1, 1}};
    escape.cityFile = "../cities/L city.urb";  // names a file that exists, through a folder
    ASSERT_TRUE(scenario::WriteScenario(noCity, At("@nocity.scn")));
    ASSERT_TRUE(scenario::WriteScenario(escape, At("@scenarios/movie/e.scn")));
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(At("@fifo").c_str(), 0600), 0);  // nothing ever writes to it: a read would wait
#endif
    // XPLC's block holds 1024 bytes: eight runs of 128, then a run of 2 past its end.
    const std::string runs = "\xff\x01\xff\x01\xff\x01\xff\x01\xff\x01\xff\x01\xff\x01\xff\x01\x81\x02";
    WriteFileBytes(At("@blk.urb"),
                   "FORM" + std::string("\0\0\0\x1e", 4) + "MTDHXPLC" + std::string("\0\0\0\x12", 4) + runs);
    WriteFileBytes(At("@text.scn"), "just some text, long enough to hold a header");
    WriteFileBytes(At("@bad.urb"), std::string("FORM\0\0\0\4MTDH", 12));
    WriteFileBytes(At("@plain"), "x");
    // A megabyte of empty events: each three bytes of text would become a whole event record.
    std::string events = "{\"events\": [{}";
    for (int i = 0; i < (1 << 20) / 3; ++i) {
        events += ",{}";
    }
    WriteFileBytes(At("@big.json"), events + "]}");

    for (const Refusal& refusal : kRefusals) {
#ifdef _WIN32
        // FIFOs, devices and POSIX absolute paths are inputs of POSIX systems.
        const std::string all = testing::PrintToString(refusal.args);
        if (all.find("fifo") != std::string::npos || all.find("\"/") != std::string::npos) {
            continue;
        }
#endif
        if (!refusal.json.empty()) {
            WriteFileBytes(At("@in.json"), refusal.json);
        }
        const auto r = RunTool(refusal.args);
        std::string expected = At(refusal.err), err = r.err;
        const std::string context = testing::PrintToString(refusal.args) + r.err;
#ifdef _WIN32
        // The CLI joins paths with the platform's separator; the table writes '/'.
        std::replace(expected.begin(), expected.end(), '/', '\\');
        std::replace(err.begin(), err.end(), '/', '\\');
#endif
        EXPECT_EQ(r.status, refusal.status) << context;
        EXPECT_EQ(r.err.rfind("routewright-cli: ", 0), 0u) << context;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << context;  // one line
        if (expected.back() == '\n') {
            EXPECT_EQ(err, "routewright-cli: " + expected) << context;
        } else {
            EXPECT_NE(err.find(expected), std::string::npos) << context;
        }
        EXPECT_EQ(r.out, "") << context;
        EXPECT_FALSE(fs::exists(out)) << context;
    }
    const auto full = RunTool({"city", "info", city}, "/dev/full");  // output that cannot be written
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "routewright-cli: standard output: write failed\n");
}

TEST_F(CliTest, HelpOnSubcommandsAndVersion) {
    for (const Args& args : {Args{"--help"}, Args{"scenario", "build", "-h"}, Args{"race", "--help"}}) {
        const auto r = RunTool(args);
        EXPECT_EQ(r.status, 0) << testing::PrintToString(args);
        EXPECT_NE(r.out.find(args.size() == 1 ? "Usage" : "Usage: routewright-cli " + args[0]),
                  std::string::npos)
            << r.out;
        EXPECT_EQ(r.err, "");
    }
    // help2man reads the version from the first line's last word.
    const auto version = RunTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "routewright-cli " + std::string(kVersion) + "\n");
}

}  // namespace
}  // namespace rw::cli::test
