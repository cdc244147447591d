// A comment's author and date travel as its story's annotation information: a special character
// (txtData 84) whose revision record names them. A comment that marks its own place (w:annotationRef)
// gives it there; one without that mark, which a Word 2003 comment never has, gives it as its first run.
#include "import/wordml/AnnotationComments.h"
#include "import/wordml/CWordMLImporter.h"
#include "model/StoryKinds.h"
#include "model/XParamBlock.h"
#include "package/XmlElementSearch.h"

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
    readRevision(holder, &block->form.revision, kNoRevisionType);
    runUnits.push_back(storycode::kSpecialCharacter);
    block->form.txtData = kCommentInformation;
}

void CWordMLImporter::readCommentInformation(xmlNode* reference) {
    if (xmlNode* holder = commentHolder(reference)) readRevision(holder, &block->form.revision, kNoRevisionType);
    runUnits.push_back(storycode::kSpecialCharacter);
    block->form.txtData = kCommentInformation;
}
