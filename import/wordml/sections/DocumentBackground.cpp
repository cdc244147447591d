// The page colour of the document. A Word 2003 document keeps it in w:bgPict (whose w:background
// child carries the colour), a .docx in the root's w:background. It reaches the engine as the RTF page
// background group in the task's side buffer.
#include <cstring>

#include "import/wordml/CWordMLImporter.h"
#include "model/params/ParamBlockHost.h"
#include "model/params/XParamBlock.h"
#include "package/xml/XmlElementSearch.h"
#include "picture/shapes/PageBackground.h"
#include "picture/shapes/ShapeText.h"

void CWordMLImporter::readBackground(xmlNode* element, xmlNode* root) {
    if (element == nullptr && root != nullptr) element = xmlFindElement(root->children, "w", "background", 0);
    // The colour of a w:bgPict stands on its w:background child.
    if (xmlIsElement(element, "w", "bgPict")) element = xmlFindElement(element->children, "w", "background", 0);
    if (element == nullptr || block->backgroundText == nullptr) return;
    ShapeText text;
    text.append(std::string_view(block->backgroundText, strnlen(block->backgroundText, kTaskSideBufferBytes - 1)));
    pageBackgroundToRtf(element, text);
    // A background that does not fit the side buffer is left out whole rather than cut mid-group.
    if (text.length() >= kTaskSideBufferBytes) return;
    std::memcpy(block->backgroundText, text.text(), static_cast<std::size_t>(text.length()) + 1);
    block->backgroundLength = text.length();
}
