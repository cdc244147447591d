#pragma once
// What the record writer tests share: an in-memory storage with fresh run elements, a parameter block
// whose colour table they watch, and the record a reader must find after reading what a writer stored.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/text/TextFormat.h"

#include "model/params/XParamBlock.h"
#include "model/records/RecordFields.h"
#include "model/records/RecordKeys.h"
#include "model/storage/AttributeWriteFailure.h"
#include "model/storage/CStorage.h"
#include "model/tables/CColorArray.h"
#include "platform/process/AllocationFailure.h"

namespace writertest {

inline void setAllChangeBits(void* record) {
    std::memset(record, 0xFF, 8);
}

// Copies into `expected` every member of `written` that a write with onlyChanged stores through an
// attribute or a child row, as a reader leaves it: a text up to its terminator, the bytes after it
// untouched (a reader stores the text and its terminator only). Hand-written rows are the caller's.
inline void copyStoredFields(const RecordTable& table, void* expected, const void* written, bool onlyChanged) {
    for (const FieldSpec& field : table.fields) {
        if (field.storage != FieldStorage::kAttribute && field.storage != FieldStorage::kChild) continue;
        if (!rowIsStored(field, written, onlyChanged)) continue;
        void* to = fieldAddress(field, expected);
        const void* from = fieldAddress(field, written);
        if (field.storage == FieldStorage::kChild) {
            copyStoredFields(*field.sub, to, from, false);
        } else if (field.letter == 's') {
            const std::size_t length = strnlen(static_cast<const char*>(from), field.size - 1);
            std::memcpy(to, from, length);
            static_cast<char*>(to)[length] = '\0';
        } else {
            std::memcpy(to, from, field.size);
        }
    }
}

// "r65535g0b7" for each colour, in order.
inline std::vector<std::string> colourTexts(const std::vector<RGBColor>& colours) {
    std::vector<std::string> texts;
    for (const RGBColor& colour : colours)
        texts.push_back(formatToString("r%ug%ub%u", unsigned{colour.red}, unsigned{colour.green}, unsigned{colour.blue}));
    return texts;
}

// The block's colour table in the order of registration.
inline std::vector<std::string> colourTexts(const XParamBlock& block) {
    std::vector<RGBColor> colours;
    for (std::int32_t i = 1; i <= block.colors->getCount(); ++i) colours.push_back(*block.colors->get(i));
    return colourTexts(colours);
}

// An in-memory storage and a parameter block, both fresh for every test; no failure switch stays armed
// after a test.
class WriterTest : public ::testing::Test {
protected:
    void SetUp() override { initXParamBlock(nullptr, &block); }
    void TearDown() override {
        platform::disarmAllocationFailure();
        disarmAttributeWriteFailure();
        disposeXParamBlock(&block);
    }

    // A new element under the root, made the way the story makes its run elements.
    std::unique_ptr<CStream> newElement(const char* name) {
        return std::make_unique<CStream>(storage.rootStream(), name, 1);
    }
    // A fresh colour table, for tests that write several times.
    void resetColours() {
        disposeXParamBlock(&block);
        initXParamBlock(nullptr, &block);
    }

    CStorage storage{nullptr, storagemode::kWrite};
    XParamBlock block{};
};

}  // namespace writertest
