// A comment's author and date travel as its story's annotation information: a special character
// (txtData 84) whose revision record names them; its initials go to that author in the author table. A comment that marks its own place (w:annotationRef)
// gives it there; one without that mark, which a Word 2003 comment never has, gives it as its first run.
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/annotations/AnnotationComments.h"
#include "model/params/XParamBlock.h"
#include "model/story/StoryKinds.h"
#include "model/tables/CAuthorArray.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr std::int32_t kCommentInformation = 84;
// The information is no revision of its run: its record carries only the author and the date.
constexpr std::int16_t kNoRevisionType = 0;

// The element holding the comment's author and date: the w:comment, or the Word 2003 annotation
// around the comment's content; null for neither.
xmlNode* commentHolder(xmlNode* node) {
    if (xmlIsElement(node, "w", "comment")) return node;
    if (xmlNode* comment = xmlNextElement(node, "w", "comment")) return comment;
    xmlNode* annotation = xmlIsElement(node, "aml", "content") ? node->parent : xmlNextElement(node, "aml", "annotation");
    return isAnnotationComment(annotation) ? annotation : nullptr;
}

// The initials beside the author's name: "initials" on a w:comment and on a Word 2003 annotation.
void keepInitials(const xmlNode* holder, std::int16_t author, CAuthorArray* authors) {
    std::int16_t present = 0;
    const char* initials = xmlGetAttrString(holder, nullptr, "initials", &present);
    if (authors != nullptr && initials != nullptr) authors->setInitials(author, initials);
}

}  // namespace

void CWordMLImporter::prepareCommentInformation(xmlNode* story) {
    commentInformationDue = nullptr;
    if (block->storyNumber != storykind::kComment || story == nullptr) return;
    if (xmlFindElement(story->children, "w", "annotationRef", 1) != nullptr) return;
    commentInformationDue = commentHolder(story);
}

void CWordMLImporter::deliverCommentInformation() {
    xmlNode* holder = commentInformationDue;
    commentInformationDue = nullptr;
    resetSectionDefaults();
    resetParagraphDefaults();
    takeCommentInformation(holder);
}

void CWordMLImporter::readCommentInformation(xmlNode* reference) {
    takeCommentInformation(commentHolder(reference));
}

void CWordMLImporter::takeCommentInformation(xmlNode* holder) {
    if (holder != nullptr) {
        readRevision(holder, &block->form.revision, kNoRevisionType);
        keepInitials(holder, block->form.revision.author, block->authors);
    }
    runUnits.push_back(storycode::kSpecialCharacter);
    block->form.txtData = kCommentInformation;
}
