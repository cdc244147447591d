// Section and table tags: kept when the document has them, drawn when it has none, never twice alike.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <climits>
#include <string>

#include "foundation/CRandom.h"
#include "import/wordml/text/UniqueTags.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

TEST(UniqueTagsTest, ADrawnTagNeverRepeatsOneInUse) {
    // The first draw of this seed is written on one table beforehand: the other table must not get it.
    seedSharedRandomForTesting(11, 22);
    const std::int32_t firstDraw = randomInRange(0x7fff, INT32_MAX);
    seedSharedRandomForTesting(11, 22);
    const std::string text = "<body><tbl/><tbl AutoUniqueTag=\"" + std::to_string(firstDraw) + "\"/></body>";
    xmlDoc* document = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, XML_PARSE_NONET);
    ASSERT_NE(document, nullptr);
    xmlNode* first = xmlDocGetRootElement(document)->children;
    xmlNode* second = first->next;

    UniqueTags tags;
    tags.collectFrom(xmlDocGetRootElement(document));
    const std::int32_t drawn = tags.tagOf(first);
    EXPECT_NE(drawn, firstDraw);
    EXPECT_GE(drawn, 0x7fff);
    EXPECT_EQ(tags.tagOf(first), drawn) << "written on the element, so it answers the same again";
    std::int16_t present = 0;
    EXPECT_EQ(xmlGetAttrInt(first, nullptr, "AutoUniqueTag", &present), drawn);
    EXPECT_EQ(tags.tagOf(second), firstDraw) << "a tag the document carries is kept";
    xmlFreeDoc(document);
}

}  // namespace
