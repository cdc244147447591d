#include "import/docx/HeaderFooterReferences.h"

#include <cstdint>
#include <string>

#include "foundation/text/NameCompare.h"
#include "import/wordml/text/AlternateContent.h"
#include "import/wordml/text/TNodesArray.h"
#include "import/wordml/text/UniqueTags.h"
#include "package/CRelationshipsTable.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr std::int32_t kFirstPage = 0;
constexpr std::int32_t kDefaultPages = 1;
constexpr std::int32_t kEvenPages = 2;
constexpr int kKinds = 3;

// The attributes, by side (header, footer) and kind (first, default, even).
constexpr const char* kTagAttributes[2][kKinds] = {
    {"firstHeaderRefTag", "defaultHeaderRefTag", "evenHeaderRefTag"},
    {"firstFooterRefTag", "defaultFooterRefTag", "evenFooterRefTag"},
};
// Written in this order on each section.
constexpr int kWriteOrder[kKinds] = {kEvenPages, kDefaultPages, kFirstPage};

// The kind of the reference's "type"; a reference without one is the default one. -1 for another word.
std::int32_t referenceKind(const xmlNode* reference) {
    std::int16_t present = 0;
    const char* type = xmlGetAttrString(reference, nullptr, "type", &present);
    if (type == nullptr) return kDefaultPages;
    if (compareNames(type, "even") == 0) return kEvenPages;
    if (compareNames(type, "default") == 0) return kDefaultPages;
    if (compareNames(type, "first") == 0) return kFirstPage;
    return -1;
}

void setTag(xmlNode* section, const char* attribute, std::int32_t tag) {
    xmlSetProp(section, reinterpret_cast<const xmlChar*>(attribute),
               reinterpret_cast<const xmlChar*>(std::to_string(tag).c_str()));
}

std::int32_t tagAttribute(const xmlNode* section, const char* attribute) {
    std::int16_t present = 0;
    return xmlGetAttrInt(section, nullptr, attribute, &present);
}

}  // namespace

HeaderFooterReferences::HeaderFooterReferences(CRelationshipsTable& package, TNodesArray& headers,
                                               TNodesArray& footers, UniqueTags& tags,
                                               std::vector<PartDocument>& partDocuments)
    : package(package), headers(headers), footers(footers), tags(tags), partDocuments(partDocuments) {}

void HeaderFooterReferences::collect(xmlNode* first) {
    for (xmlNode* node = first; node != nullptr; node = node->next) {
        if (xmlIsElement(node, "w", "sectPr")) {
            readSection(node);
        } else if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
            collect(node->children);
        }
    }
}

void HeaderFooterReferences::readSection(xmlNode* section) {
    std::int32_t sideTags[2][kKinds] = {};
    for (xmlNode* child = section->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "headerReference")) readReference(child, true, sideTags[0]);
        else if (xmlIsElement(child, "w", "footerReference")) readReference(child, false, sideTags[1]);
    }
    for (int side = 0; side < 2; ++side) {
        for (int kind : kWriteOrder) setTag(section, kTagAttributes[side][kind], sideTags[side][kind]);
    }
    sections.push_back(section);
}

void HeaderFooterReferences::readReference(xmlNode* reference, bool isHeader, std::int32_t* kindTags) {
    const std::int32_t kind = referenceKind(reference);
    if (kind < 0) return;
    // The reference's own tag: unique in the document, so two references never share a story mark.
    const std::int32_t tag = tags.tagOf(reference);
    kindTags[kind] = tag;
    std::int16_t present = 0;
    const char* idText = xmlGetAttrString(reference, nullptr, "id", &present);
    if (idText == nullptr) return;
    const std::string id(idText);
    std::int16_t mode = 0;
    const char* target = nullptr;
    xmlDoc* parsed = nullptr;
    xmlNode* root = nullptr;
    if (package.parseTargetPart(id.c_str(), &mode, &target, &parsed, &root) == 0 || parsed == nullptr) return;
    PartDocument document(parsed);
    keepAlternateFallbacks(root);
    // A part of the other side, or of another kind altogether, is no story of this one.
    if (!xmlIsElement(root, "w", isHeader ? "hdr" : "ftr")) return;
    partDocuments.push_back(std::move(document));
    (isHeader ? headers : footers).appendStory(root, kind, tag);
}

void HeaderFooterReferences::inheritTags() {
    for (std::size_t index = 1; index < sections.size(); ++index) {
        for (const auto& side : kTagAttributes) {
            for (const char* attribute : side) {
                if (tagAttribute(sections[index], attribute) != 0) continue;
                const std::int32_t earlier = tagAttribute(sections[index - 1], attribute);
                if (earlier != 0) setTag(sections[index], attribute, earlier);
            }
        }
    }
}
