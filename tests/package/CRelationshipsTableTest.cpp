#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "package/CRelationshipsTable.h"
#include "platform/process/AllocationFailure.h"
#include "tests/package/ZipBuilder.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using testsupport::ZipBuilder;

PascalWString pascal(const std::string& utf8) {
    PascalWString text{};
    assignCString(text, utf8.c_str());
    return text;
}

std::string relationships(const std::string& prefix, const std::string& entries) {
    const std::string p = prefix.empty() ? "" : prefix + ":";
    const std::string bind = prefix.empty() ? "xmlns" : "xmlns:" + prefix;
    return "<" + p + "Relationships " + bind + "=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
           entries + "</" + p + "Relationships>";
}

std::string entry(const std::string& prefix, const std::string& id, const std::string& target,
                  const std::string& mode = "") {
    return "<" + prefix + ":Relationship Id=\"" + id + "\" Type=\"t\" Target=\"" + target + "\"" +
           (mode.empty() ? "" : " TargetMode=\"" + mode + "\"") + "/>";
}

struct Read {
    std::int16_t found;
    std::int16_t mode;
    std::string target;
    std::string bytes;
};

Read readTarget(CRelationshipsTable& table, const char* id) {
    Read out{0, -1, "", ""};
    const char* target = nullptr;
    void* buffer = nullptr;
    std::int32_t size = 0;
    out.found = table.readTargetPart(id, &out.mode, &target, &buffer, &size);
    if (target) out.target = target;
    if (buffer) out.bytes.assign(static_cast<const char*>(buffer), static_cast<std::size_t>(size));
    freeMemory(buffer);
    return out;
}

class Relationships : public ::testing::Test {
protected:
    // A document package whose relationship parts use an unusual prefix and every kind of target.
    void buildDocument(const std::string& name) {
        ZipBuilder zip(folder.file(name));
        zip.add("_rels/.rels", relationships("pr", entry("pr", "rId1", "word/document.xml")));
        zip.add("word/document.xml", "<ns0:document xmlns:ns0=\"urn:w\"/>");
        zip.add("word/_rels/document.xml.rels",
                relationships("pkg", entry("pkg", "rId1", "styles.xml") + entry("pkg", "RID1", "other.xml") +
                                         entry("pkg", "rId2", "../customXml/item1.xml") +
                                         entry("pkg", "rId3", "/word/media/image%201.png") +
                                         entry("pkg", "rId4", "./media/./image%201.png#frag") +
                                         entry("pkg", "rId5", "http://example.com/", "External") +
                                         entry("pkg", "rId6", "styles.xml", "external") +
                                         entry("pkg", "rId7", "styles.xml", "Foo") +
                                         entry("pkg", "rId8", "../../evil.xml") + entry("pkg", "rId9", "%zz") +
                                         "<pkg:Relationship Id=\"rId10\"/><other Id=\"rId11\" Target=\"styles.xml\"/>"));
        zip.add("word/styles.xml", "<styles/>");
        zip.add("customXml/item1.xml", "<item/>");
        zip.add("word/media/image 1.png", "PNG");
        zip.add("../evil.xml", "<evil/>");  // a hostile member name
        ASSERT_TRUE(zip.close());
    }

    testsupport::TemporaryFolder folder;
};

TEST_F(Relationships, TargetsResolveAsUrisRelativeToTheirPart) {
    buildDocument("doc.docx");
    const PascalWString name = pascal("doc.docx"), where = pascal(folder.path());
    CRelationshipsTable table;
    table.openPackage(&name, &where, "word", 0);
    table.loadRelationships("_rels/.rels", 0);
    EXPECT_EQ(readTarget(table, "rId1").bytes, "<ns0:document xmlns:ns0=\"urn:w\"/>");
    table.loadRelationships("document.xml", 1);
    EXPECT_EQ(table.getSourceFolder(), "word/");
    struct Case {
        const char* id;
        std::int16_t found;
        std::int16_t mode;
        const char* bytes;
    };
    const Case cases[] = {
        {"rId1", 1, 1, "<styles/>"},        {"rid1", 1, 1, "<styles/>"},  // the first of equal ids stays
        {"rId2", 1, 1, "<item/>"},          {"rId3", 1, 1, "PNG"},
        {"rId4", 1, 1, "PNG"},              {"rId5", 0, 0, ""},  // external: never read
        {"rId6", 0, 0, ""},                 {"rId7", 1, 1, "<styles/>"},
        {"rId8", 0, 1, ""},  // leaves the package
        {"rId9", 0, 1, ""},                 {"rId10", 0, -1, ""},  // no target: skipped
        {"rId11", 0, -1, ""},  // not a Relationship element
    };
    for (const Case& c : cases) {
        const Read read = readTarget(table, c.id);
        EXPECT_EQ(read.found, c.found) << c.id;
        EXPECT_EQ(read.mode, c.mode) << c.id;
        EXPECT_EQ(read.bytes, c.bytes) << c.id;
    }
    EXPECT_EQ(table.getCount(), 9);
    // Read directly, a name that climbs out of the package is refused before the zip is asked.
    void* buffer = nullptr;
    std::int32_t size = 0;
    EXPECT_EQ(table.readPart("../evil.xml", &buffer, &size), 22);
    EXPECT_EQ(table.readPart("/word/styles.xml", &buffer, &size), 22);
    EXPECT_EQ(table.readPart("word/missing.xml", &buffer, &size), -100);
    EXPECT_EQ(buffer, nullptr);
    xmlDoc* document = nullptr;
    xmlNode* root = nullptr;
    const char* target = nullptr;
    std::int16_t mode = 0;
    ASSERT_EQ(table.parseTargetPart("rId2", &mode, &target, &document, &root), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(root->name), "item");
    xmlFreeDoc(document);
    EXPECT_EQ(table.parseTargetPart("rId3", &mode, &target, &document, &root), 0);  // not XML
    EXPECT_EQ(document, nullptr);
    // Nothing was unpacked anywhere.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
    table.closePackage();
    EXPECT_EQ(table.getCount(), 0);
}

TEST_F(Relationships, AnUnknownIdLeavesTheOutputsAndBadRelsLeaveTheTableEmpty) {
    ZipBuilder zip(folder.file("doc.docx"));
    zip.add("word/_rels/a.xml.rels", "<Other><Relationship Id=\"rId1\" Target=\"x\"/></Other>");
    zip.add("word/_rels/b.xml.rels", "<Relationships><Relationship Id=\"rId1\"");
    zip.add("word/_rels/c.xml.rels", relationships("", "<Relationship Id=\"rId1\" Target=\"x.xml\"/>"));
    ASSERT_TRUE(zip.close());
    const PascalWString name = pascal("doc.docx"), where = pascal(folder.path());
    CRelationshipsTable table;
    table.openPackage(&name, &where, "word", 0);
    for (const char* part : {"a.xml", "b.xml", "missing.xml"}) {
        table.loadRelationships("c.xml", 1);
        ASSERT_EQ(table.getCount(), 1);
        table.loadRelationships(part, 1);
        EXPECT_EQ(table.getCount(), 0) << part;
    }
    table.loadRelationships("c.xml", 1);
    std::int16_t mode = 7;
    const char* target = "unchanged";
    EXPECT_EQ(table.getTarget("rId2", &mode, &target), 0);
    EXPECT_EQ(mode, 7);
    EXPECT_STREQ(target, "unchanged");
    xmlDoc* document = nullptr;
    xmlNode* root = nullptr;
    EXPECT_EQ(table.parsePart("word/_rels/b.xml.rels", &document, &root), 12);
    // A null name closes the reader but keeps the relationships.
    table.openPackage(nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(table.getCount(), 1);
    void* buffer = nullptr;
    std::int32_t size = 0;
    EXPECT_NE(table.readPart("word/_rels/c.xml.rels", &buffer, &size), 0);
}

TEST_F(Relationships, APackageThatCannotBeOpenedRaisesTwelve) {
    ASSERT_TRUE(testsupport::writeBytes(folder.file("text.docx"), "not a zip"));
    CRelationshipsTable table;
    for (const char* file : {"text.docx", "absent.docx"}) {
        const PascalWString name = pascal(file), where = pascal(folder.path());
        try {
            table.openPackage(&name, &where, "word", 0);
            ADD_FAILURE() << file;
        } catch (const CFail& failure) {
            EXPECT_EQ(failure.error, 12) << file;
        }
    }
}

// The spreadsheet importer's tables: one per worksheet, sharing the package's reader, with targets
// relative to the worksheet's folder.
TEST_F(Relationships, FurtherTablesShareTheReaderAndOutliveTheirMaker) {
    ZipBuilder zip(folder.file("book.xlsx"));
    zip.add("xl/worksheets/_rels/sheet1.xml.rels", relationships("", "<Relationship Id=\"rId1\" Target=\"../tables/table1.xml\"/>"));
    zip.add("xl/tables/table1.xml", "<table/>");
    ASSERT_TRUE(zip.close());
    const PascalWString name = pascal("book.xlsx"), where = pascal(folder.path());
    auto* workbook = new CRelationshipsTable;
    workbook->openPackage(&name, &where, "xl", 0);
    CRelationshipsTable* sheet = workbook->openRelationshipsPart("xl/worksheets/_rels/sheet1.xml.rels");
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->isReaderShared(), 1);
    EXPECT_EQ(sheet->getSourceFolder(), "xl/worksheets/");
    workbook->closePackage();
    delete workbook;
    // The reader lives on with the sheet's table.
    EXPECT_EQ(readTarget(*sheet, "rId1").bytes, "<table/>");
    delete sheet;

    CRelationshipsTable noPackage;
    CRelationshipsTable* none = noPackage.openRelationshipsPart("xl/worksheets/_rels/sheet1.xml.rels");
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->getCount(), 0);
    delete none;
}

TEST_F(Relationships, APackageFolderIsReadInPlaceAndNeverLeft) {
    std::filesystem::create_directories(folder.file("pkg/word/_rels"));
    ASSERT_TRUE(testsupport::writeBytes(folder.file("pkg/word/document.xml"), "<document/>"));
    ASSERT_TRUE(testsupport::writeBytes(folder.file("secret.xml"), "<secret/>"));  // beside the package
    ASSERT_TRUE(testsupport::writeBytes(folder.file("pkg/word/_rels/document.xml.rels"),
                                        relationships("", "<Relationship Id=\"rId1\" Target=\"document.xml\"/>"
                                                          "<Relationship Id=\"rId2\" Target=\"../../secret.xml\"/>"
                                                          "<Relationship Id=\"rId3\" Target=\"/../secret.xml\"/>")));
    const PascalWString name = pascal("pkg"), where = pascal(folder.path());
    CRelationshipsTable table;
    table.openPackage(&name, &where, "word", 1);
    table.loadRelationships("document.xml", 1);
    ASSERT_EQ(table.getCount(), 3);
    EXPECT_EQ(readTarget(table, "rId1").bytes, "<document/>");
    EXPECT_EQ(readTarget(table, "rId2").found, 0);
    EXPECT_EQ(readTarget(table, "rId3").found, 0);
    void* buffer = nullptr;
    std::int32_t size = 0;
    EXPECT_EQ(table.readPart("../secret.xml", &buffer, &size), 22);
    EXPECT_EQ(table.readPart("word/missing.xml", &buffer, &size), 2);
    EXPECT_EQ(buffer, nullptr);
}

// Every allocation on the way from opening a package to reading a target part, failed in turn: each
// failure is the code 12 or a part not found, never a crash, a leak or another exception.
TEST_F(Relationships, EachFailedAllocationIsACleanFailure) {
    buildDocument("doc.docx");
    const PascalWString name = pascal("doc.docx"), where = pascal(folder.path());
    bool completed = false;
    for (std::int64_t n = 1; !completed && n < 5000; ++n) {
        CRelationshipsTable table;
        void* buffer = nullptr;
        std::int32_t size = 0;
        std::int16_t code = 0;
        {
            platform::ScopedAllocationFailure failure(n);
            try {
                table.openPackage(&name, &where, "word", 0);
                table.loadRelationships("document.xml", 1);
                std::int16_t mode = 0;
                const char* target = nullptr;
                table.readTargetPart("rId2", &mode, &target, &buffer, &size);
                completed = platform::allocationsCountedSinceArmed() < n;
            } catch (const CFail& fail) {
                code = fail.error;
            }
        }
        EXPECT_TRUE(code == 0 || code == 12) << n << ": " << code;
        if (completed) {
            ASSERT_NE(buffer, nullptr);
            EXPECT_EQ(std::string(static_cast<const char*>(buffer), static_cast<std::size_t>(size)), "<item/>");
        }
        freeMemory(buffer);
    }
    EXPECT_TRUE(completed);
}

}  // namespace
