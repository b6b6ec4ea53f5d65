// A window for the editor without a toolkit: controls as plain values that tests read and set.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "editor/EditorView.h"

namespace rw::editor::test {

// Behaves as the window's controls do: selecting a row the list does not have selects none, and nothing the
// editor sets reports back to it.
class ScriptedView : public EditorView {
  public:
    struct Entry {
        std::string label;
        int itemData;
    };
    std::map<ControlId, std::string> texts;
    std::vector<Entry> list;
    int listSelection = -1;
    int difficulty = -1;
    int repaints = 0;

    std::string Text(ControlId id) const override {
        const auto found = texts.find(id);
        return found == texts.end() ? std::string() : found->second;
    }
    void SetText(ControlId id, std::string_view text) override { texts[id] = std::string(text); }
    int ListCount() const override { return static_cast<int>(list.size()); }
    void ListInsert(int row, std::string_view label, int itemData) override {
        list.insert(list.begin() + row, Entry{std::string(label), itemData});
    }
    void ListSetLabel(int row, std::string_view label) override {
        list.at(static_cast<std::size_t>(row)).label = std::string(label);
    }
    void ListRemove(int row) override {
        list.erase(list.begin() + row);
        if (listSelection >= ListCount()) {
            listSelection = -1;
        }
    }
    int ListItemData(int row) const override {
        return row >= 0 && row < ListCount() ? list[static_cast<std::size_t>(row)].itemData : -1;
    }
    int ListSelection() const override { return listSelection; }
    void ListSelect(int row) override { listSelection = row >= 0 && row < ListCount() ? row : -1; }
    void ListScrollToTop() override {}
    int DifficultySelection() const override { return difficulty; }
    void SelectDifficulty(int index) override { difficulty = index >= 0 && index < 3 ? index : -1; }
    void RepaintMap() override { ++repaints; }

    std::vector<std::string> Labels() const {
        std::vector<std::string> labels;
        for (const Entry& entry : list) {
            labels.push_back(entry.label);
        }
        return labels;
    }
    // Title, Time, Bonus, Laps, Racers and City File.
    std::vector<std::string> Fields() const {
        std::vector<std::string> values;
        for (const ControlId id : {ControlId::RaceTitle, ControlId::TimeLimit, ControlId::Bonus,
                                   ControlId::Laps, ControlId::Racers, ControlId::CityFile}) {
            values.push_back(Text(id));
        }
        return values;
    }
};

}  // namespace rw::editor::test
