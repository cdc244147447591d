#pragma once
// Storages for tests: over fixture files (read mode, the fixture opened for reading only) and over
// files in a test's own temporary folder.
#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "foundation/CFail.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/CFile.h"
#include "foundation/text/PascalWString.h"
#include "model/storage/CStorage.h"

namespace storagetest {

inline std::string fixturePath(const std::string& name) {
    return std::string(VDK_TEST_DATA_DIR) + "/" + name;
}

inline PascalWString pascal(const std::string& utf8) {
    PascalWString text{};
    assignCString(text, utf8.c_str());
    text.units[text.length() + 1] = 0;
    return text;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A file object for a full path, with the given access.
inline std::unique_ptr<CFile> fileAt(const std::string& path, std::uint32_t access) {
    return std::make_unique<CFile>(pascal(path), kAnyFileCode, kAnyFileCode, 0, 0, access, access);
}

// A storage over a file it does not own, and that file.
class FileStorage {
public:
    FileStorage(const std::string& path, std::int16_t mode, std::uint32_t access = kGenericRead | kGenericWrite)
        : file(fileAt(path, access)), storage(std::make_unique<CStorage>(file.get(), mode)) {}

    CStream* root() { return storage->rootStream(); }

    std::unique_ptr<CFile> file;
    std::unique_ptr<CStorage> storage;
};

// A fixture of tests/data/model in read mode.
inline FileStorage fixture(const std::string& name) {
    return FileStorage(fixturePath(name), storagemode::kRead, kGenericRead);
}

// The storage's document as the library writes it out (what a save would put in the file).
inline std::string documentText(CStorage& storage) {
    xmlChar* dump = nullptr;
    int size = 0;
    xmlDocDumpMemory(storage.getDocument(), &dump, &size);
    if (dump == nullptr) {
        ADD_FAILURE() << "the document could not be written out";
        return {};
    }
    std::string text(reinterpret_cast<const char*>(dump), static_cast<std::size_t>(size));
    xmlFree(dump);
    return text;
}

// The CFail that the work raised; a failure of the test when it raised none.
inline CFail failureOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const CFail& failure) {
        return failure;
    }
    ADD_FAILURE() << "no failure was raised";
    return CFail(0, 0, "");
}

}  // namespace storagetest
