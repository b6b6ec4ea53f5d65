// The road search against a literal, unoptimised rendering of its rules, on random cities with tunnels.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <random>
#include <vector>

#include "TestCity.h"
#include "city/CityMap.h"
#include "route/DrivableCode.h"
#include "route/RoadPathfinder.h"

namespace rw::route {
namespace {

// The search as the rules say it, with nothing clever: a growable queue of PathNode records carrying the
// mode of entry, a step map cleared whole, both step kinds tested per neighbour, then the backtrack.
struct LiteralSearch {
    StepMap steps{};

    bool Find(const city::CityMap& city, int fromX, int fromY, int toX, int toY, std::deque<PathNode>& path) {
        steps.fill(0);
        std::deque<PathNode> queue;
        const auto at = [](int x, int y) { return static_cast<std::size_t>(x * 128 + y); };
        queue.push_back(PathNode{static_cast<std::int16_t>(fromY), static_cast<std::int16_t>(fromX), 0});
        steps[at(fromX, fromY)] = 1;
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
                if (nx < 0 || nx > 127 || ny < 0 || ny > 127 || steps[at(nx, ny)] != 0) {
                    continue;
                }
                TravelMode entered;
                if (mode != TravelMode::Surface && city.Tunnel(nx, ny) != 0) {
                    entered = TravelMode::Tunnel;
                } else if (mode != TravelMode::Tunnel && IsDrivableCode(city.Building(nx, ny))) {
                    entered = TravelMode::Surface;
                } else {
                    continue;
                }
                steps[at(nx, ny)] = static_cast<std::uint16_t>(steps[at(node.x, node.y)] + 1);
                queue.push_back(PathNode{static_cast<std::int16_t>(ny), static_cast<std::int16_t>(nx),
                                         static_cast<std::uint32_t>(entered)});
            }
        }
        return false;
    }

    void Backtrack(int x, int y, std::deque<PathNode>& path) const {
        const auto at = [](int ax, int ay) { return static_cast<std::size_t>(ax * 128 + ay); };
        std::uint16_t d = steps[at(x, y)];
        path.push_front(PathNode{static_cast<std::int16_t>(y), static_cast<std::int16_t>(x), d});
        while (d > 1) {
            const int around[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& [nx, ny] : around) {
                if (nx >= 0 && nx <= 127 && ny >= 0 && ny <= 127 && steps[at(nx, ny)] == d - 1) {
                    x = nx;
                    y = ny;
                    break;
                }
            }
            --d;
            path.push_front(PathNode{static_cast<std::int16_t>(y), static_cast<std::int16_t>(x), d});
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

void ExpectSameSearch(RoadPathfinder& finder, LiteralSearch& literal, const city::CityMap& city, int fromX,
                      int fromY, int toX, int toY) {
    std::deque<PathNode> path{PathNode{1, 2, 3}};
    std::deque<PathNode> expected{PathNode{1, 2, 3}};
    const bool found =
        finder.FindRoadPath(city, static_cast<std::uint16_t>(fromX), static_cast<std::uint16_t>(fromY),
                            static_cast<std::uint16_t>(toX), static_cast<std::uint16_t>(toY), path);
    ASSERT_EQ(found, literal.Find(city, fromX, fromY, toX, toY, expected))
        << fromX << "," << fromY << " -> " << toX << "," << toY;
    ASSERT_EQ(path, expected) << fromX << "," << fromY << " -> " << toX << "," << toY;
    ASSERT_EQ(finder.Steps(), literal.steps) << fromX << "," << fromY << " -> " << toX << "," << toY;
}

// Long and short searches alternate on one finder, so any step number left over from an earlier search
// would show in the step map or bend a later path.
TEST(SearchEquivalence, RandomCitiesWithTunnelsMatchTheLiteralRules) {
    std::mt19937 rng(77);
    auto city = std::make_unique<city::CityMap>();
    auto finder = std::make_unique<RoadPathfinder>();
    auto literal = std::make_unique<LiteralSearch>();
    int found = 0;
    int searches = 0;
    for (const int roadPercent : {70, 80, 90, 97}) {
        RandomCity(*city, rng, roadPercent);
        for (int i = 0; i < 60; ++i) {
            const int fromX = static_cast<int>(rng() % 128), fromY = static_cast<int>(rng() % 128);
            const bool near = i % 2 == 0;
            const int toX = near ? std::clamp(fromX + static_cast<int>(rng() % 9) - 4, 0, 127)
                                 : static_cast<int>(rng() % 128);
            const int toY = near ? std::clamp(fromY + static_cast<int>(rng() % 9) - 4, 0, 127)
                                 : static_cast<int>(rng() % 128);
            ExpectSameSearch(*finder, *literal, *city, fromX, fromY, toX, toY);
            found += literal->steps[static_cast<std::size_t>(toX * 128 + toY)] != 0 ? 1 : 0;
            ++searches;
        }
        // A goal nobody reaches: the search covers everything it can reach.
        ExpectSameSearch(*finder, *literal, *city, 64, 64, 64, 64);
    }
    EXPECT_GT(found, searches / 3);
    EXPECT_LT(found, searches);
}

TEST(SearchEquivalence, GeneratedCityLegsMatchTheLiteralRules) {
    auto city = std::make_unique<city::CityMap>();
    test::GeneratedCity(*city, 5);
    auto finder = std::make_unique<RoadPathfinder>();
    auto literal = std::make_unique<LiteralSearch>();
    std::vector<std::pair<int, int>> roads;
    for (int x = 0; x < 128; ++x) {
        for (int y = 0; y < 128; ++y) {
            if (IsDrivableCode(city->Building(x, y)) || city->Tunnel(x, y) != 0) {
                roads.emplace_back(x, y);
            }
        }
    }
    ASSERT_FALSE(roads.empty());
    std::mt19937 rng(8);
    for (int i = 0; i < 80; ++i) {
        const auto [fromX, fromY] = roads[rng() % roads.size()];
        const auto [toX, toY] = roads[rng() % roads.size()];
        ExpectSameSearch(*finder, *literal, *city, fromX, fromY, toX, toY);
    }
}

}  // namespace
}  // namespace rw::route
