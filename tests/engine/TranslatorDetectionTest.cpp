// Detection over synthesized files and folders: the importers' signatures, their identify answers (from
// scripts), the choice among several, the reason of a refusal, and what detection leaves behind.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "engine/translators/CTranslator.h"
#include "engine/translators/DetectionFlag.h"
#include "engine/translators/DetectionItem.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/memory/Memory.h"
#include "platform/process/AllocationFailure.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/ScriptedImporter.h"

using namespace enginetest;
using testsupport::ImporterAnswer;
using testsupport::ImporterScript;

namespace {

const ImporterAnswer kAccept{};
const ImporterAnswer kRefuse{-1, u"", result::kErrInaccessible, u"", -1, -1};

class TranslatorDetectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < importer::kCount; ++i) {
            scripts[i].always(request::kSelIdentifyFull, kRefuse);
            scripts[i].always(request::kSelIdentifyQuick, kRefuse);
            bindings[i] = std::make_unique<testsupport::ImporterScriptBinding>(&importerDescriptors[i], scripts[i]);
        }
        writeBytes(folder.file("zip.docx"), std::string("PK\x03\x04", 4) + "rest of a package");
        writeBytes(folder.file("compound.doc"), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + "sectors");
        writeBytes(folder.file("empty"), "");
        writeBytes(folder.file("one"), "P");
        writeBytes(folder.file("three"), "\xD0\xCF\x11");
        std::filesystem::create_directories(folder.file("unpacked/word"));
    }

    void acceptFull(int index) { scripts[index].always(request::kSelIdentifyFull, kAccept); }
    std::int32_t detect(const std::string& name, std::int32_t preferred = -1, std::int16_t all = 1,
                        char16_t** reason = nullptr) {
        const Item item = itemIn(folder, name);
        return registry.detect(preferred, all, item.name, item.folder, reason);
    }
    std::int16_t detectFailure(const std::string& name, char16_t** reason = nullptr) {
        try {
            detect(name, -1, 1, reason);
        } catch (const CFail& failure) {
            return failure.error;
        }
        return 0;
    }
    std::size_t callsOf(int index, std::int16_t selector) const {
        std::size_t count = 0;
        for (const auto& call : scripts[index].calls) count += call.selector == selector ? 1 : 0;
        return count;
    }

    testsupport::TemporaryFolder folder;
    ImporterScript scripts[importer::kCount];
    std::unique_ptr<testsupport::ImporterScriptBinding> bindings[importer::kCount];
    std::array<TranslatorEntry, importer::kCount + 1> table = importerTable(testsupport::makeScriptedImporter);
    CTranslator registry{table.data(), TranslatorDirection::importers};
};

TEST_F(TranslatorDetectionTest, ZipTakenByTheImporterThatIdentifiesIt) {
    acceptFull(importer::kWord2007);
    EXPECT_EQ(detect("zip.docx", -1, 0), importer::kWord2007);
    EXPECT_EQ(callsOf(importer::kExcel2007, request::kSelIdentifyFull), 0u) << "the first acceptance ends the walk";
    EXPECT_EQ(detect("zip.docx", -1, 1), importer::kWord2007);
    EXPECT_EQ(callsOf(importer::kExcel2007, request::kSelIdentifyFull), 1u);
    EXPECT_EQ(callsOf(importer::kEncryptedDocument, request::kSelIdentifyFull), 0u) << "its signature failed";
    EXPECT_EQ(importerDescriptors[importer::kWord2007].matched, 1);
    EXPECT_EQ(importerDescriptors[importer::kExcel2007].matched, 0);
    EXPECT_EQ(scripts[importer::kWord2007].calls.back().detectionActive, 1);
    EXPECT_EQ(detectionActive, 0);
}

TEST_F(TranslatorDetectionTest, CompoundFileTakenByTheEncryptedDocumentImporter) {
    acceptFull(importer::kEncryptedDocument);
    EXPECT_EQ(detect("compound.doc"), importer::kEncryptedDocument);
    EXPECT_EQ(callsOf(importer::kWord2007, request::kSelIdentifyFull), 0u);
}

TEST_F(TranslatorDetectionTest, ShortFilesFailEverySignature) {
    // Every importer would take any file its signature lets through.
    for (int i = 0; i < importer::kCount; ++i) scripts[i].always(request::kSelIdentifyFull, kAccept);
    for (int i : {importer::kAppleWorks5, importer::kAppleWorks6, importer::kWord2003})
        scripts[i].always(request::kSelIdentifyFull, kRefuse);
    for (const char* name : {"empty", "one", "three"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(detectFailure(name), result::kErrUnknownFormat);
        for (int i : {importer::kEncryptedDocument, importer::kWord2007, importer::kExcel2007})
            EXPECT_EQ(callsOf(i, request::kSelIdentifyFull), 0u) << i;
    }
}

TEST_F(TranslatorDetectionTest, FolderAskedOnlyOfImportersThatTakeFolders) {
    scripts[importer::kWord2007].always(request::kSelIdentifyQuick, kAccept);
    EXPECT_EQ(detect("unpacked"), importer::kWord2007);
    for (int i = 0; i < importer::kCount; ++i) {
        const bool takesFolders = i == importer::kWord2007 || i == importer::kExcel2007;
        EXPECT_EQ(scripts[i].calls.size(), takesFolders ? 1u : 0u) << i;
        if (takesFolders) {
            EXPECT_EQ(scripts[i].calls[0].selector, request::kSelIdentifyQuick);
        }
    }
    scripts[importer::kWord2007].always(request::kSelIdentifyQuick, kRefuse);
    EXPECT_EQ(detectFailure("unpacked"), result::kErrUnknownFormat);
}

TEST_F(TranslatorDetectionTest, ChoiceAmongSeveralAcceptingImporters) {
    acceptFull(importer::kWord2007);
    acceptFull(importer::kExcel2007);
    EXPECT_EQ(detect("zip.docx"), importer::kExcel2007) << "the last preferred one";
    EXPECT_EQ(detect("zip.docx", importer::kWord2007), importer::kWord2007);
    EXPECT_EQ(detect("zip.docx", 17), importer::kExcel2007) << "a preferred index outside the table";
    scripts[importer::kExcel2007].always(request::kSelIdentifyFull, kRefuse);
    EXPECT_EQ(detect("zip.docx", importer::kAppleWorks5), importer::kWord2007);
}

TEST_F(TranslatorDetectionTest, RefusalWithReasonEndsDetection) {
    acceptFull(importer::kWord2003);
    scripts[importer::kAppleWorks5].add(request::kSelIdentifyFull,
                                        {-1, u"", result::kErrInaccessible, u"this is a drawing document", -1, -1});
    char16_t* reason = nullptr;
    EXPECT_EQ(detectFailure("one", &reason), result::kErrInaccessible);
    ASSERT_NE(reason, nullptr);
    EXPECT_EQ(std::u16string(reason), u"this is a drawing document");
    freeMemory(reason);
    EXPECT_TRUE(scripts[importer::kAppleWorks6].calls.empty()) << "the importers after it are not tested";
    EXPECT_EQ(detectionActive, 0);

    // Without a reason the refusal is plain and the walk goes on; without a reason argument too.
    EXPECT_EQ(detect("one", -1, 1, &reason), importer::kWord2003);
    EXPECT_EQ(reason, nullptr);
    scripts[importer::kAppleWorks5].add(request::kSelIdentifyFull,
                                        {-1, u"", result::kErrInaccessible, u"this is a drawing document", -1, -1});
    EXPECT_EQ(detect("one"), importer::kWord2003);
}

TEST_F(TranslatorDetectionTest, FileClosedAndFlagClearedOnEveryWayOut) {
    const int before = openFileDescriptors();
    EXPECT_EQ(detectFailure("zip.docx"), result::kErrUnknownFormat);
    EXPECT_EQ(openFileDescriptors(), before);
    EXPECT_EQ(detectionActive, 0);

    for (std::int64_t step = 1; step <= 3; ++step) {
        platform::ScopedAllocationFailure failure(step);
        const std::int16_t code = detectFailure("zip.docx");
        EXPECT_TRUE(code == result::kOutOfMemory || code == result::kErrUnknownFormat) << code;
    }
    EXPECT_EQ(openFileDescriptors(), before);
    EXPECT_EQ(detectionActive, 0);
}

TEST_F(TranslatorDetectionTest, UnreadableFileFailsTheSignatureTest) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root from reading";
    acceptFull(importer::kWord2007);
    ASSERT_EQ(chmod(folder.file("zip.docx").c_str(), 0), 0);
    EXPECT_EQ(detectFailure("zip.docx"), result::kErrUnknownFormat);
    chmod(folder.file("zip.docx").c_str(), 0600);
}

TEST_F(TranslatorDetectionTest, FileOpenedOnceForAllSignatures) {
    DetectionItem item(pascal("zip.docx"), pascal(folder.path()));
    const ContentSignature compound = importerDescriptors[importer::kEncryptedDocument].signatures[0];
    const ContentSignature zip = importerDescriptors[importer::kWord2007].signatures[0];
    EXPECT_FALSE(item.matchesSignature(compound));
    EXPECT_TRUE(item.matchesSignature(zip));
    EXPECT_TRUE(item.matchesSignature(zip));
    EXPECT_EQ(item.opens(), 1);
    ContentSignature farAway = zip;
    farAway.offset = 0x7FFFFFF0;
    EXPECT_FALSE(item.matchesSignature(farAway));
}

TEST_F(TranslatorDetectionTest, AcceptsOneTranslator) {
    const Item zip = itemIn(folder, "zip.docx");
    const Item unpacked = itemIn(folder, "unpacked");
    EXPECT_EQ(registry.accepts(-1, zip.name, zip.folder), 1);
    EXPECT_EQ(registry.accepts(99, zip.name, zip.folder), 1);
    EXPECT_EQ(registry.accepts(importer::kWord2007, zip.name, zip.folder), 0);
    acceptFull(importer::kWord2007);
    EXPECT_EQ(registry.accepts(importer::kWord2007, zip.name, zip.folder), 1);
    // A folder goes by acceptsFolders: never opened as a file, never taken by a file-only importer.
    scripts[importer::kWord2003].always(request::kSelIdentifyFull, kAccept);
    EXPECT_EQ(registry.accepts(importer::kWord2003, unpacked.name, unpacked.folder), 0);
    EXPECT_EQ(registry.anyAcceptsFolders(unpacked.name, unpacked.folder), 0);
    scripts[importer::kExcel2007].always(request::kSelIdentifyQuick, kAccept);
    EXPECT_EQ(registry.accepts(importer::kExcel2007, unpacked.name, unpacked.folder), 1);
    EXPECT_EQ(registry.anyAcceptsFolders(unpacked.name, unpacked.folder), 1);
    EXPECT_EQ(detectionActive, 0);
}

TEST_F(TranslatorDetectionTest, CreateDetectsAndMakesTheChosenImporter) {
    acceptFull(importer::kWord2007);
    const Item zip = itemIn(folder, "zip.docx");
    std::int32_t index = -1;
    const TranslatorDescriptor* descriptor = nullptr;
    ASSERT_EQ(registry.create(index, &descriptor, &zip.name, &zip.folder, nullptr), 0);
    EXPECT_EQ(index, importer::kWord2007);
    EXPECT_EQ(descriptor, &importerDescriptors[importer::kWord2007]);
    EXPECT_EQ(registry.current(), importer::kWord2007);
    registry.release();
}

}  // namespace
