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
//
// It also keeps a tally of the memory the document takes, and what the caller's conversion will add for the
// elements of the root's lists, and stops the parse once the tally passes the budget: a few bytes of text
// such as `{},` can stand for a node of the document and a large record after conversion.
class DocumentBuilder {
  public:
    DocumentBuilder(Json& root, std::size_t budget, const ElementCost& elementCost)
        : m_root(root), m_budget(budget), m_elementCost(elementCost) {}

    bool null() { return Put(nullptr) != nullptr; }
    bool boolean(bool value) { return Put(value) != nullptr; }
    bool number_integer(Json::number_integer_t value) { return Put(value) != nullptr; }
    bool number_unsigned(Json::number_unsigned_t value) { return Put(value) != nullptr; }
    bool number_float(Json::number_float_t value, const Json::string_t&) { return Put(value) != nullptr; }
    bool string(Json::string_t& value) {
        // A string value lives on the heap beside its characters.
        return Charge(HeapBlock(sizeof(Json::string_t)) + HeapCharacters(value)) &&
               Put(std::move(value)) != nullptr;
    }
    bool binary(Json::binary_t& value) { return Put(Json::binary(std::move(value))) != nullptr; }

    bool start_object(std::size_t) {
        return Charge(HeapBlock(sizeof(Json::object_t))) && Enter(Json::object());
    }
    bool start_array(std::size_t) { return Charge(HeapBlock(sizeof(Json::array_t))) && Enter(Json::array()); }
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
        if (m_open.size() == 1) {
            m_listElementCost = m_elementCost(name);
        }
        auto& members = Members(*m_open.back());
        if (!Charge(HeapCharacters(name))) {
            return false;
        }
        if (members.size() < kScannedMembers) {
            for (const auto& member : members) {
                if (member.first == name) {
                    m_duplicate = name;
                    return false;
                }
            }
        }
        auto& container = static_cast<Json::object_t::Container&>(members);
        const std::size_t capacity = container.capacity();
        if (!RoomToGrow(container.size(), capacity, sizeof(Json::object_t::value_type))) {
            return false;
        }
        container.emplace_back(std::move(name), nullptr);
        m_slot = &members.back().second;
        return Regrown(capacity, container.capacity(), sizeof(Json::object_t::value_type));
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) {
        m_error = e.what();
        return false;
    }

    const std::string& Duplicate() const { return m_duplicate; }
    bool OverBudget() const { return m_overBudget; }
    const std::string& Error() const { return m_error; }

  private:
    static constexpr std::size_t kScannedMembers = 16;
    static constexpr std::size_t kShortString = 15;

    // A heap block as the allocator hands it out: a header word, rounded up to 16 bytes, 32 at least.
    static constexpr std::size_t HeapBlock(std::size_t bytes) {
        return std::max<std::size_t>(32, (bytes + 8 + 15) / 16 * 16);
    }

    static std::size_t HeapCharacters(const std::string& s) {
        return s.size() > kShortString ? HeapBlock(s.size() + 1) : 0;
    }

    bool Charge(std::size_t bytes) {
        m_spent += bytes;
        m_overBudget = m_overBudget || m_spent > m_budget;
        return !m_overBudget;
    }

    // Whether a full vector may take the storage it moves to next while it still holds its old one.
    bool RoomToGrow(std::size_t size, std::size_t capacity, std::size_t elementSize) {
        if (size < capacity ||
            m_spent + HeapBlock(std::max<std::size_t>(1, 2 * capacity) * elementSize) <= m_budget) {
            return true;
        }
        m_overBudget = true;
        return false;
    }

    // A vector's storage after it grew from one capacity to another.
    bool Regrown(std::size_t before, std::size_t after, std::size_t elementSize) {
        if (before == after) {
            return !m_overBudget;
        }
        m_spent -= before == 0 ? 0 : HeapBlock(before * elementSize);
        return Charge(HeapBlock(after * elementSize));
    }

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
            // An element of one of the root's lists also becomes a converted record.
            auto& elements = container.get_ref<Json::array_t&>();
            const std::size_t capacity = elements.capacity();
            if (!Charge(m_open.size() == 2 ? m_listElementCost : 0) ||
                !RoomToGrow(elements.size(), capacity, sizeof(Json))) {
                return nullptr;
            }
            elements.emplace_back(std::forward<T>(value));
            return Regrown(capacity, elements.capacity(), sizeof(Json)) ? &elements.back() : nullptr;
        }
        *m_slot = Json(std::forward<T>(value));
        return m_slot;
    }

    bool Enter(Json&& empty) {
        Json* const placed = Put(std::move(empty));
        if (placed == nullptr) {
            return false;
        }
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
    const std::size_t m_budget;
    const ElementCost& m_elementCost;
    std::size_t m_spent = 0;
    bool m_overBudget = false;
    std::size_t m_listElementCost = 0;
    std::vector<Json*> m_open;  // the containers the parser is inside, innermost last
    Json* m_slot = nullptr;
    std::string m_duplicate;
    std::string m_error;
};

}  // namespace

void Dismantle(nlohmann::ordered_json& doc) {
    std::vector<Json*> path{&doc};
    while (!path.empty()) {
        Json& open = *path.back();
        if (open.is_array() && !open.empty()) {
            auto& elements = open.get_ref<Json::array_t&>();
            if (elements.back().is_structured() && !elements.back().empty()) {
                path.push_back(&elements.back());
            } else {
                elements.pop_back();
            }
        } else if (open.is_object() && !open.empty()) {
            auto& members = static_cast<Json::object_t::Container&>(open.get_ref<Json::object_t&>());
            if (members.back().second.is_structured() && !members.back().second.empty()) {
                path.push_back(&members.back().second);
            } else {
                members.pop_back();
            }
        } else {
            path.pop_back();
        }
    }
}

int ReadJsonFile(const std::string& path, nlohmann::ordered_json& doc, std::string& error,
                 const ElementCost& elementCost) {
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

    // The same bound as a read of any of our binary files: 64 MB and 16 times the file, its text included.
    constexpr std::size_t kFixedBudget = std::size_t{64} << 20;
    // What the tally leaves out (the file's text, a vector's old storage while it grows, the program
    // itself) is covered by a lower rate.
    constexpr std::size_t kTalliedPerByte = 14;
    const std::size_t budget = kFixedBudget - (std::size_t{8} << 20) + kTalliedPerByte * text.size();
    Json parsed;
    DocumentBuilder builder(parsed, budget, elementCost);
    if (Json::sax_parse(text, &builder)) {
        doc = std::move(parsed);
        return kExitSuccess;
    }
    Dismantle(parsed);
    if (builder.OverBudget()) {
        error = "holds more values than a file of its size may (64 MB + 16 times its size once read)";
        return kExitUsage;
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
