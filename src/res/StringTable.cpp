// The string table's texts.
#include "StringTable.h"

#include <array>

namespace rw::res {

namespace {

constexpr std::array<std::string_view, kLastStringId - kFirstStringId + 1> kStrings{
    "&About Race Course Editor",  // 101
    "Kill AI",                    // 102
    "Goto location",              // 103
    "Deliver Package",            // 104
    "Earn Money",                 // 105
    "Racer",                      // 106
    "Hunter",                     // 107
    "Speeder",                    // 108
    "Cop",                        // 109
    "Rogue",                      // 110
    "Checkpoints",                // 111
    "Race Specifications",        // 112
    "Seconds",                    // 113
    "Checkpoint Time Bonus",      // 114
    "Time Limit",                 // 115
    "City File",                  // 116
    "Laps",                       // 117
    "Racers",                     // 118
    "Race Title",                 // 119
    "&Delete Checkpoint",         // 120
    "&New",                       // 121
    "&Load Scenario",             // 122
    "&Save Scenario",             // 123
    "Load &City File",            // 124
    "Checkpoint",                 // 125
    "Untitled",                   // 126
    "Road Here",                  // 127
    "Windmill",                   // 128
    "Gas Power",                  // 129
    "Oil Power",                  // 130
    "Nuclear Power",              // 131
    "No Road Here",               // 132
    "Solar Power",                // 133
    "Microwave Power",            // 134
    "Fusion Power",               // 135
    "Coal Power",                 // 136
    "City Hall",                  // 137
    "Hospital",                   // 138
    "Fire Station",               // 139
    "Police Station",             // 140
    "Museum",                     // 141
    "Large Park",                 // 142
    "School",                     // 143
    "Stadium",                    // 144
    "Prison",                     // 145
    "University",                 // 146
    "Zoo",                        // 147
    "Mayor's House",              // 148
    "Library",                    // 149
    "Marina",                     // 150
    "Plymouth Arco",              // 151
    "Forest Arco",                // 152
    "Darco",                      // 153
    "Launch Arco",                // 154
    "Llama Dome",                 // 155
    "START/ FINISH",              // 156
    "FINISH",                     // 157
    "Before Saving, you need to give this race a name. Enter a name in the \"Race Title\" field.",  // 158
    "E&xit",                                                                                        // 159
    "Race Difficulty",                                                                              // 160
    "Click on city map to set checkpoints",                                                         // 161
    "&Enter Vortane",                                                                               // 162
    "Can not launch Vortane. Exit the race editor and enter Vortane from the Start Menu.",          // 163
    "Vortane Launch Failed",                                                                        // 164
    "Race Untitled",                                                                                // 165
    "Do you want to save the current scenario?",                                                    // 166
    "Save Scenario?",                                                                               // 167
    "User created race course",                                                                     // 168
    "Before Saving, you need to give this race some checkpoints.",                                  // 169
    "No Checkpoints",                                                                               // 170
    "START",                                                                                        // 171
    "Select Scenario file",                                                                         // 172
    "Select City File",                                                                             // 173
    "Vortane of Metrova Race Course Editor",                                                        // 174
};

}  // namespace

std::string_view String(int id) {
    if (id < kFirstStringId || id > kLastStringId) {
        return {};
    }
    return kStrings[static_cast<std::size_t>(id - kFirstStringId)];
}

}  // namespace rw::res
