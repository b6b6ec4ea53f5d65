// JSON file input with duplicate-key detection.
#include "cli/JsonInput.h"

#include <exception>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "cli/CliOutput.h"

namespace rw::cli {

int ReadJsonFile(const std::string& path, nlohmann::ordered_json& doc, std::string& error) {
    using Json = nlohmann::ordered_json;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open the file";
        return kExitFileFailed;
    }
    std::string text;
    try {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        in.setstate(std::ios::badbit);  // the stream library throws when the path is a folder
    }
    if (in.bad()) {
        error = "cannot read the file";
        return kExitFileFailed;
    }

    std::vector<std::set<std::string>> openObjects;
    std::string duplicate;
    auto watchKeys = [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start) {
            openObjects.emplace_back();
        } else if (event == Json::parse_event_t::object_end && !openObjects.empty()) {
            openObjects.pop_back();
        } else if (event == Json::parse_event_t::key && !openObjects.empty() && duplicate.empty() &&
                   !openObjects.back().insert(parsed.get<std::string>()).second) {
            duplicate = parsed.get<std::string>();
        }
        return true;
    };
    try {
        doc = Json::parse(text, watchKeys);
    } catch (const Json::exception& e) {
        error = e.what();
        // Drop the library's "[json.exception.parse_error.101] " tag; the position that follows is what
        // helps.
        if (auto tagEnd = error.find("] ");
            error.rfind("[json.exception", 0) == 0 && tagEnd != std::string::npos) {
            error.erase(0, tagEnd + 2);
        }
        return kExitUsage;
    }
    if (!duplicate.empty()) {
        error = "an object names the key \"" + duplicate + "\" twice";
        return kExitUsage;
    }
    return kExitSuccess;
}

}  // namespace rw::cli
