#include "model/records/RecordFields.h"

#include <cstdio>
#include <cstring>

#include "foundation/FieldMask.h"
#include "model/records/ValueRecords.h"

std::int64_t integerField(const FieldSpec& field, const void* record) {
    const void* at = fieldAddress(field, record);
    switch (field.letter) {
    case 'd': {
        std::int16_t value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    case 'l': {
        std::int32_t value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    case 'u': {
        std::uint32_t value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    default:
        return 0;
    }
}

void setIntegerField(const FieldSpec& field, void* record, std::int64_t value) {
    void* at = fieldAddress(field, record);
    switch (field.letter) {
    case 'd': {
        const auto narrow = static_cast<std::int16_t>(value);
        std::memcpy(at, &narrow, sizeof narrow);
        break;
    }
    case 'l': {
        const auto narrow = static_cast<std::int32_t>(value);
        std::memcpy(at, &narrow, sizeof narrow);
        break;
    }
    case 'u': {
        const auto narrow = static_cast<std::uint32_t>(value);
        std::memcpy(at, &narrow, sizeof narrow);
        break;
    }
    default:
        break;
    }
}

namespace {

// Starting values over a record whose bytes are already zero. A sub-record without a starting value of
// its own (given by the row that holds it) takes the starting values of its table, item by item.
void applyInitials(const RecordTable& table, void* record) {
    for (const FieldSpec& field : table.fields) {
        void* at = fieldAddress(field, record);
        if (field.initialValue != nullptr) {
            std::memcpy(at, field.initialValue, field.size);
        } else if (field.initial != 0) {
            setIntegerField(field, record, field.initial);
        } else if (field.sub != nullptr) {
            const std::uint32_t itemSize = field.size / field.itemCount;
            for (std::uint16_t i = 0; i < field.itemCount; ++i)
                applyInitials(*field.sub, static_cast<unsigned char*>(at) + i * itemSize);
        }
    }
}

}  // namespace

void initRecord(const RecordTable& table, void* record) {
    std::memset(record, 0, table.size);
    applyInitials(table, record);
}

bool equalField(const FieldSpec& field, const void* a, const void* b) {
    const void* left = fieldAddress(field, a);
    const void* right = fieldAddress(field, b);
    // Equal bytes are equal values whatever the member holds; only a difference needs a closer look.
    if (std::memcmp(left, right, field.size) == 0) return true;
    switch (field.compare) {
    case FieldCompare::kBytes:
        return false;
    case FieldCompare::kWidth:
        return equalWidthSpec(*static_cast<const WidthSpec*>(left), *static_cast<const WidthSpec*>(right));
    case FieldCompare::kHeight:
        return equalHeightSpec(*static_cast<const HeightSpec*>(left), *static_cast<const HeightSpec*>(right));
    case FieldCompare::kFields: {
        const std::uint32_t itemSize = field.size / field.itemCount;
        for (std::uint16_t i = 0; i < field.itemCount; ++i) {
            const auto* leftItem = static_cast<const unsigned char*>(left) + i * itemSize;
            const auto* rightItem = static_cast<const unsigned char*>(right) + i * itemSize;
            if (!equalRecords(*field.sub, leftItem, rightItem)) return false;
        }
        return true;
    }
    }
    return false;
}

bool equalRecords(const RecordTable& table, const void* a, const void* b) {
    for (const FieldSpec& field : table.fields)
        if (!equalField(field, a, b)) return false;
    return true;
}

bool markFieldChanges(const RecordTable& table, void* record, const void* previous) {
    bool changed = false;
    for (const FieldSpec& field : table.fields) {
        if (field.bit == kAlways || equalField(field, record, previous)) continue;
        setMaskBit(record, field.bit);
        changed = true;
    }
    return changed;
}

const FieldSpec* findField(const RecordTable& table, const char* name) {
    for (const FieldSpec& field : table.fields)
        if (std::strcmp(field.name, name) == 0) return &field;
    return nullptr;
}

int attributeFormat(const RecordTable& table, char* buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) return -1;
    int length = 0;
    for (const FieldSpec& field : table.fields) {
        if (field.storage != FieldStorage::kAttribute) continue;
        const int written = std::snprintf(buffer + length, static_cast<std::size_t>(capacity - length), "%s%s %%%c",
                                          length == 0 ? "" : " ", field.key, field.letter);
        if (written < 0 || written >= capacity - length) {
            buffer[0] = '\0';
            return -1;
        }
        length += written;
    }
    buffer[length] = '\0';
    return length;
}
