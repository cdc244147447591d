#include "model/records/RecordKeys.h"

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/FieldMask.h"

namespace {

constexpr const char* kUnit = "BStory";

// A table's attribute rows by their keys, made once per table: a run element carries a few of a record's
// dozens of keys, and looking each key up among the element's attributes cost more than the reading.
class KeyIndex {
public:
    explicit KeyIndex(const RecordTable& table) {
        for (std::size_t i = 0; i < table.fields.size(); ++i) {
            const FieldSpec& row = table.fields[i];
            if (row.storage != FieldStorage::kAttribute || row.key == nullptr) continue;
            // A key that two rows share is read by each: such a table keeps the row-by-row reading.
            if (!rows.emplace(row.key, i).second) usable = false;
        }
    }
    bool isUsable() const { return usable; }
    // The row of the key, or -1.
    std::ptrdiff_t rowOf(const char* key) const {
        const auto found = rows.find(key);
        return found == rows.end() ? -1 : static_cast<std::ptrdiff_t>(found->second);
    }

private:
    std::unordered_map<std::string_view, std::size_t> rows;
    bool usable = true;
};

const KeyIndex& keyIndexOf(const RecordTable& table) {
    // A reader asks for a handful of tables, each thousands of times: a short list searched by address
    // answers faster than a hash map.
    thread_local std::vector<std::pair<const RecordTable*, std::unique_ptr<KeyIndex>>> indexes;
    for (const auto& [known, index] : indexes)
        if (known == &table) return *index;
    auto index = std::make_unique<KeyIndex>(table);
    indexes.emplace_back(&table, std::move(index));
    return *indexes.back().second;
}

// The value of an attribute of the element and the table row whose key it is.
struct KeyHit {
    std::size_t row;
    const char* value;
};

// The element's attributes that are keys of the table, one per row and kept in table order as they are
// found. The first attribute of a name is the row's own (a tree built in memory may repeat a name), so a
// later one is passed over; the hits then never outnumber the table's rows. An element carries a few of
// its table's keys, so they fit a small buffer, and insertion keeps them in order cheaply.
class KeyHits {
public:
    explicit KeyHits(std::size_t rows) {
        if (rows > local.size()) raisingOutOfMemory(__LINE__, kUnit, [&] { spilled.resize(rows); });
    }
    void add(std::size_t row, const char* value) {
        KeyHit* hits = data();
        std::size_t at = count;
        while (at > 0 && hits[at - 1].row > row) --at;
        if ((at > 0 && hits[at - 1].row == row) || count == capacity()) return;
        for (std::size_t i = count; i > at; --i) hits[i] = hits[i - 1];
        hits[at] = KeyHit{row, value};
        ++count;
    }
    const KeyHit* begin() { return data(); }
    const KeyHit* end() { return data() + count; }

private:
    std::size_t capacity() const { return spilled.empty() ? local.size() : spilled.size(); }
    KeyHit* data() { return spilled.empty() ? local.data() : spilled.data(); }

    std::array<KeyHit, 64> local{};
    std::vector<KeyHit> spilled;
    std::size_t count = 0;
};

void readRowByRow(CStream& element, const RecordTable& table, void* record) {
    for (const FieldSpec& row : table.fields) {
        if (row.storage != FieldStorage::kAttribute) continue;
        element.readAttribute(row.key, row.letter, StorageTarget::forMember(row.letter, fieldAddress(row, record), row.size));
    }
}

}  // namespace

void readRecordKeys(CStream& element, const RecordTable& table, void* record) {
    const xmlNode* node = element.getNode();
    const KeyIndex& index = raisingOutOfMemory(__LINE__, kUnit, [&]() -> const KeyIndex& { return keyIndexOf(table); });
    if (node == nullptr || node->type != XML_ELEMENT_NODE || !index.isUsable()) {
        readRowByRow(element, table, record);
        return;
    }
    // One walk over the attributes finds each row's own (the first of its name), then the rows are read
    // in table order, as reading them one by one would.
    KeyHits hits(table.fields.size());
    bool joined = false;
    visitAttributes(node, [&](const char* name, const char* value) {
        if (name == nullptr) return;
        const std::ptrdiff_t row = index.rowOf(name);
        if (row < 0) return;
        if (value == nullptr) joined = true;
        hits.add(static_cast<std::size_t>(row), value);
    });
    // A value made of several nodes (only a foreign file has them) is joined by the reader by name.
    if (joined) {
        readRowByRow(element, table, record);
        return;
    }
    for (const KeyHit& hit : hits) {
        const FieldSpec& row = table.fields[hit.row];
        element.readAttributeValue(hit.value, row.letter, StorageTarget::forMember(row.letter, fieldAddress(row, record), row.size));
    }
}

bool rowIsStored(const FieldSpec& row, const void* record, bool onlyChanged) {
    return !onlyChanged || row.bit == kAlways || testMaskBit(record, row.bit) == 1;
}

void writeRecordKey(CStream& element, const FieldSpec& row, const void* record) {
    element.writeAttribute(row.key, row.letter, StorageSource::forMember(row.letter, fieldAddress(row, record), row.size));
}

void writeRecordKeys(CStream& element, const RecordTable& table, const void* record, bool onlyChanged) {
    for (const FieldSpec& row : table.fields) {
        if (row.storage == FieldStorage::kAttribute && rowIsStored(row, record, onlyChanged)) writeRecordKey(element, row, record);
    }
}

std::int16_t readChildRecord(CStream& element, const FieldSpec& row, void* record) {
    if (row.storage != FieldStorage::kChild || row.sub == nullptr) return result::kNullObject;
    // Most run elements lack most children (a run stores only what changed): an absent child answers 12,
    // as the element look-up would fail, without raising a failure for it.
    xmlNode* node = element.getNode();
    if (node == nullptr || CStream::findChild(node->children, row.element, nullptr, nullptr, 0) == nullptr) {
        return result::kOutOfMemory;
    }
    return failureCode([&] {
        CStream child(&element, row.element, 0);
        void* member = fieldAddress(row, record);
        readRecordKeys(child, *row.sub, member);
        readChildRecords(child, *row.sub, member);
    });
}

void readChildRecords(CStream& element, const RecordTable& table, void* record) {
    for (const FieldSpec& row : table.fields) {
        if (row.storage == FieldStorage::kChild) readChildRecord(element, row, record);
    }
}

const FieldSpec& tableRow(const RecordTable& table, const char* name) {
    const FieldSpec* row = findField(table, name);
    throwIfNullObject(row, __LINE__, kUnit);
    return *row;
}
