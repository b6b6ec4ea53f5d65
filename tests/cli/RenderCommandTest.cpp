// `render` run as a process: the PNG's format, palette and pixel indices.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "TestCities.h"
#include "ToolRun.h"
#include "res/MapPalette.h"

namespace rw::cli::test {
namespace {

namespace fs = std::filesystem;

class RenderCommand : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(game / "cities");
        fs::create_directories(game / "scenarios" / "movie");
        WriteLCity(city);
        auto r = RunTool({"race", city, "-o", race, "--title", "T", "--checkpoint", "10,10", "--checkpoint",
                          "30,10", "--checkpoint", "30,30"});
        ASSERT_EQ(r.status, 0) << r.err;
    }

    QImage Render(const std::vector<std::string>& args) {
        std::vector<std::string> all{"render"};
        all.insert(all.end(), args.begin(), args.end());
        all.insert(all.end(), {"-o", png});
        auto r = RunTool(all);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "");
        return QImage(QString::fromStdString(png));
    }

    // The palette index at the top-left pixel of tile (x, y).
    static int TileIndexAt(const QImage& image, int x, int y) { return image.pixelIndex(2 * x, 2 * y); }

    TempFolder dir;
    fs::path game = dir.Path() / "game";
    std::string city = (game / "cities" / "L.urb").string();
    std::string race = (game / "scenarios" / "movie" / "l.scn").string();
    std::string png = dir / "map.png";
};

TEST_F(RenderCommand, CityIsAnEightBitPalettePngWithTheMapPalette) {
    const QImage image = Render({city});
    const std::string bytes = ReadFileBytes(png);
    ASSERT_GT(bytes.size(), 33u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    EXPECT_EQ(bytes.substr(12, 4), "IHDR");
    EXPECT_EQ(static_cast<unsigned char>(bytes[24]), 8u);  // bit depth
    EXPECT_EQ(static_cast<unsigned char>(bytes[25]), 3u);  // colour type: palette
    const auto plte = bytes.find("PLTE");
    ASSERT_NE(plte, std::string::npos);
    const auto palette = res::MapPalette();
    ASSERT_GE(bytes.size(), plte + 4 + 768);
    for (std::size_t i = 0; i < 256; ++i) {
        const auto at = plte + 4 + 3 * i;
        EXPECT_EQ(res::Rgb(static_cast<std::uint8_t>(bytes[at]), static_cast<std::uint8_t>(bytes[at + 1]),
                           static_cast<std::uint8_t>(bytes[at + 2])),
                  palette[i])
            << "entry " << i;
    }

    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    ASSERT_EQ(image.size(), QSize(256, 256));
    // Each tile is two by two pixels of the index the redraw gives it; no route, no marks.
    for (int dx = 0; dx < 2; ++dx) {
        for (int dy = 0; dy < 2; ++dy) {
            EXPECT_EQ(image.pixelIndex(2 * 12 + dx, 2 * 50 + dy), 63);
        }
    }
    EXPECT_EQ(TileIndexAt(image, 10, 10), 63);
    EXPECT_EQ(TileIndexAt(image, 50, 12), 28);
    EXPECT_EQ(TileIndexAt(image, 12, 50), 63);
    EXPECT_EQ(TileIndexAt(image, 20, 50), 60);
    EXPECT_EQ(TileIndexAt(image, 0, 0), 211 + kGroundHeight);
    EXPECT_EQ(TileIndexAt(image, 127, 127), 211 + kGroundHeight);
}

TEST_F(RenderCommand, ScenarioShowsRouteAndCheckpointSquares) {
    const QImage image = Render({race, "--selected", "1"});
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(TileIndexAt(image, 20, 10), 253);  // on the route
    EXPECT_EQ(TileIndexAt(image, 30, 20), 253);
    EXPECT_EQ(TileIndexAt(image, 61, 60), 63);  // a road off the route
    // Square of checkpoint 0 at tile (10, 10): pixels 18..21 both ways, red.
    EXPECT_EQ(image.pixelIndex(18, 18), res::kMarkRedIndex);
    EXPECT_EQ(image.pixelIndex(21, 21), res::kMarkRedIndex);
    EXPECT_NE(image.pixelIndex(22, 21), res::kMarkRedIndex);
    EXPECT_NE(image.pixelIndex(17, 18), res::kMarkRedIndex);
    // Checkpoint 1 at (30, 10) is the selected one.
    EXPECT_EQ(image.pixelIndex(58, 18), res::kMarkOrangeIndex);
    EXPECT_EQ(image.pixelIndex(61, 21), res::kMarkOrangeIndex);
    EXPECT_EQ(image.pixelIndex(60, 60), res::kMarkRedIndex);
    EXPECT_EQ(image.color(res::kMarkRedIndex), qRgb(255, 0, 0));
    EXPECT_EQ(image.color(res::kMarkOrangeIndex), qRgb(246, 110, 0));

    for (const auto& none :
         {std::vector<std::string>{race}, {race, "--selected", "3"}, {race, "--selected", "-1"}}) {
        const QImage plain = Render(none);
        EXPECT_EQ(plain.pixelIndex(58, 18), res::kMarkRedIndex) << testing::PrintToString(none);
    }

    // The same city given explicitly draws the same picture.
    const std::string viaGameFolder = ReadFileBytes(png);
    Render({race, "--city", city});
    EXPECT_EQ(ReadFileBytes(png), viaGameFolder);
}

TEST_F(RenderCommand, Refusals) {
    auto cityOnCity = RunTool({"render", city, "--city", city, "-o", png});
    EXPECT_EQ(cityOnCity.status, 2);
    EXPECT_EQ(cityOnCity.err, "routewright-cli: --city: applies only to a scenario (.scn) file\n");
    EXPECT_EQ(RunTool({"render", city}).status, 2);
    EXPECT_EQ(RunTool({"render", race, "-o", png, "--selected", "one"}).status, 2);
    EXPECT_FALSE(fs::exists(png));

    EXPECT_EQ(RunTool({"render", dir / "none.urb", "-o", png}).status, 1);
    EXPECT_EQ(RunTool({"render", dir / "none.scn", "-o", png}).status, 1);
    EXPECT_EQ(RunTool({"render", race, "--city", dir / "none.urb", "-o", png}).status, 1);
    EXPECT_FALSE(fs::exists(png));
    const std::string unwritable = dir / "no/folder/map.png";
    auto noOut = RunTool({"render", city, "-o", unwritable});
    EXPECT_EQ(noOut.status, 1);
    EXPECT_EQ(noOut.err, "routewright-cli: " + unwritable + ": cannot write the picture\n");
}

}  // namespace
}  // namespace rw::cli::test
