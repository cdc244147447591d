#pragma once
// Storages compared with golden files in tests/data/engine as parsed trees, with the values that
// change from run to run masked on both sides: the random font ids, the random ids of table anchors
// (a character run's txtType other than 0) and the input file's dates.
// VDK_UPDATE_GOLDEN=1 rewrites the golden file (and fails, so a rewrite is never a pass).
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "tests/model/storage/ElementTree.h"

namespace enginetest {

inline const char* const kMaskedKeys[] = {"@XFont_fontUniqueID=", "@XHead_originalFileCrDt=",
                                          "@XHead_originalFileMdDt="};
inline const char* const kMaskedIdKeys[] = {"@XForm_txtType="};

inline elementtree::Lines maskedLines(const xmlNode* element) {
    elementtree::Lines lines = elementtree::treeLines(element);
    for (std::string& line : lines) {
        for (const char* key : kMaskedKeys) {
            const std::size_t at = line.find(key);
            if (at != std::string::npos) line = line.substr(0, at + std::strlen(key)) + "<masked>";
        }
        for (const char* key : kMaskedIdKeys) {
            const std::size_t at = line.find(key);
            if (at != std::string::npos && line.substr(at + std::strlen(key)) != "0")
                line = line.substr(0, at + std::strlen(key)) + "<id>";
        }
    }
    return lines;
}

inline void expectGoldenStorage(const std::string& name, const xmlNode* root) {
    const std::string path = std::string(VDK_TEST_DATA_DIR) + "/" + name;
    const char* update = std::getenv("VDK_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), &xmlBufferFree);
        xmlNodeDump(buffer.get(), root->doc, const_cast<xmlNode*>(root), 0, 1);
        std::ofstream(path, std::ios::binary) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                              << elementtree::text(xmlBufferContent(buffer.get())) << "\n";
        ADD_FAILURE() << "rewrote " << path << "; run again without VDK_UPDATE_GOLDEN";
        return;
    }
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> golden(
        xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOBLANKS), &xmlFreeDoc);
    ASSERT_NE(golden, nullptr) << path << " is missing or does not parse; create it with VDK_UPDATE_GOLDEN=1";
    const elementtree::Lines expected = maskedLines(xmlDocGetRootElement(golden.get()));
    const elementtree::Lines actual = maskedLines(root);
    for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "<end>";
        const std::string have = i < actual.size() ? actual[i] : "<end>";
        ASSERT_EQ(have, want) << name << " differs at line " << i + 1
                              << "; if the change is meant, rerun with VDK_UPDATE_GOLDEN=1 ctest -L engine";
    }
}

}  // namespace enginetest
