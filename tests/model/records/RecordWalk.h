#pragma once
// Test helpers that reach into records through their field tables.
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "model/records/RecordFields.h"

namespace recordwalk {

struct Located {
    const FieldSpec* field = nullptr;
    unsigned char* at = nullptr;
};

// The member named by a dotted path ("rows.defRow.shd") through the tables of the sub-records.
inline Located locate(const RecordTable& table, void* record, std::string_view path) {
    const RecordTable* current = &table;
    auto* base = static_cast<unsigned char*>(record);
    Located found;
    while (!path.empty()) {
        const std::size_t dot = path.find('.');
        const std::string name(path.substr(0, dot));
        path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
        if (current == nullptr) return {};
        found.field = findField(*current, name.c_str());
        if (found.field == nullptr) return {};
        found.at = base + found.field->offset;
        base = found.at;
        current = found.field->sub;
    }
    return found;
}

// The name of the first field in which two records differ, "" when none does.
inline std::string firstDifference(const RecordTable& table, const void* a, const void* b) {
    for (const FieldSpec& field : table.fields) {
        if (equalField(field, a, b)) continue;
        if (field.sub != nullptr && field.itemCount == 1) {
            const std::string inner =
                firstDifference(*field.sub, fieldAddress(field, a), fieldAddress(field, b));
            if (!inner.empty()) return std::string(field.name) + "." + inner;
        }
        return field.name;
    }
    return "";
}

// Offsets of the bytes that no row of the table covers: the record's padding.
inline std::vector<std::size_t> paddingBytes(const RecordTable& table) {
    std::vector<bool> covered(table.size, false);
    for (const FieldSpec& field : table.fields)
        for (std::uint32_t i = 0; i < field.size; ++i) covered[field.offset + i] = true;
    std::vector<std::size_t> padding;
    for (std::size_t i = 0; i < covered.size(); ++i)
        if (!covered[i]) padding.push_back(i);
    return padding;
}

// Fills a record with a byte pattern that starts at `seed`, padding included.
inline void fillPattern(void* record, std::size_t size, unsigned seed) {
    auto* bytes = static_cast<unsigned char*>(record);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(seed + i * 31);
}

}  // namespace recordwalk
