// Collecting the files of dropped items over a real folder tree: hidden items, a folder an importer
// takes whole, the same name in two folders, a link that leads back up the tree, and files an
// importer refuses.
#include <unistd.h>

#include <filesystem>

#include "engine/task/HeadlessProgress.h"
#include "engine/translators/ForeignTypes.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/language/UIStrings.h"
#include "tests/engine/ImportTaskTestSupport.h"

namespace enginetest {
namespace {

using testsupport::ImporterAnswer;

const ImporterAnswer kAccept{};
const ImporterAnswer kRefuse{-1, u"", result::kErrInaccessible, u"", -1, -1};

class InputCollectionTest : public ImportTaskTest {
protected:
    InputCollectionTest() {
        for (int i = 0; i < importer::kCount; ++i) {
            scripts[i].always(request::kSelIdentifyQuick, kRefuse);
            scripts[i].always(request::kSelIdentifyFull, kRefuse);
            bindings[i] = std::make_unique<testsupport::ImporterScriptBinding>(&importerDescriptors[i], scripts[i]);
        }
    }

    std::vector<std::string> collect(const std::string& name, std::int16_t importerIndex, CTypeArray* resultList) {
        CImportTask task(&request);
        CTypeArray files;
        const FileSpec item = specOf(itemIn(folder, name));
        task.collectFiles(nullptr, &files, &item, importerIndex, resultList);
        std::vector<std::string> found;
        for (std::int32_t i = 1; i <= files.getCount(); ++i) {
            const FileSpec& file = *files.fileSpecAt(i);
            std::string folderText = utf8(file.folder).substr(folder.path().size());
            found.push_back(folderText + utf8(file.name));
        }
        return found;
    }

    testsupport::ImporterScript scripts[importer::kCount];
    std::unique_ptr<testsupport::ImporterScriptBinding> bindings[importer::kCount];
};

TEST_F(InputCollectionTest, FolderTreeWithHiddenItemsPackageSameNamesAndLinkLoop) {
    namespace fs = std::filesystem;
    fs::create_directories(folder.file("tree/a"));
    fs::create_directories(folder.file("tree/b"));
    fs::create_directories(folder.file("tree/.secret"));
    fs::create_directories(folder.file("tree/Package/word"));
    for (const char* name : {"tree/top.docx", "tree/.hidden.docx", "tree/.secret/inner.docx", "tree/a/report.docx",
                             "tree/b/report.docx", "tree/Package/word/document.xml"}) {
        writeBytes(folder.file(name), "content");
    }
    if (symlink(folder.file("tree").c_str(), folder.file("tree/loop").c_str()) != 0) {
        GTEST_SKIP() << "the file system refuses symbolic links";
    }
    // Folders are offered to the importers in listing order: tree, Package, a, b. Only Package is a
    // document of its own.
    for (const ImporterAnswer& answer : {kRefuse, kAccept, kRefuse, kRefuse}) {
        scripts[importer::kWord2007].add(request::kSelIdentifyQuick, answer);
    }

    EXPECT_EQ(collect("tree", -1, nullptr),
              (std::vector<std::string>{"tree/Package", "tree/a/report.docx", "tree/b/report.docx", "tree/top.docx"}));
}

TEST_F(InputCollectionTest, HiddenDroppedItemIsSkipped) {
    writeBytes(folder.file(".hidden.docx"), "content");
    EXPECT_TRUE(collect(".hidden.docx", -1, nullptr).empty());
}

TEST_F(InputCollectionTest, FileTheChosenImporterRefusesIsEnteredInTheResultList) {
    writeBytes(folder.file("old.cwk"), "not a document");
    CTypeArray results;
    EXPECT_TRUE(collect("old.cwk", importer::kAppleWorks5, &results).empty());
    ASSERT_EQ(results.getCount(), 1);
    const FileSpec& entry = *results.fileSpecAt(1);
    EXPECT_EQ(entry.importResult, result::kErrInaccessible);
    EXPECT_EQ(entry.exportResult, 0);
    EXPECT_STREQ(entry.reasonText, "Unrecognzied File");
}

TEST_F(InputCollectionTest, StopWhileCollectingConvertsNothing) {
    dropFiles({"a.docx", "b.docx"});
    request.progressWindows = &windows;
    windows.window.stopRequested = 1;
    EXPECT_EQ(run(1), 0);
    EXPECT_TRUE(engines.imported.empty());
    EXPECT_EQ(wordProcessing.getCount(), 0);
    EXPECT_EQ(request.batchEnd, result::kStopQuietly);
}

TEST(ForeignTypeText, ExplainsKnownExtensions) {
    struct Case {
        const char* name;
        const char* text;  // null: no explanation
    };
    const Case cases[] = {
        {"memo.doc", "we only deal with docx or xlsx file and this is a file of the old format of Word"},
        {"draft.docx",
         "this docx file was created with a beta version of Word 2007 and represents an early draft of the docx "
         "format. Vostrandimeko opens only files conforming to the officially released docx format"},
        {"disk.dmg", "it is a disk image, and Vostrandimeko opens only docx or xlsx files"},
        {"setup.exe", "it is an application file, and Vostrandimeko opens only docx or xlsx files"},
        {"paper.pdf", "it is an acrobat file, and Vostrandimeko opens only docx or xlsx files"},
        {"talk.ppt", "it is a powerpoint file, and Vostrandimeko opens only docx or xlsx files"},
        {"talk.pptx", "it is a powerpoint file, and Vostrandimeko opens only docx or xlsx files"},
        {"old.sit", "it is a stuffit archive, and Vostrandimeko opens only docx or xlsx files"},
        {"SHEET.XLS", "it is an excel file, and Vostrandimeko opens only docx or xlsx files"},
        {"sheet.xlsx", "it is an excel file, and Vostrandimeko opens only docx or xlsx files"},
        {"letter.wpd", "it is a word perfect file, and Vostrandimeko opens only docx or xlsx files"},
        {"backup.2009.zip", "it is a zip archive, and Vostrandimeko opens only docx or xlsx files"},
        {"notes.txt", nullptr},
        {"README", nullptr},
        {"zip.notes", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const char* text = foreignTypeText(pascal(c.name));
        if (c.text == nullptr) {
            EXPECT_EQ(text, nullptr);
        } else {
            ASSERT_NE(text, nullptr);
            EXPECT_STREQ(text, c.text);
        }
    }
}

TEST(HeadlessProgress, PercentOfTheBar) {
    HeadlessProgress progress;
    const auto percentShown = [&](std::int32_t done, std::int32_t total) {
        progress.setBar(done, total);
        const std::string line = progress.progressLine();
        return line.substr(line.rfind(' ') + 1);
    };
    EXPECT_EQ(percentShown(0, 0), "0%");
    EXPECT_EQ(percentShown(5, 0), "0%");
    EXPECT_EQ(percentShown(50, 200), "25%");
    EXPECT_EQ(percentShown(2000000000, 2000000000), "100%") << "no overflow on large files";
    progress.requestStop();
    EXPECT_EQ(progress.poll(), 1);
    progress.clearStop();
    EXPECT_EQ(progress.poll(), 0);
}

}  // namespace
}  // namespace enginetest
