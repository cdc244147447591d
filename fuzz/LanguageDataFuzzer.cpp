// The language data files over any bytes. The first byte picks the file the rest becomes: the language
// file (characters.map), the exceptions (characters.exp), the blocks (characters.blk) or a language
// string file (a translated string table). The three data files are read by the language tables from
// the program's folder, which points at the fuzzing process's own temporary folder, and the tables are
// then asked what the engines ask them; a language string file is loaded as the program loads one.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/CFail.h"
#include "foundation/language/CLanguage.h"
#include "foundation/language/ResourceModule.h"
#include "fuzz/FuzzFolder.h"
#include "platform/files/Folders.h"

namespace {

const char* const kDataFiles[] = {"characters.map", "characters.exp", "characters.blk"};
constexpr std::size_t kDataFileCount = sizeof kDataFiles / sizeof kDataFiles[0];

// The names the engines look up: language attributes, with and without region, numbers, and odd ones.
const char* const kLanguageNames[] = {"en-GB", "en", "ja", "zh-TW", "ko", "he", "1033", "99999", "-", "", "[en]"};

// The program's folder holds the three data files: the fuzzed one and the other two empty.
void placeDataFiles(std::size_t fuzzed, std::string_view contents) {
    static const bool folderSet = [] {
        platform::overrideFolderForTesting(platform::Folder::Program, fuzzfolder::path());
        return true;
    }();
    (void)folderSet;
    for (std::size_t i = 0; i < kDataFileCount; ++i) {
        fuzzfolder::writeFile(kDataFiles[i], i == fuzzed ? contents : std::string_view());
    }
}

void askTheTables(const CLanguage& tables, std::string_view contents) {
    for (const char* name : kLanguageNames) {
        std::string text(name);
        tables.findLanguage(text.data());
        text = name;
        const std::uint16_t id = tables.languageId(text.data());
        text = name;
        tables.scriptTag(text.data());
        for (const std::uint16_t unit : {0x0041, 0x0152, 0x0391, 0x3042, 0xAC00, 0xFFFF}) tables.encodingOfChar(unit, id);
    }
    // Units the input itself names, so that ranges it declares are met.
    for (std::size_t i = 0; i + 1 < contents.size() && i < 64; i += 2) {
        const auto unit = static_cast<std::uint16_t>(static_cast<std::uint8_t>(contents[i]) |
                                                     static_cast<std::uint8_t>(contents[i + 1]) << 8);
        tables.encodingOfChar(unit, kDefaultLanguageId);
    }
}

void readDataFiles(std::size_t fuzzed, std::string_view contents) {
    placeDataFiles(fuzzed, contents);
    CLanguage tables{CLanguage::Unread{}};
    try {
        tables.readLanguages();
        tables.readExceptions();
        tables.readBlocks();
    } catch (const CFail&) {
        // A file that cannot be read; the tables read before it stay usable.
    }
    askTheTables(tables, contents);
}

void loadStringFile(std::string_view contents) {
    const std::string path = fuzzfolder::writeFile("language.txt", contents);
    std::string error;
    const std::shared_ptr<const ResourceModule> module = loadLanguageModule(path, &error);
    if (module == nullptr && error.empty()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string_view contents(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t choice = data[0] % (kDataFileCount + 1);
    if (choice < kDataFileCount) readDataFiles(choice, contents);
    else loadStringFile(contents);
    return 0;
}
