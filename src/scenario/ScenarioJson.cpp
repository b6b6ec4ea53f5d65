// Scenario <-> JSON: the dump form and its fully checked inverse.
#include "scenario/ScenarioJson.h"

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <optional>
#include <ostream>
#include <string_view>

#include "scenario/Windows1252.h"

namespace rw::scenario {

namespace {

using Json = nlohmann::ordered_json;

Json Text(const std::string& bytes) {
    return Windows1252ToUtf8(bytes);
}

Json RacerToJson(const AiRacer& r) {
    return Json::array({r.word0, r.word1, r.word2, r.word3, r.word4, r.word5, r.word6, r.word7, r.word8,
                        r.word9, r.word10, r.word11});
}

Json EventToJson(const ScenarioEvent& e) {
    Json j = Json::object();
    j["value0"] = e.value0;
    j["value1"] = e.value1;
    j["value2"] = e.value2;
    j["value3"] = e.value3;
    j["values"] = e.values;
    j["value4"] = e.value4;
    j["text1"] = Text(e.text1);
    j["text2"] = Text(e.text2);
    j["text3"] = Text(e.text3);
    j["label"] = Text(e.label);
    return j;
}

Json PackageToJson(const Package& p) {
    Json j = Json::object();
    j["value0"] = p.value0;
    j["value1"] = p.value1;
    j["value2"] = p.value2;
    j["short0"] = p.short0;
    j["short1"] = p.short1;
    j["short2"] = p.short2;
    j["short3"] = p.short3;
    j["text1"] = Text(p.text1);
    j["text2"] = Text(p.text2);
    j["text3"] = Text(p.text3);
    j["text4"] = Text(p.text4);
    j["text5"] = Text(p.text5);
    j["text6"] = Text(p.text6);
    return j;
}

// Reading side. Every check names the place it failed; the first failure ends the conversion.
class JsonChecker {
  public:
    explicit JsonChecker(std::string& error) : m_error(error) {}

    bool Fail(const std::string& where, const std::string& why) {
        m_error = where.empty() ? why : where + ": " + why;
        return false;
    }

    template <typename T>
    bool Integer(const Json& v, const std::string& where, T& out) {
        constexpr auto kMin = static_cast<std::int64_t>(std::numeric_limits<T>::min());
        constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<T>::max());
        const std::string range = std::to_string(kMin) + ".." + std::to_string(kMax);
        if (!v.is_number_integer()) {
            return Fail(where, std::string("expected an integer in ") + range + ", found " + Describe(v));
        }
        if (v.is_number_unsigned()) {
            const auto u = v.get<std::uint64_t>();
            if (u > kMax) {
                return Fail(where, std::to_string(u) + " is outside " + range);
            }
            out = static_cast<T>(u);
            return true;
        }
        const auto s = v.get<std::int64_t>();
        if (s < kMin || (s > 0 && static_cast<std::uint64_t>(s) > kMax)) {
            return Fail(where, std::to_string(s) + " is outside " + range);
        }
        out = static_cast<T>(s);
        return true;
    }

    // allowSeparator false: the byte 0x01 is refused too (it separates labels and package texts).
    bool TextField(const Json& v, const std::string& where, std::string& out, bool allowSeparator = true) {
        if (!v.is_string()) {
            return Fail(where, "expected a string, found " + Describe(v));
        }
        const auto& utf8 = v.get_ref<const std::string&>();
        auto bytes = Utf8ToWindows1252(utf8);
        if (!bytes) {
            return Fail(where, WhyNotEncodable(utf8));
        }
        if (!allowSeparator && bytes->find('\x01') != std::string::npos) {
            return Fail(where, "holds U+0001, the separator of the file's text blocks");
        }
        out = std::move(*bytes);
        return true;
    }

    bool Object(const Json& v, const std::string& where, std::initializer_list<std::string_view> keys) {
        if (!v.is_object()) {
            return Fail(where, "expected an object, found " + Describe(v));
        }
        for (const auto& item : v.items()) {
            bool known = false;
            for (std::string_view k : keys) {
                known = known || item.key() == k;
            }
            if (!known) {
                return Fail(where, "unknown key \"" + item.key() + "\"");
            }
        }
        return true;
    }

    bool Array(const Json& v, const std::string& where, std::optional<std::size_t> size = std::nullopt) {
        if (!v.is_array()) {
            return Fail(where, "expected an array, found " + Describe(v));
        }
        if (size && v.size() != *size) {
            return Fail(where, "expected " + std::to_string(*size) + " integers, found " +
                                   std::to_string(v.size()) + " elements");
        }
        return true;
    }

    template <typename T>
    bool OptionalInteger(const Json& obj, const std::string& where, const char* key, T& out) {
        auto it = obj.find(key);
        return it == obj.end() || Integer(*it, Join(where, key), out);
    }

    bool OptionalText(const Json& obj, const std::string& where, const char* key, std::string& out,
                      bool allowSeparator = true) {
        auto it = obj.find(key);
        return it == obj.end() || TextField(*it, Join(where, key), out, allowSeparator);
    }

    static std::string Join(const std::string& where, std::string_view key) {
        return where.empty() ? std::string(key) : where + "." + std::string(key);
    }

    static std::string Index(const std::string& where, std::size_t i) {
        return where + "[" + std::to_string(i) + "]";
    }

  private:
    static std::string Describe(const Json& v) {
        if (v.is_number_float()) {
            return "a number with a fraction or exponent";
        }
        return std::string(v.type_name());
    }

    // Names the first code point that cannot become a file byte.
    static std::string WhyNotEncodable(std::string_view utf8) {
        std::size_t i = 0;
        while (i < utf8.size()) {
            const auto lead = static_cast<unsigned char>(utf8[i]);
            const std::size_t len = lead < 0x80    ? 1
                                    : lead >= 0xF0 ? 4
                                    : lead >= 0xE0 ? 3
                                    : lead >= 0xC0 ? 2
                                                   : 0;
            if (len == 0 || i + len > utf8.size()) {
                return "is not well-formed UTF-8";
            }
            char32_t cp = len == 1 ? lead : lead & (0x7Fu >> len);
            for (std::size_t k = 1; k < len; ++k) {
                cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
            }
            if (cp == 0) {
                return "holds U+0000, which a text cannot carry";
            }
            if (!EncodeWindows1252(cp)) {
                char hex[16];
                std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(cp));
                return std::string("holds ") + hex + ", which windows-1252 cannot encode";
            }
            i += len;
        }
        return "is not well-formed UTF-8";
    }

    std::string& m_error;
};

bool RacerFromJson(JsonChecker& c, const Json& v, const std::string& where, AiRacer& r) {
    if (!c.Array(v, where, 12)) {
        return false;
    }
    auto w = [&](std::size_t i, auto& out) { return c.Integer(v[i], JsonChecker::Index(where, i), out); };
    return w(0, r.word0) && w(1, r.word1) && w(2, r.word2) && w(3, r.word3) && w(4, r.word4) &&
           w(5, r.word5) && w(6, r.word6) && w(7, r.word7) && w(8, r.word8) && w(9, r.word9) &&
           w(10, r.word10) && w(11, r.word11);
}

bool EventFromJson(JsonChecker& c, const Json& v, const std::string& where, ScenarioEvent& e) {
    if (!c.Object(v, where,
                  {"value0", "value1", "value2", "value3", "values", "value4", "text1", "text2", "text3",
                   "label"})) {
        return false;
    }
    if (auto it = v.find("values"); it != v.end()) {
        const std::string at = JsonChecker::Join(where, "values");
        if (!c.Array(*it, at)) {
            return false;
        }
        e.values.resize(it->size());
        for (std::size_t i = 0; i < it->size(); ++i) {
            if (!c.Integer((*it)[i], JsonChecker::Index(at, i), e.values[i])) {
                return false;
            }
        }
    }
    return c.OptionalInteger(v, where, "value0", e.value0) &&
           c.OptionalInteger(v, where, "value1", e.value1) &&
           c.OptionalInteger(v, where, "value2", e.value2) &&
           c.OptionalInteger(v, where, "value3", e.value3) &&
           c.OptionalInteger(v, where, "value4", e.value4) && c.OptionalText(v, where, "text1", e.text1) &&
           c.OptionalText(v, where, "text2", e.text2) && c.OptionalText(v, where, "text3", e.text3) &&
           c.OptionalText(v, where, "label", e.label, false);
}

bool PackageFromJson(JsonChecker& c, const Json& v, const std::string& where, Package& p) {
    if (!c.Object(v, where,
                  {"value0", "value1", "value2", "short0", "short1", "short2", "short3", "text1", "text2",
                   "text3", "text4", "text5", "text6"})) {
        return false;
    }
    return c.OptionalInteger(v, where, "value0", p.value0) &&
           c.OptionalInteger(v, where, "value1", p.value1) &&
           c.OptionalInteger(v, where, "value2", p.value2) &&
           c.OptionalInteger(v, where, "short0", p.short0) &&
           c.OptionalInteger(v, where, "short1", p.short1) &&
           c.OptionalInteger(v, where, "short2", p.short2) &&
           c.OptionalInteger(v, where, "short3", p.short3) &&
           c.OptionalText(v, where, "text1", p.text1, false) &&
           c.OptionalText(v, where, "text2", p.text2, false) &&
           c.OptionalText(v, where, "text3", p.text3, false) &&
           c.OptionalText(v, where, "text4", p.text4, false) &&
           c.OptionalText(v, where, "text5", p.text5, false) &&
           c.OptionalText(v, where, "text6", p.text6, false);
}

bool TriggersFromJson(JsonChecker& c, const Json& v, const std::string& where,
                      std::map<std::int32_t, EventTrigger>& out) {
    if (!c.Array(v, where)) {
        return false;
    }
    std::map<std::int32_t, std::size_t> firstIndex;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const std::string at = JsonChecker::Index(where, i);
        const Json& t = v[i];
        if (!c.Object(t, at, {"key", "value0", "short0", "text1", "text2"})) {
            return false;
        }
        auto keyIt = t.find("key");
        if (keyIt == t.end()) {
            return c.Fail(at, "missing key \"key\"");
        }
        std::int32_t key = 0;
        EventTrigger trigger;
        if (!c.Integer(*keyIt, JsonChecker::Join(at, "key"), key) ||
            !c.OptionalInteger(t, at, "value0", trigger.value0) ||
            !c.OptionalInteger(t, at, "short0", trigger.short0) ||
            !c.OptionalText(t, at, "text1", trigger.text1) ||
            !c.OptionalText(t, at, "text2", trigger.text2)) {
            return false;
        }
        if (auto [it, inserted] = firstIndex.emplace(key, i); !inserted) {
            return c.Fail(JsonChecker::Join(at, "key"), std::to_string(key) + " is already the key of " +
                                                            JsonChecker::Index(where, it->second));
        }
        out.emplace(key, std::move(trigger));
    }
    return true;
}

template <typename T, typename F>
bool ListFromJson(JsonChecker& c, const Json& v, const std::string& where, std::vector<T>& out, F element) {
    if (!c.Array(v, where)) {
        return false;
    }
    out.resize(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (!element(c, v[i], JsonChecker::Index(where, i), out[i])) {
            return false;
        }
    }
    return true;
}

bool CheckpointFromJson(JsonChecker& c, const Json& v, const std::string& where, TilePos& p) {
    if (!v.is_array() || v.size() != 2) {
        return c.Fail(where, "expected an [x, y] pair");
    }
    return c.Integer(v[0], JsonChecker::Index(where, 0), p.x) &&
           c.Integer(v[1], JsonChecker::Index(where, 1), p.y);
}

}  // namespace

namespace {

Json TriggerToJson(std::int32_t key, const EventTrigger& t) {
    Json entry = Json::object();
    entry["key"] = key;
    entry["value0"] = t.value0;
    entry["short0"] = t.short0;
    entry["text1"] = Text(t.text1);
    entry["text2"] = Text(t.text2);
    return entry;
}

// The one list of the dump form's members, in their order; the sink gets each scalar member whole and each
// list one element at a time, so a writer never needs more than one element's JSON at once.
template <typename Sink>
void VisitMembers(const Scenario& s, Sink& sink) {
    sink.Member("cityFile", Text(s.cityFile));
    sink.Member("introMovie", Text(s.introMovie));
    sink.Member("introText", Text(s.introText));
    sink.Member("winMovie", Text(s.winMovie));
    sink.Member("winText", Text(s.winText));
    sink.Member("loseMovie", Text(s.loseMovie));
    sink.Member("loseText", Text(s.loseText));
    sink.Member("name", Text(s.name));
    sink.Member("timeLimit", s.timeLimit);
    sink.Member("bonus", s.bonus);
    sink.Member("pack", s.pack);
    sink.Member("ammo", s.ammo);
    sink.Member("startX", s.startX);
    sink.Member("startY", s.startY);
    sink.Member("laps", s.laps);
    sink.Member("checkpointBonus", s.checkpointBonus);
    sink.Member("prgn", s.prgn);
    sink.Member("episode", s.episode);
    sink.List("aiRacers", s.aiRacers, RacerToJson);
    sink.List("events", s.events, EventToJson);
    sink.List("checkpoints", s.checkpoints, [](const TilePos& p) { return Json::array({p.x, p.y}); });
    sink.List("packages", s.packages, PackageToJson);
    sink.List("eventTriggers", s.eventTriggers,
              [](const auto& entry) { return TriggerToJson(entry.first, entry.second); });
}

class DocumentSink {
  public:
    void Member(const char* key, Json value) { m_doc[key] = std::move(value); }

    template <typename Elements, typename F>
    void List(const char* key, const Elements& list, F toJson) {
        Json& array = m_doc[key] = Json::array();
        for (const auto& element : list) {
            array.push_back(toJson(element));
        }
    }

    Json Take() { return std::move(m_doc); }

  private:
    Json m_doc = Json::object();
};

// Writes what Json::dump(2) gives for the whole document, member by member.
class StreamSink {
  public:
    explicit StreamSink(std::ostream& out) : m_out(out) { m_out << '{'; }

    void Member(const char* key, const Json& value) {
        Key(key);
        Write(value, "\n  ");
    }

    template <typename Elements, typename F>
    void List(const char* key, const Elements& list, F toJson) {
        Key(key);
        if (list.empty()) {
            m_out << "[]";
            return;
        }
        m_out << '[';
        const char* separator = "\n    ";
        for (const auto& element : list) {
            m_out << separator;
            separator = ",\n    ";
            Write(toJson(element), "\n    ");
        }
        m_out << "\n  ]";
    }

    void Finish() { m_out << "\n}"; }

  private:
    // Writes value as dump(2) lays it out at the depth whose line start is newlineAndIndent. Strings never
    // hold a raw line break (dump escapes them), so every '\n' in the text is one of the layout's.
    void Write(const Json& value, std::string_view newlineAndIndent) {
        const std::string text = value.dump(2, ' ', false, Json::error_handler_t::replace);
        std::size_t from = 0;
        for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', from)) {
            m_out.write(text.data() + from, static_cast<std::streamsize>(at - from));
            m_out << newlineAndIndent;
            from = at + 1;
        }
        m_out.write(text.data() + from, static_cast<std::streamsize>(text.size() - from));
    }

    void Key(const char* key) {
        m_out << (m_first ? "\n  \"" : ",\n  \"") << key << "\": ";
        m_first = false;
    }

    std::ostream& m_out;
    bool m_first = true;
};

}  // namespace

nlohmann::ordered_json ScenarioToJson(const Scenario& s) {
    DocumentSink sink;
    VisitMembers(s, sink);
    return sink.Take();
}

void WriteScenarioJson(const Scenario& s, std::ostream& out) {
    StreamSink sink(out);
    VisitMembers(s, sink);
    sink.Finish();
}

bool ScenarioFromJson(const nlohmann::ordered_json& doc, Scenario& out, std::string& error) {
    JsonChecker c(error);
    if (!c.Object(doc, "",
                  {"cityFile", "introMovie", "introText",   "winMovie",        "winText",      "loseMovie",
                   "loseText", "name",       "timeLimit",   "bonus",           "pack",         "ammo",
                   "startX",   "startY",     "laps",        "checkpointBonus", "prgn",         "episode",
                   "aiRacers", "events",     "checkpoints", "packages",        "eventTriggers"})) {
        return false;
    }
    Scenario s;
    const std::string top;
    bool ok =
        c.OptionalText(doc, top, "cityFile", s.cityFile) &&
        c.OptionalText(doc, top, "introMovie", s.introMovie) &&
        c.OptionalText(doc, top, "introText", s.introText) &&
        c.OptionalText(doc, top, "winMovie", s.winMovie) && c.OptionalText(doc, top, "winText", s.winText) &&
        c.OptionalText(doc, top, "loseMovie", s.loseMovie) &&
        c.OptionalText(doc, top, "loseText", s.loseText) && c.OptionalText(doc, top, "name", s.name) &&
        c.OptionalInteger(doc, top, "timeLimit", s.timeLimit) &&
        c.OptionalInteger(doc, top, "bonus", s.bonus) && c.OptionalInteger(doc, top, "pack", s.pack) &&
        c.OptionalInteger(doc, top, "ammo", s.ammo) && c.OptionalInteger(doc, top, "startX", s.startX) &&
        c.OptionalInteger(doc, top, "startY", s.startY) && c.OptionalInteger(doc, top, "laps", s.laps) &&
        c.OptionalInteger(doc, top, "checkpointBonus", s.checkpointBonus) &&
        c.OptionalInteger(doc, top, "prgn", s.prgn);
    if (!ok) {
        return false;
    }
    if (auto it = doc.find("episode"); it != doc.end()) {
        if (!c.Array(*it, "episode", s.episode.size())) {
            return false;
        }
        for (std::size_t i = 0; i < s.episode.size(); ++i) {
            if (!c.Integer((*it)[i], JsonChecker::Index("episode", i), s.episode[i])) {
                return false;
            }
        }
    }
    if (auto it = doc.find("aiRacers");
        it != doc.end() && !ListFromJson(c, *it, "aiRacers", s.aiRacers, RacerFromJson)) {
        return false;
    }
    if (auto it = doc.find("events");
        it != doc.end() && !ListFromJson(c, *it, "events", s.events, EventFromJson)) {
        return false;
    }
    if (auto it = doc.find("checkpoints");
        it != doc.end() && !ListFromJson(c, *it, "checkpoints", s.checkpoints, CheckpointFromJson)) {
        return false;
    }
    if (auto it = doc.find("packages");
        it != doc.end() && !ListFromJson(c, *it, "packages", s.packages, PackageFromJson)) {
        return false;
    }
    if (auto it = doc.find("eventTriggers");
        it != doc.end() && !TriggersFromJson(c, *it, "eventTriggers", s.eventTriggers)) {
        return false;
    }
    out = std::move(s);
    return true;
}

}  // namespace rw::scenario
