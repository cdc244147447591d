#pragma once
// What a reader of a document sees of its story, run by run: the text writers write this and nothing
// else. A bookmark's mark run (its name) shows nothing. A field shows its result, never its instruction:
// a field-text run holds "instruction{result" and shows what follows its first "{" (later "{"s
// separate nothing and are dropped); a field spelt with the start, separator and end codes shows the
// text between its separator and its end, and fields nest. The codes themselves pass on: the writers
// drop them. A table's cell mark passes on too (the writers end the cell's line with it), except the
// mark that ends a row: the row's last cell has already ended its line.
#include <cstdint>
#include <string>

#include "model/story/StoryKinds.h"

class VisibleText {
public:
    // A new story starts outside every field.
    void reset() {
        depth = 0;
        resultLevels = 0;
    }

    // The units of one run (its kind is the run's txtData) that a reader sees, appended to shown.
    // endsRow: the run's paragraph record says its cell mark ends a table row.
    template <typename Unit>
    void filter(std::int32_t runKind, const Unit* units, std::int32_t count, std::basic_string<Unit>& shown,
                bool endsRow = false) {
        if (units == nullptr || count <= 0) return;
        if (runKind == kBookmarkStartRun || runKind == kBookmarkEndRun) return;
        if (runKind == storycode::kFieldStart && count > 1) {
            appendFieldResult(units, count, shown);
            return;
        }
        for (std::int32_t index = 0; index < count; ++index) {
            const Unit unit = units[index];
            if (unit == static_cast<Unit>(storycode::kFieldStart)) {
                enterField();
            } else if (unit == static_cast<Unit>(storycode::kFieldSeparator)) {
                if (depth > 0) markResult(depth);
            } else if (unit == static_cast<Unit>(storycode::kFieldEnd)) {
                leaveField();
            } else if (endsRow && unit == static_cast<Unit>(storycode::kCellEnd)) {
                continue;
            } else if (showing()) {
                shown.push_back(unit);
            }
        }
    }

private:
    static constexpr std::int32_t kBookmarkStartRun = 28;
    static constexpr std::int32_t kBookmarkEndRun = 29;
    // Levels past this share the deepest level's state: no document nests fields this far.
    static constexpr std::int32_t kTrackedLevels = 64;

    template <typename Unit>
    void appendFieldResult(const Unit* units, std::int32_t count, std::basic_string<Unit>& shown) const {
        if (!showing()) return;
        bool inResult = false;
        for (std::int32_t index = 0; index < count; ++index) {
            if (units[index] == static_cast<Unit>('{')) {
                inResult = true;
            } else if (inResult) {
                shown.push_back(units[index]);
            }
        }
    }
    void enterField() {
        ++depth;
        if (depth <= kTrackedLevels) resultLevels &= ~bitOf(depth);
    }
    void leaveField() {
        if (depth == 0) return;  // an end without a start ends nothing
        if (depth <= kTrackedLevels) resultLevels &= ~bitOf(depth);
        --depth;
    }
    void markResult(std::int32_t level) {
        resultLevels |= bitOf(level < kTrackedLevels ? level : kTrackedLevels);
    }
    // Shown when every open field is past its separator.
    bool showing() const {
        const std::int32_t tracked = depth < kTrackedLevels ? depth : kTrackedLevels;
        for (std::int32_t level = 1; level <= tracked; ++level)
            if ((resultLevels & bitOf(level)) == 0) return false;
        return true;
    }
    static std::uint64_t bitOf(std::int32_t level) { return std::uint64_t{1} << (level - 1); }

    std::int32_t depth = 0;
    std::uint64_t resultLevels = 0;  // bit n-1: the field at level n is past its separator
};
