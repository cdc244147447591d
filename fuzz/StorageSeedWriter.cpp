// Writes the storage fuzz target's seeds with the model's own writers, so that they hold what a real
// conversion stores: storage_seed_writer <folder>. Each seed is one small storage document.
#include <libxml/tree.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "foundation/CFail.h"
#include "model/params/XParamBlock.h"
#include "model/storage/CStorage.h"
#include "model/story/CStory.h"
#include "model/story/CTable.h"

namespace {

// An in-memory storage and the parameter block whose records the stories are written with.
class SeedStorage {
public:
    SeedStorage() : storage(nullptr, storagemode::kWrite), block(std::make_unique<XParamBlock>()) {
        initXParamBlock(nullptr, block.get());
    }
    ~SeedStorage() { disposeXParamBlock(block.get()); }
    SeedStorage(const SeedStorage&) = delete;
    SeedStorage& operator=(const SeedStorage&) = delete;

    std::unique_ptr<CStory> create(std::int16_t kind, std::int32_t mark) {
        return std::make_unique<CStory>(block.get(), storage.rootStream(), nullptr, kind, mark, 1);
    }
    void append(CStory& story, const std::u16string& text, std::int16_t tableId = 0) {
        story.appendText(text.data(), static_cast<std::int32_t>(text.size()), &block->form, &block->rule,
                         &block->page, tableId);
    }
    void save(const std::string& path) {
        xmlChar* bytes = nullptr;
        int size = 0;
        xmlDocDumpMemoryEnc(storage.getDocument(), &bytes, &size, "UTF-8");
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes), size);
        xmlFree(bytes);
    }

    CStorage storage;
    std::unique_ptr<XParamBlock> block;
};

// A main story of two paragraphs with a bold word, a larger size and a section break.
void writeMainStory(SeedStorage& seed) {
    const auto story = seed.create(storykind::kMain, -1);
    seed.append(*story, u"Plain text, ");
    seed.block->form.txtFace = 1;
    seed.append(*story, u"bold");
    seed.block->form.txtFace = 0;
    seed.block->form.txtSize = 240;
    seed.append(*story, u" and larger.\r");
    seed.block->rule.cellOfRow = 0;
    seed.append(*story, u"Second paragraph \u00e9\u4e2d\U0001F600 with a tab\there.\r\x08");
}

// A footnote and a header story beside the main story, each with a header naming it.
void writeSeveralStories(SeedStorage& seed) {
    writeMainStory(seed);
    seed.block->storyType = 6;
    seed.block->storyMark = 1;
    std::strcpy(seed.block->storyName, "Note1");
    const auto note = seed.create(storykind::kFootnote, 1);
    seed.append(*note, u"The note.\r");
    seed.block->storyType = 1;
    std::strcpy(seed.block->storyName, "Header1");
    const auto header = seed.create(storykind::kHeader, 0);
    seed.append(*header, u"Header text\r");
}

// A table story of rows of cells, each cell in other formatting, so that the runs are many.
void writeTable(SeedStorage& seed, int rows, int cells) {
    const auto main = seed.create(storykind::kMain, -1);
    seed.append(*main, u"Before the table\r");
    seed.append(*main, u"\x0a", 1);
    seed.append(*main, u"After the table\r");

    const auto table = seed.create(storykind::kTable, 1);
    seed.block->rule.cellOfRow = 1;
    for (int row = 0; row < rows; ++row) {
        seed.block->rule.lastCellOfRow = 0;
        for (int cell = 0; cell < cells; ++cell) {
            seed.block->form.txtSize = static_cast<std::int16_t>(200 + cell * 10 + row);
            seed.block->form.txtFace = static_cast<std::uint32_t>(cell % 3);
            seed.append(*table, u"c\x10");
        }
        seed.block->rule.lastCellOfRow = 1;
        seed.block->rule.rows.rows = static_cast<std::int16_t>(cells);
        seed.append(*table, u"\r");
    }
    countStoryRows(seed.block.get(), table.get());
}

void writeSeed(const std::string& folder, const char* name, const std::function<void(SeedStorage&)>& write) {
    SeedStorage seed;
    write(seed);
    seed.save(folder + "/" + name);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: storage_seed_writer <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    try {
        writeSeed(folder, "empty-storage.xml", [](SeedStorage&) {});
        writeSeed(folder, "main-story.xml", writeMainStory);
        writeSeed(folder, "several-stories.xml", writeSeveralStories);
        writeSeed(folder, "table-3x4.xml", [](SeedStorage& seed) { writeTable(seed, 3, 4); });
        writeSeed(folder, "table-many-cells.xml", [](SeedStorage& seed) { writeTable(seed, 6, 20); });
    } catch (const CFail& failure) {
        std::fprintf(stderr, "storage_seed_writer: failure %d at line %d\n", failure.error, failure.line);
        return 1;
    }
    return 0;
}
