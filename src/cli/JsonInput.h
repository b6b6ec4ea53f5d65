// Reading a JSON document from a file, stricter than the parser's defaults.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace rw::cli {

// Bytes that one element of the root object's array member `key` will take once the caller has converted
// it (0 for a key the caller does not convert).
using ElementCost = std::function<std::size_t(std::string_view key)>;

// Reads and parses the file at path into doc. Returns kExitSuccess, kExitFileFailed (the file cannot be
// opened or read) or kExitUsage (not well-formed JSON, or an object naming the same key twice, which the
// parser would otherwise settle silently, or a document whose parsed form plus its converted elements
// would take more than 64 MB + 16 times the file's size); error then says why. Does not throw.
int ReadJsonFile(const std::string& path, nlohmann::ordered_json& doc, std::string& error,
                 const ElementCost& elementCost);

// Empties doc from its leaves up. The library's own teardown first moves every element of an array onto a
// stack of its own, which for a large document is as much memory again.
void Dismantle(nlohmann::ordered_json& doc);

// Dismantles the document it watches when it goes out of scope.
class DismantleOnExit {
  public:
    explicit DismantleOnExit(nlohmann::ordered_json& doc) : m_doc(doc) {}
    ~DismantleOnExit() { Dismantle(m_doc); }
    DismantleOnExit(const DismantleOnExit&) = delete;
    DismantleOnExit& operator=(const DismantleOnExit&) = delete;

  private:
    nlohmann::ordered_json& m_doc;
};

}  // namespace rw::cli
