#pragma once
// The Word 2007 importer ("Word2007"): a .docx package, zipped or unpacked in a folder, read by the
// WordprocessingML importer. This class finds the package's parts, parses each into a tree of its own
// and hands the trees to the same core; the story requests are the core's.
//
// The document request reads, in this order:
//   word/document.xml           the main part: root w:document with a w:body (relationships loaded)
//   docProps/app.xml, docProps/core.xml, word/settings.xml, word/webSettings.xml   the properties pass
//   word/theme/theme1.xml       the theme, read with the theme-font languages of the settings
//   word/fontTable.xml          the fonts, then "Symbol" in every case
//   the body's revision authors, the first section's page setup
//   header and footer parts     by the sections' references (HeaderFooterReferences.h)
//   word/footnotes.xml, word/endnotes.xml, word/comments.xml (and the comments' authors)
// A missing optional part leaves its defaults. The parsed parts that hold stories live until the
// importer goes; closing the importer closes the package.
//
// Failures are CFails in unit "BL_WinWord2007(imp)": the package reader's code for a missing or
// unreadable main part, 32003 for a main part whose root is not w:document, 12 for one without a body.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "import/docx/PartDocument.h"
#include "import/wordml/CWordMLImporter.h"

class CRelationshipsTable;

class CWinWord2007Importer : public CWordMLImporter {
public:
    explicit CWinWord2007Importer(const TranslatorDescriptor* descriptor);
    ~CWinWord2007Importer() override;

protected:
    void identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t isQuick) override;
    void readDocument() override;
    void readDocumentProperties() override;
    void collectAnnotationAuthors(xmlNode* first) override;
    std::string relationshipTarget(const xmlNode* holder, const char* id) override;

private:
    void openMainPart();
    void readTheme();
    void readFontTable();
    void readFirstSection();
    void readHeadersAndFooters();
    // The part's tree, kept for the stories; null when the part is missing or unreadable.
    xmlNode* keepPart(const char* path);
    void readNotesAndComments();
    void gatherTablesAndTextBoxes();

    std::unique_ptr<CRelationshipsTable> package;
    std::vector<PartDocument> partDocuments;  // header, footer, note and comment parts
    // The relationships of each part a link was looked up in, by the part's path; null for a part whose
    // relationships cannot be read.
    std::map<std::string, std::unique_ptr<CRelationshipsTable>> partRelationships;
};

// The registry's factory: a new importer, or null without memory.
CBaseTranslator* makeWord2007Importer(const TranslatorDescriptor* descriptor);
