#pragma once
// Word 2003 and Word 2007 documents and Excel 2007 workbooks run through the import engine with the real importers
// bound under their names ("Word2003", "Word2007", "Office 2007 Encrypted Document", "Excel2007"; the others refuse
// every file), and the stories read
// back from the storage written. Documents are written into the test's own folder, either from a
// fixture in tests/data/import/ or from a body given inline.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <vector>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "engine/import/CImportEngine.h"
#include "engine/task/CImportTask.h"
#include "engine/translators/CTranslator.h"
#include "engine/translators/StandInTranslators.h"
#include "foundation/files/AppFolders.h"
#include "import/docx/CWinWord2007Importer.h"
#include "import/encrypted/CEncryptedImporter.h"
#include "import/spreadsheet/CXLMLImporter.h"
#include "import/wordml/CWinWord2003Importer.h"
#include "model/storage/CStorage.h"
#include "model/storage/CStream.h"
#include "platform/files/Folders.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/model/story/StoryTestSupport.h"
#include "tests/package/ZipBuilder.h"
#include "tests/support/ScriptedAsker.h"
#include "tests/support/TemporaryFolder.h"

namespace wordmltest {

// A Word 2003 document around the body's content.
inline std::string wordDocument(const std::string& body, const std::string& head = "") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\"\n"
           "    xmlns:wx=\"http://schemas.microsoft.com/office/word/2003/auxHint\"\n"
           "    xmlns:o=\"urn:schemas-microsoft-com:office:office\"\n"
           "    xmlns:v=\"urn:schemas-microsoft-com:vml\"\n"
           "    xmlns:aml=\"http://schemas.microsoft.com/aml/2001/core\">\n" +
           head + "<w:body>" + body + "</w:body></w:wordDocument>\n";
}

inline std::string fixture(const std::string& name) {
    std::ifstream in(std::string(VDK_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline CBaseTranslator* makeImporter(const TranslatorDescriptor* descriptor) {
    if (descriptor == &importerDescriptors[importer::kWord2003]) return makeWord2003Importer(descriptor);
    if (descriptor == &importerDescriptors[importer::kEncryptedDocument]) return makeEncryptedImporter(descriptor);
    if (descriptor == &importerDescriptors[importer::kWord2007]) return makeWord2007Importer(descriptor);
    if (descriptor == &importerDescriptors[importer::kExcel2007]) return makeXLMLImporter(descriptor);
    return makeStandInImporter(descriptor);
}

class WordMLImportTest : public ::testing::Test {
protected:
    WordMLImportTest()
        : importers(enginetest::importerTable(makeImporter)), registry(importers.data(), TranslatorDirection::importers) {
        platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, cache.path());
        setUpTemporaryFilesFolder();
        setDefaultTaskDescriptor(request);
        request.asker = &asker;
        task = std::make_unique<CImportTask>(&request);
    }
    ~WordMLImportTest() override {
        platform::overrideFolderForTesting(platform::Folder::TemporaryFiles, "");
        setUpTemporaryFilesFolder();
    }

    // Imports the bytes as the file "Doc.xml"; answers the failure's code, 0 on success.
    std::int16_t import(const std::string& bytes, const std::string& name = "Doc.xml") {
        enginetest::writeBytes(folder.file(name), bytes);
        input = enginetest::specOf(enginetest::itemIn(folder, name));
        storageSpec = input;
        ImportEngineSetup setup{nullptr, &registry, &input, &storageSpec, task.get(), -1, nullptr, nullptr};
        CImportEngine engine(setup, importers.data());
        ImportOutcome outcome{};
        lastFailure.reset();
        try {
            engine.run(outcome);
        } catch (const CFail& failure) {
            lastFailure = std::make_unique<CFail>(failure);
            return failure.error;
        }
        const std::u16string storageName(storageSpec.name.view());
        storage = std::make_unique<CStorage>(storageName.c_str(), storageSpec.folder, storagemode::kRead);
        return 0;
    }

    // Writes the parts (path to bytes) as the zip package `name` and imports it; answers as import does.
    std::int16_t importPackage(const std::map<std::string, std::string>& parts, const std::string& name = "Doc.docx") {
        {
            testsupport::ZipBuilder zip(folder.file(name));
            for (const auto& [path, bytes] : parts) zip.add(path, bytes);
            EXPECT_TRUE(zip.close());
        }
        return importWritten(name);
    }
    // Imports the file `name` already in the folder, into a storage beside it.
    std::int16_t importWritten(const std::string& name) {
        input = enginetest::specOf(enginetest::itemIn(folder, name));
        storageSpec = input;
        storageSpec.name = enginetest::pascal(name + ".storage");
        ImportEngineSetup setup{nullptr, &registry, &input, &storageSpec, task.get(), -1, nullptr, nullptr};
        CImportEngine engine(setup, importers.data());
        ImportOutcome outcome{};
        try {
            engine.run(outcome);
        } catch (const CFail& failure) {
            return failure.error;
        }
        const std::u16string storageName(storageSpec.name.view());
        storage = std::make_unique<CStorage>(storageName.c_str(), storageSpec.folder, storagemode::kRead);
        return 0;
    }

    // A story of the storage read back (mark -1 for the main story, else the story's index); null when
    // the storage has no such story.
    // Graphic and table stories share one element name; with an attribute they are told apart by it.
    std::unique_ptr<storytest::LoadedStory> story(std::int16_t kind = storykind::kMain, std::int32_t mark = -1,
                                                  const char* attribute = nullptr, const void* value = nullptr,
                                                  std::int16_t valueType = 0) {
        auto loaded = std::make_unique<storytest::LoadedStory>();
        try {
            CStream sheet(storage->rootStream(), "SHEET_0", 0);
            XParamBlock block{};
            CStory found(&block, &sheet, nullptr, kind, mark, 0, attribute, value, valueType);
            loaded->load(found);
        } catch (const CFail&) {
            return nullptr;
        }
        return loaded;
    }
    std::unique_ptr<storytest::LoadedStory> tableStory(std::int32_t tag) {
        return story(storykind::kTable, -1, "StoryMark", &tag, childmatch::kInteger);
    }
    std::unique_ptr<storytest::LoadedStory> graphicStory(const char* shapeId) {
        return story(storykind::kGraphic, -1, "StoryName", shapeId, childmatch::kText);
    }
    // The marks of the stored stories of one element name, in storage order.
    std::vector<std::int32_t> storyMarks(const char* elementName) {
        std::vector<std::int32_t> marks;
        const xmlNode* sheet = xmlDocGetRootElement(storage->getDocument())->children;
        for (const xmlNode* node = sheet != nullptr ? sheet->children : nullptr; node != nullptr; node = node->next) {
            if (xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>(elementName)) != 0) continue;
            xmlChar* mark = xmlGetProp(node, reinterpret_cast<const xmlChar*>("StoryMark"));
            marks.push_back(mark != nullptr ? std::atoi(reinterpret_cast<const char*>(mark)) : 0);
            xmlFree(mark);
        }
        return marks;
    }

    // The main story's text without the paragraph end the engine closes every main story with.
    std::u16string mainText() {
        std::u16string text = story()->textString();
        if (!text.empty() && text.back() == u'\r') text.pop_back();
        return text;
    }

    testsupport::TemporaryFolder folder;
    testsupport::TemporaryFolder cache;
    std::array<TranslatorEntry, importer::kCount + 1> importers;
    CTranslator registry;
    testsupport::ScriptedAsker asker;
    TaskDescriptor request{};
    std::unique_ptr<CImportTask> task;
    FileSpec input{};
    FileSpec storageSpec{};
    std::unique_ptr<CStorage> storage;
    std::unique_ptr<CFail> lastFailure;  // what the last import raised
};

}  // namespace wordmltest
