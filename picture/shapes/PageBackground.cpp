#include "picture/shapes/PageBackground.h"

#include <optional>
#include <string>

#include "package/xml/XmlNodeHelpers.h"
#include "picture/shapes/ShapeColors.h"

namespace {

constexpr const char* kBackgroundOpening =
    "\\viewbksp1{\\*\\background"
    "{\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright0\\shpbottom0\\shpfhdr0\\shpbxmargin\\shpbymargin\\shpwr0"
    "\\shpwrk0\\shpfblwtxt1\\shpz0{\\sp{\\sn shapeType}{\\sv 1}}{\\sp{\\sn fFlipH}{\\sv 0}}{\\sp{\\sn fFlipV}{\\sv 0}}";
constexpr const char* kBackgroundClosing =
    "{\\sp{\\sn fFilled}{\\sv 1}}{\\sp{\\sn lineWidth}{\\sv 0}}{\\sp{\\sn fLine}{\\sv 0}}{\\sp{\\sn bWMode}{\\sv 9}}"
    "{\\sp{\\sn fBackground}{\\sv 1}}}}}";

// "bgcolor" as it stands, else "color" with a '#' in front; in lower case. The text is taken whole, however
// long: a text that names no colour gives no fill colour, it is never cut into another colour.
std::optional<std::string> backgroundColorText(const xmlNode* background) {
    std::int16_t present = 0;
    std::string color;
    const char* bgcolor = xmlGetAttrString(background, nullptr, "bgcolor", &present);
    if (present != 0 && bgcolor != nullptr) {
        color = bgcolor;
    } else {
        const char* plain = xmlGetAttrString(background, nullptr, "color", &present);
        if (present == 0 || plain == nullptr) return std::nullopt;
        color = std::string("#") + plain;
    }
    for (char& character : color) {
        if (character >= 'A' && character <= 'Z') character = static_cast<char>(character - 'A' + 'a');
    }
    return color;
}

}  // namespace

void pageBackgroundToRtf(const xmlNode* background, ShapeText& backgroundText) {
    if (background == nullptr) return;
    const std::optional<std::string> color = backgroundColorText(background);
    if (!color) return;
    // The whole group is built apart, so a failure half-way leaves the caller's text as it was.
    ShapeText group;
    group.append(kBackgroundOpening);
    colorProperty(color->c_str(), group, color_kind::kFill);
    group.append(kBackgroundClosing);
    backgroundText.append(group.view());
}
