// Reading a JSON document from a file, stricter than the parser's defaults.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace rw::cli {

// Reads and parses the file at path into doc. Returns kExitSuccess, kExitFileFailed (the file cannot be
// opened or read) or kExitUsage (not well-formed JSON, or an object naming the same key twice, which the
// parser would otherwise settle silently); error then says why. Does not throw.
int ReadJsonFile(const std::string& path, nlohmann::ordered_json& doc, std::string& error);

}  // namespace rw::cli
