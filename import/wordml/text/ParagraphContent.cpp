// What surrounds a run and what stands beside it in a paragraph: simple fields and hyperlinks become one
// field run (instruction, '{', result), revision wrappers mark the run, bookmarks and comment ranges
// become runs of their own.
//
//   simple field     "instr" '{' result         txtData 20, fieldType 1, field data
//   hyperlink        HYPERLINK "target"\l "anchor" '{' first run's text       txtData 20
//   bookmark start   the name                   txtData 28
//   bookmark end     unit 29                    txtData 29
//   comment range    unit 25                    txtData 30 (start) / 31 (end), revision.id the comment id
//
// A field or hyperlink delivers its instruction once, with its first run: later runs of the same element
// see it as current. Instructions, targets and names are UTF-8 and decoded as such. A brace inside an
// instruction is kept with a backslash before it, so it never ends the instruction.
#include <string>
#include <string_view>

#include "foundation/FieldMask.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/properties/ValueVocabularies.h"
#include "import/wordml/properties/XFormBits.h"
#include "model/params/XParamBlock.h"
#include "model/story/StoryKinds.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr std::int32_t kFieldRun = 20;
constexpr std::int32_t kBookmarkStartRun = 28;
constexpr std::int32_t kBookmarkEndRun = 29;
constexpr std::int32_t kCommentRangeStart = 30;
constexpr std::int32_t kCommentRangeEnd = 31;
constexpr char16_t kBookmarkEndUnit = 29;
constexpr std::int32_t kNoCommentId = -333;
constexpr std::int16_t kSimpleField = 1;
constexpr std::int16_t kDeletion = 1;
constexpr std::int16_t kInsertion = 2;
constexpr std::int16_t kFormatting = 3;
constexpr std::int16_t kCommentRevision = 5;

// The enclosing hyperlink: w:hyperlink, or w:hlink in Word 2003 documents.
xmlNode* enclosingHyperlink(xmlNode* node) {
    if (xmlNode* link = xmlNextElement(node, "w", "hyperlink")) return link;
    return xmlNextElement(node, "w", "hlink");
}

// The instruction as the field run keeps it: a brace of its own gets a backslash before it, so the
// '{' that follows the instruction is the only one without, and an instruction that ends with a
// backslash gets a blank after it (a field ignores it), so that backslash does not take the '{'.
std::string storedInstruction(std::string_view instruction) {
    std::string stored;
    stored.reserve(instruction.size() + 1);
    for (char byte : instruction) {
        if (byte == '{') stored += '\\';
        stored += byte;
    }
    if (!stored.empty() && stored.back() == '\\') stored += ' ';
    return stored;
}

bool isCommentAnnotation(const xmlNode* node) {
    std::int16_t present = 0;
    return xmlIsElement(node, "aml", "annotation") &&
           lookupAnnotationType(xmlGetAttrString(node, nullptr, "type", &present)) == kCommentRevision;
}

}  // namespace

std::int16_t CWordMLImporter::readParagraphContent(xmlNode* run) {
    std::int16_t answer = readSimpleField(run);
    if (xmlNode* deletion = xmlNextElement(run, "w", "del")) {
        readRevision(deletion, &block->form.revision, kDeletion);
        setMaskBit(block->form.changeBits, xformbit::kRevision);
    }
    if (xmlNode* insertion = xmlNextElement(run, "w", "ins")) {
        readRevision(insertion, &block->form.revision, kInsertion);
        setMaskBit(block->form.changeBits, xformbit::kRevision);
    }
    readHyperlink(run);
    if (readMarker(run) == 0) answer = 0;
    return answer;
}

// Answers 0 when the field's text was delivered with an earlier run.
std::int16_t CWordMLImporter::readSimpleField(xmlNode* run) {
    xmlNode* field = xmlNextElement(run, "w", "fldSimple");
    if (field == nullptr) {
        currentSimpleField = nullptr;
        return 1;
    }
    if (field == currentSimpleField) return 0;
    std::int16_t present = 0;
    if (const char* instruction = xmlGetAttrString(field, nullptr, "instr", &present)) {
        appendText(storedInstruction(instruction));
        runUnits.push_back(u'{');
        block->form.txtData = kFieldRun;
        block->form.fieldType = kSimpleField;
        setMaskBit(block->form.changeBits, xformbit::kFieldType);
    }
    readFieldData(field);
    currentSimpleField = field;
    return 1;
}

// A hyperlink opens with its first run; each hyperlink of a paragraph opens its own field, also when
// two follow each other directly.
void CWordMLImporter::readHyperlink(xmlNode* run) {
    xmlNode* link = enclosingHyperlink(run);
    if (link == nullptr) {
        currentHyperlink = nullptr;
        return;
    }
    if (link == currentHyperlink) return;
    std::string instruction = "HYPERLINK ";
    std::string target;
    std::int16_t present = 0;
    if (xmlIsElement(link, "w", "hlink")) {
        if (const char* dest = xmlGetAttrString(link, nullptr, "dest", &present)) target = dest;
    } else if (const char* id = xmlGetAttrString(link, nullptr, "id", &present)) {
        target = relationshipTarget(link, std::string(id).c_str());
    }
    if (!target.empty()) instruction += "\"" + target + "\"";
    // Word 2003 names the anchor "bookmark".
    const char* anchor = xmlGetAttrString(link, nullptr, "anchor", &present);
    if (anchor == nullptr) anchor = xmlGetAttrString(link, nullptr, "bookmark", &present);
    if (anchor != nullptr) instruction += "\\l \"" + std::string(anchor) + "\"";
    appendText(storedInstruction(instruction));
    runUnits.push_back(u'{');
    block->form.txtData = kFieldRun;
    currentHyperlink = link;
}

// Bookmarks, comment ranges and annotations; answers 0 when the node is complete without its run content.
std::int16_t CWordMLImporter::readMarker(xmlNode* node) {
    std::int16_t present = 0;
    if (xmlIsElement(node, "aml", "annotation")) return readAnnotation(node);
    if (xmlIsElement(node, "w", "bookmarkStart") || xmlIsElement(node, "w", "bookmarkEnd")) {
        // A bookmark inside a hyperlink would split the link's field.
        if (enclosingHyperlink(node) != nullptr) return 1;
        if (xmlIsElement(node, "w", "bookmarkEnd")) {
            runUnits.push_back(kBookmarkEndUnit);
            block->form.txtData = kBookmarkEndRun;
            return 0;
        }
        if (const char* name = xmlGetAttrString(node, nullptr, "name", &present)) {
            appendText(name);
            block->form.txtData = kBookmarkStartRun;
            return 0;
        }
        return 1;
    }
    const bool rangeStart = xmlIsElement(node, "w", "commentRangeStart") != 0;
    if (rangeStart || xmlIsElement(node, "w", "commentRangeEnd")) {
        if (block->storyNumber == storykind::kComment) return 1;
        runUnits.push_back(storycode::kSpecialCharacter);
        block->form.txtData = rangeStart ? kCommentRangeStart : kCommentRangeEnd;
        const std::int32_t id = xmlGetAttrInt(node, nullptr, "id", &present);
        block->form.revision.id = present != 0 ? id : kNoCommentId;
        return 0;
    }
    xmlNode* content = xmlNextElement(node, "aml", "content");
    if (content != nullptr && isCommentAnnotation(xmlNextElement(content, "aml", "annotation"))) {
        readRevision(node, &block->form.revision, -1);
        setMaskBit(block->form.changeBits, xformbit::kRevision);
    }
    return 1;
}

// A Word 2003 annotation among the runs: a revision around its runs, a bookmark, or a comment's mark.
std::int16_t CWordMLImporter::readAnnotation(xmlNode* annotation) {
    std::int16_t present = 0;
    const std::int32_t type = lookupAnnotationType(xmlGetAttrString(annotation, nullptr, "type", &present));
    if (type == kBookmarkStartRun) {
        if (const char* name = xmlGetAttrString(annotation, nullptr, "name", &present)) {
            appendText(name);
            block->form.txtData = kBookmarkStartRun;
            return 0;
        }
    } else if (type == kBookmarkEndRun) {
        runUnits.push_back(kBookmarkEndUnit);
        block->form.txtData = kBookmarkEndRun;
        return 0;
    } else if (type == kCommentRevision) {
        // A comment among the runs is its mark, as one inside a run is: its content is the comment's
        // story, which the stories' order pairs with this mark, and never text of this paragraph.
        runUnits.push_back(storycode::kComment);
        return 0;
    } else if (type == kDeletion || type == kInsertion || type == kFormatting) {
        readRevision(annotation, &block->form.revision, -1);
        setMaskBit(block->form.changeBits, xformbit::kRevision);
    }
    return 1;
}
