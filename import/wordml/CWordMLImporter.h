#pragma once
// The importer of WordprocessingML: it reads a Word 2003 XML document (one XML file whose root is
// w:wordDocument) and answers the import engine's requests. The Word 2003 importer is this class with
// its own identify test.
//
//   request 0       parse the file into one tree; fill the document tables (properties, fonts,
//                   authors) and gather one list of story nodes per story kind (TNodesArray)
//   requests 2-11   the next node of the kind's list becomes the story: its paragraphs and runs are
//                   gathered into a walk (TParagraphsArray); absent when the list is used up
//   request 13      the walk, played out one run at a time (TextRunProducer.cpp)
//   request 25      the tree is freed
//
// Files: CWordMLImporter.cpp (document and story requests), TextRunProducer.cpp (request 13),
// RunContent.cpp (what a run element holds), DocumentProperties2003.cpp (DocumentProperties and
// docPr), DocumentTables.cpp (fonts, languages, authors, the record defaults, dates),
// CommentInformation.cpp (a comment's author and date), ParagraphContent.cpp (simple fields,
// hyperlinks, bookmarks, comment ranges and annotations around a run), Revisions.cpp (revision marks and field data), FormFields.cpp (form fields), StoryFilters.cpp
// (which paragraphs a story takes, section breaks), SectionProperties.cpp (page setup),
// NoteProperties.cpp (footnote and endnote settings), TableRows.cpp (the row of a table run),
// TableProperties.cpp (table, row and cell properties), StyleSheetReader.cpp and StyleChains.cpp (styles
// and their inheritance), ListsReader.cpp, ListLevelReader.cpp and ListLevelMerge.cpp (lists and
// numbering), PictureGathering.cpp (the pictures of a story), DocumentBackground.cpp (the page colour).
//
// Failures are CFails in unit "BL_WordML(imp)": 22 for a document that is not well-formed or not a
// WordprocessingML document (the parser's message is left in the block's reasonText), 12 for memory.
#include <libxml/tree.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "engine/translators/CImporter.h"
#include "import/wordml/TPicturesArray.h"
#include "import/wordml/lists/LevelTexts.h"
#include "import/wordml/lists/TListDefsArray.h"
#include "import/wordml/styles/TStylesArray.h"
#include "import/wordml/tables/TTableRowsArray.h"
#include "import/wordml/text/TNodesArray.h"
#include "import/wordml/text/TParagraphsArray.h"
#include "import/wordml/text/UniqueTags.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"

class CRelationshipsTable;
struct XFont;
struct TStyle;
struct XStyle;

// What the children of one run element give (RunContent.cpp).
struct RunContent {
    char16_t specialCode = 0;  // the one special character of the run (tab, break, field mark ...), or 0
    std::string instruction;   // a field instruction, delivered as the run's text
    bool hasInstruction = false;
    bool useRunText = true;    // the run's own text follows
};

// A run is delivered in pieces of at most this many units, so the task's text buffer (32767 units)
// always holds a piece, also with right-to-left marks around every unit.
constexpr std::size_t kDeliveryUnits = 8192;

class CWordMLImporter : public CImporter {
public:
    explicit CWordMLImporter(const TranslatorDescriptor* descriptor);
    ~CWordMLImporter() override;

    // The packed date-time of a text "YYYY-MM-DDTHH:MM": minutes in bits 0-5, hours 6-10, day 11-15,
    // month 16-19, years since 1900 from bit 20.
    static std::uint32_t parseDateTime(const char* text);

protected:
    // Requests.
    void readDocument() override;
    void hasMainStory() override;
    void hasHeaderStory() override;
    void hasFooterStory() override;
    void hasCommentStory() override;
    void hasFootnoteStory() override;
    void hasEndnoteStory() override;
    void hasGraphicStory() override;
    void hasTableStory() override;
    void readText() override;
    void endDocument() override;

    // The walk over one story node.
    virtual void importPart(xmlNode* element, bool isTable);
    virtual bool nextPosition(WalkItem& item);

    // Document tables (DocumentProperties2003.cpp, DocumentTables.cpp).
    virtual void readDocumentProperties();
    virtual void setDefaultLanguages();
    virtual void readFonts(xmlNode* fonts);
    virtual std::int16_t readFont(xmlNode* font);
    virtual std::int16_t addFontNamed(const char* name);
    virtual std::int16_t findFont(const char* name);
    virtual void collectAnnotationAuthors(xmlNode* first);
    virtual xmlNode* findSectionNode(xmlNode* node);
    virtual void resetSectionDefaults();
    virtual void resetParagraphDefaults();
    virtual void resetCharacterDefaults();

    // Paragraph properties (ParagraphPropertiesReader.cpp). The reader fills rule (and, with an owner
    // style or list level, the owner's form and page from a nested w:rPr and w:sectPr); clear 1 first
    // empties the rule's change bits.
    virtual void applyParagraphProperties(xmlNode* paragraph);
    virtual void readParagraphProperties(xmlNode* properties, XPage* page, XRule* rule, XForm* form, TStyle* owner,
                                         std::int16_t clear);
    // Run properties (RunPropertiesReader.cpp).
    virtual void applyRunProperties(xmlNode* run);
    virtual void readRunProperties(xmlNode* properties, XForm* form, TStyle* owner, std::int16_t clear);
    // Lists applied by the paragraph reader.
    virtual void mergeListLevel(XRule* rule);

    // The style sheet (StyleSheetReader.cpp): read into `styles`, then handed to the engine's style
    // table after the lists.
    virtual void makeXStyle(XStyle* out, const TStyle& in);
    virtual void readStyle(xmlNode* element, TStyle* target);
    virtual void readStyles(xmlNode* element);
    virtual void publishStyles();
    // Styles applied through their basedOn chains (StyleChains.cpp). keepTag 1 leaves the record's
    // styleTag; faceMode 1 adds a character style's faces to the run's own.
    virtual void applyStyleChain(const char* styleId, XPage* page, std::int16_t keepTag);
    virtual void applyParagraphStyleChain(const char* styleId, XPage* page, XRule* rule, XForm* form, std::int16_t keepTag);
    virtual void applyCharacterStyleChain(const char* styleId, XForm* form, std::int16_t keepTag, std::int16_t faceMode);
    virtual void applyTableStyleChain(const char* styleId, XRule* rule, XForm* form, XRows* rows, std::int16_t keepTag);
    virtual void applyCellStyleChain(const char* styleId, XRows* rows, std::int16_t cellPosition);
    virtual void applyTableStyleParts(const char* styleId, std::int16_t mask, XRows* rows, std::int16_t cellPosition);
    // The character formatting of the named style's conditional parts that the mask selects, onto the
    // record of a run in such a cell: readers of our output apply no table style's parts themselves.
    void applyTableStyleTextParts(const char* styleId, std::int16_t mask, XForm* form);
    // The index of the identifier's style, -1 when it names none.
    std::int32_t styleTagOf(const char* styleId) const;
    std::unique_ptr<TStylesArray> styles;  // null until the first readStyles
    // The paragraph and character records every paragraph starts from (the document defaults and the
    // default paragraph style's chain), made at the first paragraph after the styles last changed:
    // merging them afresh for every paragraph cost more than reading the paragraph.
    struct ParagraphDefaults {
        XRule rule;
        XForm form;
    };
    std::unique_ptr<ParagraphDefaults> paragraphDefaults;

    // Lists and numbering (ListsReader.cpp, ListLevelReader.cpp, ListLevelMerge.cpp): the container is
    // the Word 2003 "lists" element or the root of a Word 2007 numbering part, or null.
    virtual void readListLevel(xmlNode* element, XListLevel (&levels)[kListLevels]);
    virtual void readListDef(xmlNode* element);
    virtual void readListOverride(xmlNode* element);
    virtual void readPictureBullet(xmlNode* element);
    virtual void readLists(xmlNode* container);

    // Run content (RunContent.cpp).
    virtual RunContent readRunContent(xmlNode* run);
    void markSymbolFont(std::int16_t fontId);

    // Pictures (PictureGathering.cpp): the story's picture table is rebuilt from its element before it
    // is delivered; a run holding a picture container delivers that picture's anchor.
    virtual void gatherStoryPictures(xmlNode* element);
    virtual void collectPictures(xmlNode* first);
    virtual void importPicture(xmlNode* container);
    // The page background: the given element, or else the root's w:background (DocumentBackground.cpp).
    virtual void readBackground(xmlNode* element, xmlNode* root);
    std::unique_ptr<TPicturesArray> pictures;
    // The package whose relationships name the pictures' parts; null for a document without one.
    CRelationshipsTable* pictureRelationships = nullptr;
    // The relationships part whose entries pictureRelationships holds, once a story loaded them: every
    // table, note and text box is a story of its own, and most share their part's relationships.
    std::string pictureRelationshipsPart;

    // Stories, paragraphs, fields, sections and notes (StoryFilters.cpp, ParagraphContent.cpp,
    // SectionProperties.cpp, NoteProperties.cpp).
    virtual void readNoteProperties(xmlNode* element, XFootnote* format);
    virtual void readSectionProperties(xmlNode* sectionProperties, XPage* page);
    virtual std::int16_t acceptParagraph(xmlNode* paragraph);
    virtual std::int16_t readParagraphContent(xmlNode* run);
    virtual std::int16_t sectionBreakCode(xmlNode* section);
    virtual void applySectionProperties(xmlNode* section);
    virtual std::int16_t noteParagraphHook(xmlNode* paragraph);

    // Revision marks and field data (Revisions.cpp). A type of -1 reads the type from the element.
    virtual void readRevision(xmlNode* element, RevisionMark* record, std::int16_t type);
    virtual void readFieldData(xmlNode* field);
    // The form field (w:ffData) of a complex field's begin character (FormFields.cpp).
    virtual void readFormField(xmlNode* field);
    // The target of a relationship of the package part that holds the node; empty for a document read
    // without a package.
    virtual std::string relationshipTarget(const xmlNode* holder, const char* id);
    // Whether the item's cell ends with it, given the paragraph after it; *lastOfRow tells whether the
    // row ends as well (TableRows.cpp).
    virtual bool checkCellEnd(xmlNode* cell, xmlNode* nextParagraph, bool* lastOfRow);

    // Table, row and cell properties into a row definition. The table reader answers the table style's
    // identifier (empty without one); the row reader the row's conditional-format mask. The cell reader
    // fills entry cellIndex of the cells, or the default cell for -1; its properties may be null.
    virtual std::string readTableProperties(xmlNode* properties, XRule* rule, XForm* form, XRows* rows);
    virtual std::int16_t readRowProperties(xmlNode* properties, XRows* rows);
    virtual void readCellProperties(const std::string& tableStyleId, std::int32_t rowMask, std::int32_t positionFlags,
                                    xmlNode* properties, XRows* rows, std::int16_t cellIndex);
    // The conditional parts that format a cell: those its own and its row's conditional-format masks
    // name; without either mask, the first and last row and column that the table's look turns on and
    // the cell's position (TTable.h) gives.
    static std::int16_t cellPartMask(xmlNode* properties, std::int32_t rowMask, std::int32_t positionFlags,
                                     std::int16_t look);

    xmlDoc* document = nullptr;  // owned
    xmlNode* rootElement = nullptr;
    xmlNode* bodyElement = nullptr;
    UniqueTags tags;
    XFootnote footnoteFormat;
    XFootnote endnoteFormat;
    std::string latinLanguage;
    std::string eastAsianLanguage;
    std::string complexScriptLanguage;
    // The document's table indents place the tables' edges; the stored indent places the first cell's
    // text, a left cell margin further in (the older layout, and the one our writers read).
    bool tableIndentPlacesEdge = false;
    LevelTexts levelTexts;  // the list-level texts that paragraph records and the list table point at
    std::unique_ptr<TListDefsArray> lists;  // from the first readLists on

    // Makes the walkers of the stories: the paragraph list with its section finder, and the table rows.
    void prepareStoryWalk();
    // The walk of the story being imported, and the story nodes of each kind (the Word 2007 importer
    // gathers them from the package's parts).
    std::unique_ptr<TParagraphsArray> paragraphs;
    std::unique_ptr<TTableRowsArray> tableRows;  // the row of the run being delivered
    std::unique_ptr<TNodesArray> headerNodes;
    std::unique_ptr<TNodesArray> footerNodes;
    std::unique_ptr<TNodesArray> tableNodes;
    std::unique_ptr<TNodesArray> footnoteNodes;
    std::unique_ptr<TNodesArray> endnoteNodes;
    std::unique_ptr<TNodesArray> commentNodes;
    std::unique_ptr<TNodesArray> textboxNodes;

    // For each node asked about, the element holding the next section properties at or after it.
    std::unordered_map<const xmlNode*, xmlNode*> sectionHolders;
    // The element holding the body's own w:sectPr (the last section), once looked for.
    std::optional<xmlNode*> bodySectionHolder;
    // For each section node asked about, its w:sectPr (or null). The body of the last section has every
    // paragraph among its children: searching them for each run made a long document quadratic.
    std::unordered_map<const xmlNode*, xmlNode*> sectionPropertiesByNode;
    // Forgets the section look-ups above, for the next document.
    void forgetSectionLookups();
    xmlNode* sectionPropertiesOf(xmlNode* section);

private:
    void readInput(std::string& bytes);
    void readListLevelChild(xmlNode* child, XListLevel& level, TStyle& scratch);
    void giveLabelItsSize(XForm& form);
    void readLevelOverride(xmlNode* element, XListOvr& ovr);
    xmlNode* nextSectionHolder(xmlNode* node);
    bool readParagraphChild(xmlNode* child, XPage* page, XRule* rule, XForm* form, TStyle* owner);
    void readListMembership(xmlNode* list, XRule* rule);
    void readStyleFormatting(xmlNode* child, TStyle* style);
    void linkListLevel(TStyle* style);
    void readRunChild(xmlNode* child, XForm* form);
    void readRunFonts(xmlNode* fonts, XForm* form);
    std::string themeTypeface(const char* themeFont) const;
    void refuseDocument(const std::string& problem, std::int32_t line);
    void gatherStories();
    void answerStory(TNodesArray* list, bool withKind, bool withShapeName);
    TableRowReaders tableRowReaders();
    void gatherPicture(xmlNode* container);

    // ParagraphContent.cpp
    std::int16_t readSimpleField(xmlNode* run);
    void readHyperlink(xmlNode* run);
    std::int16_t readMarker(xmlNode* node);
    std::int16_t readAnnotation(xmlNode* annotation);

    // TextRunProducer.cpp
    bool produceItem(const WalkItem& item);
    void setParagraphRecords(const WalkItem& item);
    void appendRunItem(const WalkItem& item, xmlNode* nextParagraph);
    void closeEmptyParagraph(const WalkItem& item, xmlNode* nextParagraph);
    void appendText(const std::string& utf8);
    void beginDelivery();
    void deliverPiece();
    void deliverUnits();

    // The simple field and the hyperlink whose instruction has been delivered (ParagraphContent.cpp);
    // cleared for each story and each paragraph.
    xmlNode* currentSimpleField = nullptr;
    xmlNode* currentHyperlink = nullptr;

    // The element that names a comment story's author and date (w:comment, or the aml:annotation
    // around a Word 2003 comment's content) while its annotation information is still to be delivered
    // as the story's first run; null otherwise (CommentInformation.cpp).
    xmlNode* commentInformationDue = nullptr;
    void prepareCommentInformation(xmlNode* story);
    void deliverCommentInformation();
    void readCommentInformation(xmlNode* reference);
    // The information run of the comment whose author and date the holder has (none for null).
    void takeCommentInformation(xmlNode* holder);

    // The records every run of one paragraph starts from (defaults, table row, section and paragraph
    // properties), made at the paragraph's first run and copied for its other runs: a paragraph has a
    // dozen runs on average, and making them again for each cost a quarter of a long document's import.
    // Valid only for the item it was made for, within one story.
    struct ParagraphRecords {
        bool valid = false;
        const xmlNode* paragraph = nullptr;
        const xmlNode* section = nullptr;
        const xmlNode* row = nullptr;
        const xmlNode* cell = nullptr;
        XPage page;
        XRule rule;
        XForm form;
    };
    std::unique_ptr<ParagraphRecords> paragraphRecords;

    // The walk's current item, replayed once after a section break.
    WalkItem current{};
    bool replayPosition = false;
    bool rowEndPending = false;
    // The paragraph or cell end that follows a marker run, delivered as the next run; 0 for none.
    char16_t pendingEndMark = 0;

    // The run being assembled, and what is left of it to deliver with its records.
    std::u16string runUnits;
    std::u16string pending;
    std::size_t pendingOffset = 0;
    XForm pendingForm{};
    XRule pendingRule{};
    XPage pendingPage{};
};
