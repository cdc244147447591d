#pragma once
// The Word 2007 importer ("Word2007"): a .docx package, zipped or unpacked in a folder, read by the
// WordprocessingML importer. This class finds the package's parts, parses each into a tree of its own
// and hands the trees to the same core; the story requests are the core's.
//
// Parts are found through the relationships: the main part through the package's own (_rels/.rels, at
// word/document.xml when they name none), the properties parts likewise, and every other part through
// the main part's relationships by type (at its conventional name beside the main part when none is
// named). The document request reads, in this order:
//   the main part               root w:document with a w:body (relationships loaded)
//   app.xml, core.xml, settings.xml, webSettings.xml   the properties pass
//   theme/theme1.xml            the theme, read with the theme-font languages of the settings
//   fontTable.xml               the fonts, then "Symbol" in every case
//   the body's revision authors, the first section's page setup
//   header and footer parts     by the sections' references (HeaderFooterReferences.h)
//   footnotes.xml, endnotes.xml, comments.xml (and the comments' authors)
// A missing optional part leaves its defaults. The parsed parts that hold stories live until the
// importer goes; closing the importer closes the package.
//
// Identification refuses a package that is ours but damaged (cut short, a checksum that does not
// match, a main part that is not well-formed) with the reason in the block; one without a main part
// is refused without one. Failures are CFails in unit "BL_WinWord2007(imp)": the package reader's code
// for a missing or unreadable main part, 32003 for a main part whose root is not w:document, 12 for one without a body.
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "import/docx/PartDocument.h"
#include "import/wordml/CWordMLImporter.h"
#include "package/RelationshipTypes.h"

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
    // The package's main part, found through the package relationships, with its folder made the
    // package's base folder; raises the reader's code of the last place tried when none can be parsed.
    // With rootOnly the tree holds the root element alone (the part is still read whole and must be
    // well-formed): what identification needs, at a fraction of the cost of the tree.
    PartDocument parseMainPart(CRelationshipsTable& opened, xmlNode** root, bool rootOnly = false);
    // Refusals of a file that is one of ours but cannot be read, with the reason in the block.
    [[noreturn]] void refuseUnreadableMainPart(std::int16_t code);
    [[noreturn]] void refuseAsDamaged(std::uint16_t textId, const char* partName, std::int32_t line);
    void openMainPart();
    void findRelatedParts();
    // The part of the kind that the main part names, or its conventional name beside the main part.
    const std::string& relatedPart(PartKind kind) const;
    void readTheme();
    void readFontTable();
    void readFirstSection();
    void readHeadersAndFooters();
    // The part's tree, kept for the stories; null when the part is missing or unreadable.
    xmlNode* keepPart(const char* path);
    void readNotesAndComments();
    void gatherTablesAndTextBoxes();

    std::unique_ptr<CRelationshipsTable> package;
    std::string mainPartName = "document.xml";  // within its folder
    std::string lastTriedPart;                  // where the main part was last looked for
    std::vector<std::pair<PartKind, std::string>> relatedParts;
    std::vector<PartDocument> partDocuments;  // header, footer, note and comment parts
    // The relationships of each part a link was looked up in, by the part's path; null for a part whose
    // relationships cannot be read.
    std::map<std::string, std::unique_ptr<CRelationshipsTable>> partRelationships;
};

// The registry's factory: a new importer, or null without memory.
CBaseTranslator* makeWord2007Importer(const TranslatorDescriptor* descriptor);
