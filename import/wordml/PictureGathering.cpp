// The pictures of a story. Before a story is delivered its whole element tree is walked once and every
// picture container (w:pict, w:drawing, w:object) becomes a CPicture kept by name in the story's picture
// table; the run that holds the container later finds its picture there and delivers a picture anchor.
//
// A .docx story's pictures name their bytes by relationships of the part that holds the story (the
// main part, a header, the notes), so that part's relationships are loaded before the walk. Each parsed
// part carries its path in the package as its document URL.
#include <new>
#include <string>
#include <utility>

#include "foundation/CFail.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/PartRelationships.h"
#include "model/CPicture.h"
#include "model/params/XParamBlock.h"
#include "model/records/PictureOwnership.h"
#include "model/story/StoryKinds.h"
#include "package/CRelationshipsTable.h"
#include "package/xml/XmlElementSearch.h"
#include "picture/containers/ContainerName.h"
#include "picture/containers/PictureFromContainer.h"

namespace {

constexpr const char* kUnit = "BL_WordML(imp)";

bool isPictureContainer(const xmlNode* node) {
    return xmlIsElement(node, "w", "pict") || xmlIsElement(node, "w", "drawing") || xmlIsElement(node, "w", "object");
}

}  // namespace

void CWordMLImporter::gatherStoryPictures(xmlNode* element) {
    if (pictureRelationships != nullptr && element != nullptr && element->doc != nullptr &&
        element->doc->URL != nullptr) {
        const std::string partPath(reinterpret_cast<const char*>(element->doc->URL));
        std::string relationshipsPart = relationshipsPartOf(partPath);
        if (relationshipsPart != pictureRelationshipsPart) {
            pictureRelationshipsPart.clear();
            pictureRelationships->loadRelationships(relationshipsPart.c_str(), 0);
            pictureRelationshipsPart = std::move(relationshipsPart);
        }
    }
    pictures.reset();
    pictures.reset(new (std::nothrow) TPicturesArray());
    throwIfNull(pictures.get(), __LINE__, kUnit);
    // Only the story's own element: its following siblings are other stories, gathered with them.
    if (element == nullptr) return;
    if (isPictureContainer(element)) {
        gatherPicture(element);
    } else {
        collectPictures(element->children);
    }
}

void CWordMLImporter::collectPictures(xmlNode* first) {
    if (pictures == nullptr) {
        pictures.reset(new (std::nothrow) TPicturesArray());
        throwIfNull(pictures.get(), __LINE__, kUnit);
    }
    for (xmlNode* node = first; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        if (isPictureContainer(node)) {
            gatherPicture(node);
        } else {
            collectPictures(node->children);
        }
    }
}

// A picture that cannot be built for lack of memory is passed over; the story goes on without it.
void CWordMLImporter::gatherPicture(xmlNode* container) {
    CPicture* picture = nullptr;
    try {
        picture = newPictureFromContainer(container, pictureRelationships);
    } catch (const CFail& failure) {
        if (failure.error != result::kOutOfMemory) throw;
        return;
    }
    if (pictures->addPicture(picture) == 0) disposePicture(picture);
}

void CWordMLImporter::importPicture(xmlNode* container) {
    if (pictures == nullptr) return;
    const std::optional<std::string> name = vmlContainerKind(container);
    if (!name) return;
    CPicture* picture = pictures->findPicture(name->c_str());
    if (picture == nullptr) return;
    runUnits.push_back(storycode::kPicture);
    block->form.picRect = *picture->getRect();
    block->form.picData = picture;
}
