#pragma once
// What the record writer tests share: an in-memory storage with fresh run elements, a parameter block
// whose colour table they watch, and record comparisons that go by value (a text up to its end, not the
// bytes after it).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "model/CColorArray.h"
#include "model/CStorage.h"
#include "model/RecordFields.h"
#include "model/RecordWriting.h"
#include "model/XParamBlock.h"

namespace writertest {

// The name of the first member in which the records differ by value, "" when none does. Texts compare
// up to their terminator; sub-records member by member.
inline std::string valueDifference(const RecordTable& table, const void* a, const void* b) {
    for (const FieldSpec& field : table.fields) {
        const auto* left = static_cast<const unsigned char*>(fieldAddress(field, a));
        const auto* right = static_cast<const unsigned char*>(fieldAddress(field, b));
        const std::uint32_t itemSize = field.size / field.itemCount;
        for (std::uint16_t i = 0; i < field.itemCount; ++i) {
            const auto* leftItem = left + i * itemSize;
            const auto* rightItem = right + i * itemSize;
            const std::string name = field.itemCount == 1 ? field.name : std::string(field.name) + "[" + std::to_string(i) + "]";
            if (field.letter == 's' && field.sub == nullptr) {
                const auto* leftText = reinterpret_cast<const char*>(leftItem);
                const auto* rightText = reinterpret_cast<const char*>(rightItem);
                if (std::string(leftText, strnlen(leftText, itemSize)) != std::string(rightText, strnlen(rightText, itemSize)))
                    return name;
            } else if (field.sub != nullptr) {
                const std::string inner = valueDifference(*field.sub, leftItem, rightItem);
                if (!inner.empty()) return name + "." + inner;
            } else if (field.itemCount == 1 && !equalField(field, a, b)) {
                return name;
            } else if (field.itemCount > 1 && std::memcmp(leftItem, rightItem, itemSize) != 0) {
                return name;
            }
        }
    }
    return "";
}

// Copies into `expected` every member of `written` whose row a writer takes when it writes only the
// changed fields: what a reader must find again. Hand-written rows are the caller's to add.
inline void copyTakenFields(const RecordTable& table, void* expected, const void* written) {
    for (const FieldSpec& field : table.fields) {
        if (field.storage == FieldStorage::kNotStored || field.storage == FieldStorage::kHandWritten) continue;
        if (!rowIsTaken(field, written, true)) continue;
        std::memcpy(fieldAddress(field, expected), fieldAddress(field, written), field.size);
    }
}

inline std::vector<std::string> colorTexts(const XParamBlock& block) {
    std::vector<std::string> colors;
    for (std::int32_t i = 1; i <= block.colors->getCount(); ++i) {
        const RGBColor* color = block.colors->get(i);
        colors.push_back("r" + std::to_string(color->red) + "g" + std::to_string(color->green) + "b" +
                         std::to_string(color->blue));
    }
    return colors;
}

// Gives every stored member of the record (sub-records and arrays included) one value of its kind: the
// integers `small` (16-bit) and `large` (32-bit), the unsigned ones `large` as its bit pattern, every
// colour channel `channel`, every text `pattern` repeated to the text's full length. The change mask and
// members that store no value are left alone.
struct FillValues {
    std::int16_t small;
    std::int32_t large;
    std::uint16_t channel;
    std::string pattern;
};

inline void fillText(char* text, std::uint32_t capacity, const std::string& pattern) {
    for (std::uint32_t i = 0; i + 1 < capacity; ++i) text[i] = pattern[i % pattern.size()];
    text[capacity - 1] = '\0';
}

inline void fillValues(const RecordTable& table, void* record, const FillValues& values) {
    const RGBColor color{values.channel, values.channel, values.channel};
    for (const FieldSpec& field : table.fields) {
        // The mask, and members that carry no values into the storage (the cell style's mark).
        if (field.storage == FieldStorage::kNotStored || field.letter == 'v') continue;
        if (field.letter == 0 && field.sub == nullptr) continue;
        auto* at = static_cast<unsigned char*>(fieldAddress(field, record));
        const std::uint32_t itemSize = field.size / field.itemCount;
        if (field.sub != nullptr) {
            for (std::uint16_t i = 0; i < field.itemCount; ++i) fillValues(*field.sub, at + i * itemSize, values);
            continue;
        }
        switch (field.letter) {
        case 'd': {
            auto* numbers = reinterpret_cast<std::int16_t*>(at);
            for (std::uint32_t i = 0; i < field.size / sizeof(std::int16_t); ++i) numbers[i] = values.small;
            break;
        }
        case 'l':
        case 'u':
            setIntegerField(field, record, values.large);
            break;
        case 's':
            for (std::uint16_t i = 0; i < field.itemCount; ++i)
                fillText(reinterpret_cast<char*>(at + i * itemSize), itemSize, values.pattern);
            break;
        case 'C':
            *reinterpret_cast<RGBColor*>(at) = color;
            break;
        case 'B':
            *reinterpret_cast<BorderSpec*>(at) = {values.small, values.small, color, values.small};
            break;
        case 'S':
            *reinterpret_cast<ShadingSpec*>(at) = {values.small, color, color};
            break;
        case 'V':
            *reinterpret_cast<RevisionMark*>(at) = {values.large, values.small, values.small, values.large};
            break;
        case 'Q':
            *reinterpret_cast<LongRect*>(at) = {values.large, values.large, values.large, values.large};
            break;
        case 'W':
            *reinterpret_cast<WidthSpec*>(at) = {values.small, values.large};
            break;
        default:
            ADD_FAILURE() << "no test value for the letter " << field.letter << " of " << field.name;
        }
    }
}

inline void setAllChangeBits(void* record) {
    std::memset(record, 0xFF, 8);
}

// An in-memory storage and a parameter block, both fresh for every test.
class WriterTest : public ::testing::Test {
protected:
    void SetUp() override { initXParamBlock(nullptr, &block); }
    void TearDown() override { disposeXParamBlock(&block); }

    // A new element under the root, made the way the story makes its run elements.
    std::unique_ptr<CStream> newElement(const char* name) {
        return std::make_unique<CStream>(storage.rootStream(), name, 1);
    }
    // A fresh colour table, for tests that write several times.
    void resetColors() {
        disposeXParamBlock(&block);
        initXParamBlock(nullptr, &block);
    }

    CStorage storage{nullptr, storagemode::kWrite};
    XParamBlock block{};
};

}  // namespace writertest
