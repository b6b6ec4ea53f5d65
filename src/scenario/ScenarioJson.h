// Converters between a Scenario and its JSON form, shared by the command-line tool and the tests.
#pragma once

#include <iosfwd>
#include <string>

#include <nlohmann/json.hpp>

#include "scenario/Scenario.h"

namespace rw::scenario {

// The JSON form of a scenario: one object whose keys are the Scenario members in declaration order.
// Texts are the members' bytes decoded as windows-1252 (Windows1252.h), so every byte 0x01..0xFF has
// exactly one character and encoding gives the same bytes back. Numbers keep their C++ types' signedness:
// racers are arrays of the twelve words (word7 and word10 signed, word3 = low + 65536 x high), events and
// packages objects in field order, checkpoints [x, y] pairs, eventTriggers objects {key, value0, short0,
// text1, text2} in ascending key order. Never fails.
nlohmann::ordered_json ScenarioToJson(const Scenario& scenario);

// The same form as text, exactly ScenarioToJson(scenario).dump(2) without a final newline, written element
// by element so its memory does not grow with the scenario. Stream errors are left in out's state.
void WriteScenarioJson(const Scenario& scenario, std::ostream& out);

// The inverse: starts from a default Scenario and takes every member the object holds; a missing member,
// or a missing field of an event, package or trigger (other than a trigger's key), keeps its default.
// The whole document is checked before anything is returned: on failure the result is false, out is
// untouched and error reads "<where>: <why>" (where is a path such as events[2].label). Refused: a value
// that is not an object/array/string/integer where one is expected (floating-point numbers included),
// an integer outside its field's range, an unknown key, a racer that is not 12 integers, an episode that
// is not 6 integers, a checkpoint that is not two integers, a text holding U+0000 or a character
// windows-1252 cannot encode, an event label or package text holding U+0001 (the file's separator), and
// two triggers with the same key. Does not throw.
bool ScenarioFromJson(const nlohmann::ordered_json& doc, Scenario& out, std::string& error);

}  // namespace rw::scenario
