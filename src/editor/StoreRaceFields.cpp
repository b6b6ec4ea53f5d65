// The transfer of the race form into the scenario.
#include "editor/StoreRaceFields.h"

#include "res/StringTable.h"

namespace rw::editor {

void StoreRaceForSave(scenario::Scenario& scenario, const RaceFields& fields) {
    StoreRaceFields(scenario, fields);
    scenario.winMovie = kRaceWinMovie;
    scenario.loseMovie = kRaceLoseMovie;
}

std::string DoubleAmpersands(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        out.push_back(c);
        if (c == '&') {
            out.push_back('&');
        }
    }
    return out;
}

std::string SingleAmpersands(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        out.push_back(text[i]);
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&') {
            ++i;
        }
    }
    return out;
}

void StoreRaceFields(scenario::Scenario& s, const RaceFields& fields) {
    s.laps = fields.laps;
    s.checkpointBonus = fields.checkpointBonus;
    s.cityFile = fields.cityFile;

    // A loaded file can leave the difficulty without a selection; its racers are then built as Easy ones
    // with the lowest level rather than from outside the tables.
    const bool selected = fields.difficulty >= 0 && fields.difficulty <= 2;
    const auto row = static_cast<std::size_t>(selected ? fields.difficulty : 0);
    s.aiRacers.clear();
    for (std::int32_t k = fields.racers; k >= 1; --k) {
        const std::size_t column = (k % 2 == 1) ? 0 : 1;
        scenario::AiRacer r;
        r.word0 = 1;
        r.word1 = 1;
        r.word2 = 2;
        r.word7 = RacerValueTable[row][column].valueA;
        r.word8 = static_cast<std::uint32_t>(RacerValueTable[row][column].valueB);
        r.word10 = k == fields.racers ? static_cast<std::int32_t>(row) + 1 : RacerLevelTable[row][column];
        s.aiRacers.push_back(r);
    }

    s.timeLimit = fields.timeLimit;
    s.introMovie.clear();
    s.introText.clear();
    s.winMovie.clear();
    s.winText.clear();
    s.loseMovie.clear();
    s.loseText.clear();
    s.bonus = 0;
    s.pack = 0;
    s.ammo = 15;
    s.startY = 0;
    s.startX = 0;
    s.events.clear();
    s.packages.clear();
    s.episode[5] = 2;
    s.episode[1] = 1;
    s.episode[2] = 50000;
    // Written over the strings already there, so that a store repeated at every edit reuses their storage.
    s.name.clear();
    for (const char c : fields.title) {
        s.name.push_back(c);
        if (c == '&') {
            s.name.push_back('&');
        }
    }
    s.introText.assign(rw::res::String(168)).append(": ").append(s.name);
}

}  // namespace rw::editor
