// Writes the AppleWorks fuzz seeds: the tests' small files of both families (a text document, a
// spreadsheet, a file with its own colour table and a style section), one file each, a version-6
// document with a table and a version-5 document with a note, a listed paragraph and a page picture.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/import/appleworks/AppleWorksFileBuilder.h"
#include "tests/import/appleworks/AppleWorksStoryFixture.h"
#include "tests/import/appleworks/AppleWorksTableFixture.h"

using namespace awfixture;

namespace {

void writeSeed(const std::string& folder, const std::string& name, const std::string& bytes) {
    const std::string path = folder + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: appleworks_seed_writer FOLDER\n");
        return 2;
    }
    for (const appleworks::AppleWorksFamily* family : {&appleworks::kAppleWorks5, &appleworks::kAppleWorks6}) {
        const std::string prefix = "aw" + std::to_string(family->version) + "-";
        FileBuilder text{*family};
        text.zones = {textZone("The quick brown fox jumped over the lazy dog."), ""};
        text.sections = styleSection(*family, {{0, "Helvetica"}, {16387, "Osaka"}, {5, "Wingdings"}});
        writeSeed(argv[1], prefix + "text", text.build());

        FileBuilder sheet{*family};
        sheet.kind = 2;
        sheet.zones = {spreadsheetZone(*family, 1, 3, 3)};
        sheet.colorTable = colorTableBlock({0xFFFFFF, 0x000000, 0xFF0000}, 3);
        writeSeed(argv[1], prefix + "sheet", sheet.build());
    }
    writeSeed(argv[1], "aw6-table", tableDocument());
    writeSeed(argv[1], "aw5-stories", storiesDocument());
    return 0;
}
