#pragma once
// Stories for tests: an in-memory storage with a conversion's parameter block, what a story loads back,
// and a progress sink that records what it is told and can ask for Stop.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "model/params/XParamBlock.h"
#include "model/storage/CStorage.h"
#include "model/story/CStory.h"
#include "model/story/LoadedStory.h"
#include "model/story/ProgressSink.h"

namespace storytest {

// A write-mode storage in memory and the block of its conversion, with fresh records.
class StoryStorage {
public:
    StoryStorage() : storage(nullptr, storagemode::kWrite), block(std::make_unique<XParamBlock>()) {
        initXParamBlock(nullptr, block.get());
    }
    ~StoryStorage() { disposeXParamBlock(block.get()); }
    StoryStorage(const StoryStorage&) = delete;
    StoryStorage& operator=(const StoryStorage&) = delete;

    CStream* root() { return storage.rootStream(); }
    XForm& form() { return block->form; }
    XRule& rule() { return block->rule; }
    XPage& page() { return block->page; }

    // A new story of the kind and mark under the root, with the block as its host.
    std::unique_ptr<CStory> create(std::int16_t kind = storykind::kMain, std::int32_t mark = -1) {
        return std::make_unique<CStory>(block.get(), root(), nullptr, kind, mark, 1);
    }
    // Appends UTF-16 text with the block's records.
    void append(CStory& story, const std::u16string& text) {
        story.appendText(text.data(), static_cast<std::int32_t>(text.size()), &block->form, &block->rule,
                         &block->page, 0);
    }

    CStorage storage;
    std::unique_ptr<XParamBlock> block;
};

// What loadAll handed out, with the story's header, freed at the end.
struct LoadedStory : StoryContents {
    void load(CStory& story, ProgressSink* sink = nullptr, std::int32_t reportBase = 0) {
        StoryContents::load(story, &storyType, &storyMark, &storyName, sink, reportBase);
    }
    std::u16string textString() const {
        return text == nullptr ? std::u16string() : std::u16string(text, static_cast<std::size_t>(textLength));
    }
    std::vector<std::int32_t> formPositions() const {
        std::vector<std::int32_t> positions;
        for (std::int32_t i = 0; i < formCount; ++i) positions.push_back(forms[i].position);
        return positions;
    }

    std::int32_t storyType = 0;
    std::int32_t storyMark = 0;
    char storyName[kStoryNameBytes] = {};
};

// Records every status and poll; asks for Stop from the given poll on (1 = the first), never with 0.
class RecordingSink : public ProgressSink {
public:
    explicit RecordingSink(int stopAtPoll = 0) : stopAtPoll(stopAtPoll) {}

    void setStatus(std::uint16_t id, std::span<const UniFormatValue> values) override {
        statuses.push_back(formatUniResourceToString(id, values));
        ids.push_back(id);
    }
    std::int16_t poll() override {
        ++polls;
        return (stopAtPoll > 0 && polls >= stopAtPoll) ? 1 : 0;
    }

    static std::u16string formatUniResourceToString(std::uint16_t id, std::span<const UniFormatValue> values) {
        char16_t buffer[256];
        formatUniResourceCore(buffer, 256, id, values);
        return buffer;
    }

    int stopAtPoll;
    int polls = 0;
    std::vector<std::uint16_t> ids;
    std::vector<std::u16string> statuses;
};

// The names of an element's child elements, in order.
inline std::vector<std::string> childNames(CStream* element) {
    std::vector<std::string> names;
    for (const xmlNode* child = element->getNode()->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE) names.emplace_back(reinterpret_cast<const char*>(child->name));
    }
    return names;
}

}  // namespace storytest
