#pragma once
// Helpers of the engine's tests: files with given bytes, translator tables over the program's
// descriptors with factories of the test's choice, and the number of open file descriptors.
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/translators/TranslatorDescriptors.h"
#include "foundation/files/FileSpec.h"
#include "foundation/text/PascalWString.h"
#include "tests/support/TemporaryFolder.h"

namespace enginetest {

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline PascalWString pascal(const std::string& utf8) {
    PascalWString text{};
    assignCString(text, utf8.c_str());
    return text;
}

// name and folder of an item in a temporary folder.
struct Item {
    PascalWString name;
    PascalWString folder;
};

inline Item itemIn(const testsupport::TemporaryFolder& folder, const std::string& name) {
    return {pascal(name), pascal(folder.path())};
}

inline FileSpec specOf(const Item& item) {
    FileSpec spec{};
    makeFileSpec(spec, item.name, item.folder);
    return spec;
}

// The importer table with one factory for every row, ended by the null row.
inline std::array<TranslatorEntry, importer::kCount + 1> importerTable(TranslatorFactory factory) {
    std::array<TranslatorEntry, importer::kCount + 1> table{};
    for (int i = 0; i < importer::kCount; ++i) table[i] = {factory, nullptr, &importerDescriptors[i]};
    return table;
}

inline std::array<TranslatorEntry, exporter::kCount + 1> exporterTable(TranslatorFactory factory) {
    std::array<TranslatorEntry, exporter::kCount + 1> table{};
    for (int i = 0; i < exporter::kCount; ++i) table[i] = {factory, nullptr, &exporterDescriptors[i]};
    return table;
}

inline int openFileDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

}  // namespace enginetest
