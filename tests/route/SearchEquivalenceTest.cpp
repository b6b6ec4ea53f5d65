// The road search against a literal, unoptimised rendering of its rules, on random cities with tunnels and
// every building code.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <random>

#include "city/CityMap.h"
#include "route/RoadPathfinder.h"

namespace rw::route {
namespace {

std::size_t At(int x, int y) {
    return static_cast<std::size_t>(x * 128 + y);
}

PathNode Node(int x, int y, std::uint32_t tag) {
    return PathNode{static_cast<std::int16_t>(y), static_cast<std::int16_t>(x), tag};
}

// The codes a car can drive over, as the rules list them, apart from the product's table.
bool IsDrivable(int code) {
    return (code >= 29 && code <= 43) || (code >= 63 && code <= 70) || (code >= 73 && code <= 91) ||
           (code >= 93 && code <= 107);
}

// The search as the rules say it, with nothing clever: a growable queue of PathNode records carrying the
// mode of entry, a step map cleared whole, both step kinds tested per neighbour, then the backtrack.
struct LiteralSearch {
    StepMap steps{};

    bool Find(const city::CityMap& city, int fromX, int fromY, int toX, int toY, std::deque<PathNode>& path) {
        steps.fill(0);
        std::deque<PathNode> queue{Node(fromX, fromY, 0)};
        steps[At(fromX, fromY)] = 1;
        while (!queue.empty()) {
            const PathNode node = queue.front();
            queue.pop_front();
            if (node.x == toX && node.y == toY) {
                Backtrack(node.x, node.y, path);
                return true;
            }
            const auto mode =
                city.Tunnel(node.x, node.y) == 1 ? TravelMode::Portal : static_cast<TravelMode>(node.tag);
            const int around[4][2] = {
                {node.x - 1, node.y}, {node.x + 1, node.y}, {node.x, node.y - 1}, {node.x, node.y + 1}};
            for (const auto& [nx, ny] : around) {
                if (nx < 0 || nx > 127 || ny < 0 || ny > 127 || steps[At(nx, ny)] != 0) {
                    continue;
                }
                TravelMode entered;
                if (mode != TravelMode::Surface && city.Tunnel(nx, ny) != 0) {
                    entered = TravelMode::Tunnel;
                } else if (mode != TravelMode::Tunnel && IsDrivable(city.Building(nx, ny))) {
                    entered = TravelMode::Surface;
                } else {
                    continue;
                }
                steps[At(nx, ny)] = static_cast<std::uint16_t>(steps[At(node.x, node.y)] + 1);
                queue.push_back(Node(nx, ny, static_cast<std::uint32_t>(entered)));
            }
        }
        return false;
    }

    void Backtrack(int x, int y, std::deque<PathNode>& path) const {
        std::uint16_t d = steps[At(x, y)];
        path.push_front(Node(x, y, d));
        while (d > 1) {
            const int around[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& [nx, ny] : around) {
                if (nx >= 0 && nx <= 127 && ny >= 0 && ny <= 127 && steps[At(nx, ny)] == d - 1) {
                    x = nx;
                    y = ny;
                    break;
                }
            }
            --d;
            path.push_front(Node(x, y, d));
        }
    }
};

// Roads of every drivable and undrivable kind, tunnel fields 0, 1, 2 and 31 under and beside them.
void RandomCity(city::CityMap& city, std::mt19937& rng, int roadPercent) {
    for (int x = 0; x < 128; ++x) {
        for (int y = 0; y < 128; ++y) {
            const auto roll = static_cast<int>(rng() % 100);
            std::uint8_t code = 0;
            if (roll < roadPercent) {
                code = static_cast<std::uint8_t>(29 + rng() % 79);  // 29..107: mostly drivable, some not
            } else if (roll < roadPercent + 5) {
                code = static_cast<std::uint8_t>(rng() % 256);
            }
            city.SetBuilding(x, y, code);
            static constexpr std::uint16_t kFields[8] = {0, 0, 0, 0, 0, 1, 2, 31};
            const std::uint16_t field = rng() % 6 == 0 ? kFields[rng() % 8] : std::uint16_t{0};
            city.SetAltitude(x, y,
                             static_cast<std::uint16_t>(static_cast<unsigned>(field << 10) | (rng() % 32)));
        }
    }
}

// The same answer, path (placed before a sentinel) and step map from both searches, on one finder.
class SearchEquivalence : public ::testing::Test {
  protected:
    void ExpectSame(int fromX, int fromY, int toX, int toY) {
        std::deque<PathNode> path{PathNode{1, 2, 3}}, expected{PathNode{1, 2, 3}};
        const bool found =
            finder->FindRoadPath(*city, static_cast<std::uint16_t>(fromX), static_cast<std::uint16_t>(fromY),
                                 static_cast<std::uint16_t>(toX), static_cast<std::uint16_t>(toY), path);
        SCOPED_TRACE(testing::Message() << fromX << "," << fromY << " -> " << toX << "," << toY);
        ASSERT_EQ(found, literal->Find(*city, fromX, fromY, toX, toY, expected));
        ASSERT_EQ(path, expected);
        ASSERT_EQ(finder->Steps(), literal->steps);
    }

    std::unique_ptr<city::CityMap> city = std::make_unique<city::CityMap>();
    std::unique_ptr<RoadPathfinder> finder = std::make_unique<RoadPathfinder>();
    std::unique_ptr<LiteralSearch> literal = std::make_unique<LiteralSearch>();
};

// Long and short searches alternate on one finder, so any step number left over from an earlier search
// would show in the step map or bend a later path.
TEST_F(SearchEquivalence, RandomCitiesWithTunnelsMatchTheLiteralRules) {
    std::mt19937 rng(77);
    int found = 0, searches = 0;
    const auto near = [&](int from) { return std::clamp(from + static_cast<int>(rng() % 9) - 4, 0, 127); };
    for (const int roadPercent : {70, 80, 90, 97}) {
        RandomCity(*city, rng, roadPercent);
        for (int i = 0; i < 60; ++i) {
            const int fromX = static_cast<int>(rng() % 128), fromY = static_cast<int>(rng() % 128);
            const int toX = i % 2 == 0 ? near(fromX) : static_cast<int>(rng() % 128);
            const int toY = i % 2 == 0 ? near(fromY) : static_cast<int>(rng() % 128);
            ExpectSame(fromX, fromY, toX, toY);
            found += literal->steps[At(toX, toY)] != 0 ? 1 : 0;
            ++searches;
        }
        // A goal nobody reaches: the search covers everything it can reach.
        ExpectSame(64, 64, 64, 64);
    }
    EXPECT_GT(found, searches / 3);
    EXPECT_LT(found, searches);
    // Off the grid nothing is found, not even the road beside it, and the path is left as it was.
    city->SetBuilding(127, 0, 29);
    std::deque<PathNode> path{PathNode{1, 2, 3}};
    EXPECT_FALSE(finder->FindRoadPath(*city, 128, 0, 127, 0, path));
    EXPECT_FALSE(finder->FindRoadPath(*city, 127, 0, 200, 0, path));
    EXPECT_EQ(path, (std::deque<PathNode>{PathNode{1, 2, 3}}));
}

}  // namespace
}  // namespace rw::route
