#include "import/docx/CoreProperties.h"

#include <algorithm>
#include <cstring>

#include "foundation/memory/Memory.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

struct TextProperty {
    const char* name;
    char* (*field)(XHead&);
};

const TextProperty kTextProperties[] = {
    {"creator", [](XHead& head) { return head.originalAuthor; }},
    {"title", [](XHead& head) { return head.originalTitle; }},
    {"subject", [](XHead& head) { return head.originalSubject; }},
};

// Every field holds 127 characters and its terminating zero.
void copyText(const xmlNode* element, char* field) {
    char* text = xmlGetText(element);
    if (text != nullptr && text[0] != '\0') {
        const std::size_t length = std::min<std::size_t>(std::strlen(text), kHeadTextBytes - 1);
        std::memcpy(field, text, length);
        field[length] = '\0';
    }
    freeMemory(text);
}

}  // namespace

void readCoreProperties(const xmlNode* root, XHead* head) {
    if (root == nullptr || head == nullptr) return;
    for (const xmlNode* child = root->children; child != nullptr; child = child->next) {
        for (const TextProperty& property : kTextProperties) {
            if (xmlIsElement(child, "dc", property.name)) {
                copyText(child, property.field(*head));
                break;
            }
        }
    }
}
