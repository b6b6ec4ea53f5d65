// JSON file input with duplicate-key detection, through the parser's event interface.
#include "cli/JsonInput.h"

#include <algorithm>
#include <exception>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "cli/CliOutput.h"

namespace rw::cli {

namespace {

using Json = nlohmann::ordered_json;

// Builds the document from the parser's events and refuses an object that names a key twice. Members are
// appended without the ordered map's own lookup (which scans the object at every insertion); a small object
// is checked by scanning it at each key, a large one once at its end, sorted, so the whole parse stays
// linear in the input however the objects are shaped.
class DocumentBuilder {
  public:
    explicit DocumentBuilder(Json& root) : m_root(root) {}

    bool null() { return Put(nullptr) != nullptr; }
    bool boolean(bool value) { return Put(value) != nullptr; }
    bool number_integer(Json::number_integer_t value) { return Put(value) != nullptr; }
    bool number_unsigned(Json::number_unsigned_t value) { return Put(value) != nullptr; }
    bool number_float(Json::number_float_t value, const Json::string_t&) { return Put(value) != nullptr; }
    bool string(Json::string_t& value) { return Put(std::move(value)) != nullptr; }
    bool binary(Json::binary_t& value) { return Put(Json::binary(std::move(value))) != nullptr; }

    bool start_object(std::size_t) { return Enter(Json::object()); }
    bool start_array(std::size_t) { return Enter(Json::array()); }
    bool end_array() {
        m_open.pop_back();
        return true;
    }
    bool end_object() {
        auto& members = Members(*m_open.back());
        const bool checkedAtEachKey = members.size() <= kScannedMembers;
        m_open.pop_back();
        return checkedAtEachKey || !HasRepeatedKey(members);
    }

    bool key(Json::string_t& name) {
        auto& members = Members(*m_open.back());
        if (members.size() < kScannedMembers) {
            for (const auto& member : members) {
                if (member.first == name) {
                    m_duplicate = name;
                    return false;
                }
            }
        }
        static_cast<Json::object_t::Container&>(members).emplace_back(std::move(name), nullptr);
        m_slot = &members.back().second;
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) {
        m_error = e.what();
        return false;
    }

    const std::string& Duplicate() const { return m_duplicate; }
    const std::string& Error() const { return m_error; }

  private:
    static constexpr std::size_t kScannedMembers = 16;

    static Json::object_t& Members(Json& object) { return object.get_ref<Json::object_t&>(); }

    // Places value where the parser is: the root, the next element of the open array, or the member whose
    // key came last. The address stays valid while the value is open: only the innermost container grows.
    template <typename T>
    Json* Put(T&& value) {
        if (m_open.empty()) {
            m_root = Json(std::forward<T>(value));
            return &m_root;
        }
        Json& container = *m_open.back();
        if (container.is_array()) {
            auto& elements = container.get_ref<Json::array_t&>();
            elements.emplace_back(std::forward<T>(value));
            return &elements.back();
        }
        *m_slot = Json(std::forward<T>(value));
        return m_slot;
    }

    bool Enter(Json&& empty) {
        Json* const placed = Put(std::move(empty));
        m_open.push_back(placed);
        return true;
    }

    bool HasRepeatedKey(const Json::object_t& members) {
        std::vector<const std::string*> names;
        names.reserve(members.size());
        for (const auto& member : members) {
            names.push_back(&member.first);
        }
        std::sort(names.begin(), names.end(), [](const auto* a, const auto* b) { return *a < *b; });
        const auto repeated = std::adjacent_find(names.begin(), names.end(),
                                                 [](const auto* a, const auto* b) { return *a == *b; });
        if (repeated == names.end()) {
            return false;
        }
        m_duplicate = **repeated;
        return true;
    }

    Json& m_root;
    std::vector<Json*> m_open;  // the containers the parser is inside, innermost last
    Json* m_slot = nullptr;
    std::string m_duplicate;
    std::string m_error;
};

}  // namespace

int ReadJsonFile(const std::string& path, nlohmann::ordered_json& doc, std::string& error) {
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

    Json parsed;
    DocumentBuilder builder(parsed);
    if (Json::sax_parse(text, &builder)) {
        doc = std::move(parsed);
        return kExitSuccess;
    }
    if (!builder.Duplicate().empty()) {
        error = "an object names the key \"" + builder.Duplicate() + "\" twice";
        return kExitUsage;
    }
    error = builder.Error();
    // Drop the library's "[json.exception.parse_error.101] " tag; the position that follows is what helps.
    if (auto tagEnd = error.find("] ");
        error.rfind("[json.exception", 0) == 0 && tagEnd != std::string::npos) {
        error.erase(0, tagEnd + 2);
    }
    return kExitUsage;
}

}  // namespace rw::cli
