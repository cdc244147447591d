#include "picture/containers/PictureContainerWalk.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/CRandom.h"
#include "foundation/memory/Memory.h"
#include "model/CPicture.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"
#include "picture/containers/ContainerName.h"
#include "picture/containers/ContainerPictureData.h"
#include "picture/shapes/ShapeAnchoring.h"
#include "picture/shapes/ShapeAttributes.h"
#include "picture/shapes/ShapeColors.h"
#include "picture/shapes/ShapeFillAndLine.h"
#include "picture/shapes/ShapeLengths.h"
#include "picture/shapes/ShapeText.h"
#include "picture/shapes/VmlStyle.h"

namespace {

constexpr const char* kUnit = "BPicture";
// The picture count of a container that is one simple inline picture: it becomes a plain picture.
constexpr std::int16_t kPlainPicture = 99;
constexpr std::int16_t kPictureFrameShape = 75;
constexpr std::int16_t kLineShape = 20;
constexpr std::int16_t kTextBoxShape = 202;
constexpr std::int32_t kEmuPerTwip = 635;
constexpr std::int32_t kLowestTextBoxId = 32767;
constexpr std::int32_t kHighestTextBoxId = 2147483647;

// The attribute's text, whatever its prefix.
std::optional<std::string> attribute(const xmlNode* element, const char* name) {
    xmlChar* value = xmlGetAttr(element, name);
    if (value == nullptr) return std::nullopt;
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

// A shape whose style does not place it absolutely: it stands in the line of text.
bool inLineOfText(const xmlNode* shape) {
    const std::optional<std::string> style = attribute(shape, "style");
    return !isAbsoluteVmlStyle(style ? style->c_str() : nullptr);
}

bool beginsWithT(const std::optional<std::string>& value) { return value && !value->empty() && (*value)[0] == 't'; }

std::int16_t booleanAttribute(const xmlNode* element, const char* name) {
    std::int16_t present = 0;
    return xmlGetAttrBool(element, nullptr, name, &present);
}

// The element's text as an integer, 0 without one.
std::int32_t integerText(const xmlNode* element) { return xmlGetTextInt(element); }

std::string textOf(const xmlNode* element) {
    char* text = xmlGetText(element);
    std::string copy = text != nullptr ? text : "";
    freeMemory(text);
    return copy;
}

std::vector<std::string> splitAtCommas(const std::string& text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        pieces.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) return pieces;
        start = comma + 1;
    }
}

std::int32_t twipsOf(const std::string& length) { return lengthToTwips(length.c_str()); }

bool isEmptyRect(const LongRect& rect) {
    return rect.top == 0 && rect.left == 0 && rect.bottom == 0 && rect.right == 0;
}

// The state of one container's walk: the three texts, the frame and crop rectangles, the group level,
// the picture count and the inline flag.
class ContainerWalk {
public:
    ContainerWalk(CPicture& picture, CRelationshipsTable* package) : picture(picture), package(package) {}

    void run(xmlNode* container);

private:
    xmlNode* container = nullptr;
    void translateContainer(xmlNode* container);
    void translateDrawing(xmlNode* drawing);
    void translateAnchor(xmlNode* anchor);
    void anchorAttributes(xmlNode* anchor, bool& useSimplePosition);
    void anchorPosition(xmlNode* position, bool horizontal, std::int32_t& offset);
    std::int16_t graphicContent(xmlNode* graphic);
    void blipPibProperty(xmlNode* graphicData);
    void frameLocks(xmlNode* properties);
    void headerFooterKeyword(xmlNode* element);
    void translateVmlShapes(xmlNode* parent);
    void translateVmlGroup(xmlNode* group);
    void translateVmlChild(xmlNode* child, bool& lastHadTextpath);
    void vmlGroupAttributes(xmlNode* group);
    std::int16_t vmlShapeOfType(xmlNode* shape, std::int16_t shapeType);
    std::int16_t vmlShapeAttributes(xmlNode* shape, std::int16_t shapeType);
    bool vmlShapeStyle(xmlNode* shape, std::int16_t& shapeType, bool& verticalSet, bool& horizontalSet);
    std::int16_t vmlShapeChildren(xmlNode* shape, std::int16_t shapeType, bool& verticalSet, bool& horizontalSet,
                                  bool& wroteWrap, bool& wroteSide);
    void vmlWrap(xmlNode* wrap, bool& verticalSet, bool& horizontalSet, bool& wroteWrap, bool& wroteSide);
    void vmlShapeColours(xmlNode* shape, std::int16_t shapeType);
    void polylineVertices(xmlNode* shape);
    void lineEnds(xmlNode* shape);
    void vmlFill(xmlNode* fill, std::int16_t shapeType);
    void vmlStroke(xmlNode* stroke);
    void vmlShadow(xmlNode* shadow);
    void vmlTextpath(xmlNode* textpath);
    void vmlImagedata(xmlNode* imagedata);
    void vmlTextbox(xmlNode* textbox);
    void drawingTextBoxContent(const std::string& name);
    void textBoxMarker(const std::string& name);
    void countPicture();
    void takeShapeText();
    void takePictureBytes(bool plainPicture);
    void closeShape();

    CPicture& picture;
    CRelationshipsTable* package;
    ShapeText instance;
    ShapeText properties;
    ShapeText pictureText;
    LongRect frame{};
    LongRect crop{};
    std::int16_t groupLevel = 0;
    std::int16_t pictureCount = 0;
    bool inlineFlag = false;
};

std::int32_t shapeId(const CPicture& picture) {
    return picture.fName != nullptr ? trailingNumber(picture.fName) : 0;
}

}  // namespace

// ---- the inline test ----

namespace {

std::int16_t styleIsInline(const xmlNode* shape) {
    const std::optional<std::string> style = attribute(shape, "style");
    return style ? isInlineVmlStyle(style->c_str()) : 0;
}

std::int16_t drawingIsInline(const xmlNode* drawing) {
    return xmlIsElement(xmlFirstElementChild(const_cast<xmlNode*>(drawing)), "wp", "inline");
}

std::int16_t vmlIsInline(const xmlNode* container) {
    const xmlNode* first = xmlFirstElementChild(const_cast<xmlNode*>(container));
    if (xmlIsElement(first, "v", "group")) return 0;
    for (const xmlNode* child = container->children; child != nullptr; child = child->next) {
        if (isVmlShapeElement(child)) return styleIsInline(child);
    }
    return 0;
}

}  // namespace

std::int16_t isInline(const xmlNode* container) {
    if (xmlIsElement(container, "w", "drawing")) return drawingIsInline(container);
    if (xmlIsElement(container, "w", "pict") || xmlIsElement(container, "w", "object")) return vmlIsInline(container);
    return 0;
}

void translatePictureContainer(CPicture& picture, xmlNode* container, CRelationshipsTable* package) {
    ContainerWalk walk(picture, package);
    walk.run(container);
}

// ---- the whole walk ----

void ContainerWalk::run(xmlNode* element) {
    container = element;
    inlineFlag = isInline(container) == 1;
    if (picture.fName == nullptr) {
        if (const std::optional<std::string> name = vmlContainerKind(container)) {
            picture.fName = duplicateCString(name->c_str());
            throwIfNull(picture.fName, __LINE__, kUnit);
        }
    }
    translateContainer(container);
    if (pictureCount < kPlainPicture) {
        takeShapeText();
        if (pictureCount != 0) takePictureBytes(false);
    } else {
        takePictureBytes(true);
    }
}

// The count stops short of the plain-picture mark: however many pictures a shape refers to, it stays
// a shape.
void ContainerWalk::countPicture() {
    if (pictureCount < kPlainPicture - 1) ++pictureCount;
}

void ContainerWalk::takeShapeText() {
    const std::int32_t length = instance.length();
    if (length == 0) return;
    freeMemory(picture.fRtfData);
    picture.fRtfData = reinterpret_cast<std::uint8_t*>(instance.takeOver());
    picture.fRtfLength = length;
    picture.fFlag = 1;
    picture.fRect = frame;
    picture.fOriginalRect = frame;
    picture.fCropRect = crop;
}

// The bytes of the container's first picture, with its type and sizes. A plain picture takes its frame
// as its natural size when either measure is missing; a shape's picture only when both are.
void ContainerWalk::takePictureBytes(bool plainPicture) {
    FetchedPicture fetched;
    fetchContainerPicture(container, package, fetched, 0);
    if (!fetched.hasBytes()) return;
    const LongRect natural{0, 0, fetched.info.height, fetched.info.width};
    picture.fType = fetched.info.type;
    if (isEmptyRect(frame)) {
        picture.fRect = natural;
        picture.fOriginalRect = natural;
    } else {
        picture.fRect = frame;
        const bool unmeasured = plainPicture ? (natural.bottom == 0 || natural.right == 0)
                                             : (natural.bottom == 0 && natural.right == 0);
        picture.fOriginalRect = unmeasured ? frame : natural;
    }
    picture.fCropRect = crop;
    freeMemory(picture.fPicData);
    picture.fPicLength = fetched.length;
    picture.fPicData = fetched.releaseData();
}

void ContainerWalk::translateContainer(xmlNode* element) {
    if (xmlIsElement(element, "w", "pict") || xmlIsElement(element, "w", "object")) {
        translateVmlShapes(element);
    } else if (xmlIsElement(element, "w", "drawing")) {
        translateDrawing(element);
    }
}

// ---- DrawingML ----

void ContainerWalk::translateDrawing(xmlNode* drawing) {
    xmlNode* first = xmlFirstElementChild(drawing);
    if (xmlIsElement(first, "wp", "anchor")) {
        translateAnchor(first);
        return;
    }
    if (!xmlIsElement(first, "wp", "inline")) return;
    inlineFlag = true;
    for (xmlNode* child = first->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "wp", "cNvGraphicFramePr")) {
            frameLocks(child);
        } else if (xmlIsElement(child, "wp", "docPr")) {
            drawingPropertiesHidden(child, properties);
        } else if (xmlIsElement(child, "wp", "extent")) {
            drawingExtent(child, frame);
        } else if (xmlIsElement(child, "a", "graphic")) {
            graphicContent(child);
        }
    }
    // An inline drawing with a picture is always a plain picture.
    if (pictureCount > 0) pictureCount = kPlainPicture;
}

void ContainerWalk::translateAnchor(xmlNode* anchor) {
    const std::int32_t start = instance.length();
    appendToShapeText(instance, "{\\shp{\\*\\shpinst\\shplid%d", shapeId(picture));
    if (groupLevel == 0) headerFooterKeyword(anchor);
    bool useSimplePosition = false;
    anchorAttributes(anchor, useSimplePosition);
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int16_t added = 0;
    for (xmlNode* child = anchor->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "wp", "cNvGraphicFramePr")) {
            frameLocks(child);
        } else if (xmlIsElement(child, "wp", "docPr")) {
            drawingPropertiesHidden(child, properties);
        } else if (xmlIsElement(child, "wp", "extent")) {
            const DrawingSize size = drawingExtent(child, frame);
            width = size.width;
            height = size.height;
        } else if (xmlIsElement(child, "a", "graphic")) {
            if (graphicContent(child) == 1) added = 1;
        } else if (xmlIsElement(child, "wp", "positionH")) {
            anchorPosition(child, true, left);
        } else if (xmlIsElement(child, "wp", "positionV")) {
            anchorPosition(child, false, top);
        } else if (xmlIsElement(child, "wp", "simplePos")) {
            if (!useSimplePosition) continue;
            std::int16_t present = 0;
            left = xmlGetAttrInt(child, nullptr, "x", &present) / kEmuPerTwip;
            top = xmlGetAttrInt(child, nullptr, "y", &present) / kEmuPerTwip;
        } else {
            static constexpr struct {
                const char* element;
                const char* wrap;
            } kWraps[] = {{"wrapNone", "none"},
                          {"wrapSquare", "square"},
                          {"wrapThrough", "through"},
                          {"wrapTight", "tight"},
                          {"wrapTopAndBottom", "topAndBottom"}};
            for (const auto& wrap : kWraps) {
                if (!xmlIsElement(child, "wp", wrap.element)) continue;
                wrapTypeKeyword(wrap.wrap, instance);
                wrapTextSide(child, instance);
            }
        }
    }
    shapeRectangleOutput(instance, properties, groupLevel, left, top, left + width, top + height);
    if (added == 1) {
        closeShape();
    } else {
        // An anchor without a picture leaves no trace.
        instance.cutBack(start);
        properties.clear();
        pictureText.clear();
    }
}

void ContainerWalk::anchorAttributes(xmlNode* anchor, bool& useSimplePosition) {
    const bool overlap = booleanAttribute(anchor, "allowOverlap") == 1;
    appendToShapeText(properties, "{\\sp{\\sn fAllowOverlap}{\\sv %d}}", overlap ? 1 : 0);
    const bool behind = booleanAttribute(anchor, "behindDoc") == 1;
    appendToShapeText(instance, behind ? "\\shpfblwtxt1" : "\\shpfblwtxt0");
    appendToShapeText(properties, "{\\sp{\\sn fBehindDocument}{\\sv %d}}", behind ? 1 : 0);
    static constexpr struct {
        const char* attribute;
        const char* property;
    } kDistances[] = {{"distB", "dyWrapDistBottom"},
                      {"distL", "dxWrapDistLeft"},
                      {"distR", "dxWrapDistRight"},
                      {"distT", "dyWrapDistTop"}};
    for (const auto& distance : kDistances) {
        std::int16_t present = 0;
        const std::int32_t value = xmlGetAttrInt(anchor, nullptr, distance.attribute, &present);
        if (present == 1) appendToShapeText(properties, "{\\sp{\\sn %s}{\\sv %d}}", distance.property, value);
    }
    if (booleanAttribute(anchor, "hidden") == 1) appendToShapeText(properties, "{\\sp{\\sn fHidden}{\\sv 1}}");
    if (booleanAttribute(anchor, "layoutInCell") == 1)
        appendToShapeText(properties, "{\\sp{\\sn fLayoutInCell}{\\sv 1}}");
    if (booleanAttribute(anchor, "locked") == 1) appendToShapeText(instance, "\\shplockanchor");
    if (booleanAttribute(anchor, "simplePos") == 1) {
        appendToShapeText(instance, "\\shpbypage\\shpbxpage");
        useSimplePosition = true;
    }
}

// wp:positionH or wp:positionV: the anchor's relation, an alignment, and an offset in EMU.
void ContainerWalk::anchorPosition(xmlNode* position, bool horizontal, std::int32_t& offset) {
    if (const std::optional<std::string> relation = attribute(position, "relativeFrom")) {
        if (horizontal) {
            horizontalAnchorKeyword(relation->c_str(), instance, properties);
        } else {
            verticalAnchorKeyword(relation->c_str(), instance, properties);
        }
    }
    for (xmlNode* child = position->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "wp", "align")) {
            const std::string align = textOf(child);
            if (horizontal) {
                horizontalAlignProperty(align.c_str(), properties);
            } else {
                verticalAlignProperty(align.c_str(), properties);
            }
        } else if (xmlIsElement(child, "wp", "posOffset") || xmlIsElement(child, "wp", "offset")) {
            offset += integerText(child) / kEmuPerTwip;
        }
    }
}

std::int16_t ContainerWalk::graphicContent(xmlNode* graphic) {
    xmlNode* data = xmlFirstElementChild(graphic);
    if (!xmlIsElement(data, "a", "graphicData")) return 0;
    if (const xmlNode* textBox = drawingTextBox(data)) {
        if (const std::optional<std::string> name = drawingTextBoxName(textBox)) {
            drawingTextBoxContent(*name);
            return 1;
        }
    }
    const std::optional<std::string> uri = attribute(data, "uri");
    if (!uri) return 0;
    if (uri->find("picture") != std::string::npos) {
        const std::int16_t before = pictureCount;
        blipPibProperty(data);
        if (pictureCount == before) return 0;
        if (!inlineFlag) appendToShapeText(properties, "{\\sp{\\sn shapeType}{\\sv %d}}", kPictureFrameShape);
        return 1;
    }
    // Diagrams and charts add nothing to the shape.
    if (uri->find("diagram") != std::string::npos) diagramLayoutReadable(data, package);
    return 0;
}

// An empty pib value for each embedded blip of the graphic's picture; the RTF writer fills it.
void ContainerWalk::blipPibProperty(xmlNode* graphicData) {
    xmlNode* pic = xmlFirstElementChild(graphicData);
    if (!xmlIsElement(pic, "pic", "pic")) return;
    for (xmlNode* fill = pic->children; fill != nullptr; fill = fill->next) {
        if (!xmlIsElement(fill, "pic", "blipFill")) continue;
        for (xmlNode* blip = fill->children; blip != nullptr; blip = blip->next) {
            if (!xmlIsElement(blip, "a", "blip") || !attribute(blip, "embed")) continue;
            appendToShapeText(properties, "{\\sp{\\sn pib}{\\sv }}");
            countPicture();
        }
    }
}

void ContainerWalk::frameLocks(xmlNode* framePr) {
    for (xmlNode* child = framePr->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "a", "graphicFrameLocks")) frameLockProperties(child, properties);
    }
}

void ContainerWalk::headerFooterKeyword(xmlNode* element) {
    const bool inHeaderOrFooter =
        xmlNextElement(element, "w", "hdr") != nullptr || xmlNextElement(element, "w", "ftr") != nullptr;
    appendToShapeText(instance, inHeaderOrFooter ? "\\shpfhdr1" : "\\shpfhdr0");
}

void ContainerWalk::closeShape() {
    instance.append(properties.view());
    instance.append(pictureText.view());
    properties.clear();
    pictureText.clear();
    appendToShapeText(instance, "}}");
}

// ---- VML ----

// Every v:group child becomes a group of its own (the container's leading group in practice); every
// other child a shape, or nothing when it draws none.
void ContainerWalk::translateVmlShapes(xmlNode* parent) {
    bool lastHadTextpath = false;
    for (xmlNode* child = parent->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        if (xmlIsElement(child, "v", "group")) {
            translateVmlGroup(child);
        } else {
            translateVmlChild(child, lastHadTextpath);
        }
    }
}

void ContainerWalk::translateVmlGroup(xmlNode* group) {
    appendToShapeText(instance, "{\\shpgrp{\\*\\shpinst");
    headerFooterKeyword(group);
    vmlGroupAttributes(group);
    ++groupLevel;
    instance.append(properties.view());
    properties.clear();
    translateVmlShapes(group);
    --groupLevel;
    appendToShapeText(instance, "}}");
    properties.clear();
}

void ContainerWalk::translateVmlChild(xmlNode* child, bool& lastHadTextpath) {
    const std::int32_t start = instance.length();
    if (!inlineFlag) {
        appendToShapeText(instance, "{\\shp{\\*\\shpinst\\shplid%d", shapeId(picture));
        if (groupLevel == 0) headerFooterKeyword(child);
    } else {
        appendToShapeText(instance, "{\\pict");
    }
    bool isShape = true;
    if (xmlIsElement(child, "v", "shape")) {
        lastHadTextpath = vmlShapeAttributes(child, -1) == 1;
    } else if (xmlIsElement(child, "v", "line")) {
        vmlShapeOfType(child, kLineShape);
        lineEnds(child);
    } else if (xmlIsElement(child, "v", "polyline")) {
        vmlShapeOfType(child, 0);
        polylineVertices(child);
    } else if (xmlIsElement(child, "v", "rect")) {
        vmlShapeOfType(child, 1);
    } else if (xmlIsElement(child, "v", "roundrect")) {
        vmlShapeOfType(child, 2);
    } else if (xmlIsElement(child, "v", "oval")) {
        vmlShapeOfType(child, 3);
    } else {
        if (xmlIsElement(child, "w", "binData")) countPicture();
        isShape = false;
    }
    if (!isShape) {
        instance.cutBack(start);
        return;
    }
    if (inlineFlag) {
        appendToShapeText(instance, "{\\*\\picprop");
        if (lastHadTextpath) appendToShapeText(instance, "\\defshp");
    }
    closeShape();
}

void ContainerWalk::vmlGroupAttributes(xmlNode* group) {
    AnchorFlags anchors;
    if (const std::optional<std::string> style = attribute(group, "style"))
        translateVmlStyle(style->c_str(), instance, properties, anchors, frame, groupLevel != 0 ? 1 : 0);
    if (const std::optional<std::string> origin = attribute(group, "coordorigin")) {
        const GroupOrigin start = groupOriginProperties(origin->c_str(), properties);
        if (const std::optional<std::string> size = attribute(group, "coordsize"))
            groupSizeProperties(size->c_str(), properties, start);
    }
    // A group on the page wraps the text as its own wrap element says, as a shape does; a group inside
    // a group has no wrap of its own.
    bool wroteWrap = false;
    bool wroteSide = false;
    if (groupLevel == 0) {
        bool verticalSet = anchors.vertical != 0;
        bool horizontalSet = anchors.horizontal != 0;
        for (xmlNode* child = group->children; child != nullptr; child = child->next)
            if (xmlIsElement(child, "w10", "wrap")) vmlWrap(child, verticalSet, horizontalSet, wroteWrap, wroteSide);
    }
    if (!wroteWrap) appendToShapeText(instance, groupLevel == 0 && inLineOfText(group) ? "\\shpwr1" : "\\shpwr3");
    if (!wroteSide) appendToShapeText(instance, "\\shpwrk0");
}

std::int16_t ContainerWalk::vmlShapeOfType(xmlNode* shape, std::int16_t shapeType) {
    appendToShapeText(properties, "{\\sp{\\sn shapeType}{\\sv %d}}", shapeType);
    return vmlShapeAttributes(shape, shapeType);
}

std::int16_t ContainerWalk::vmlShapeAttributes(xmlNode* shape, std::int16_t shapeType) {
    bool verticalSet = false;
    bool horizontalSet = false;
    const bool inlineStyle = vmlShapeStyle(shape, shapeType, verticalSet, horizontalSet);
    bool wroteWrap = false;
    bool wroteSide = false;
    const std::int16_t hasTextpath = vmlShapeChildren(shape, shapeType, verticalSet, horizontalSet, wroteWrap, wroteSide);
    if (groupLevel == 0 && !inlineStyle) {
        // A shape its style leaves in the line of text keeps that line to itself once it is written as
        // a floating shape (wrap above and below); only a shape placed absolutely lets the text run
        // through it.
        if (!wroteWrap) appendToShapeText(instance, inLineOfText(shape) ? "\\shpwr1" : "\\shpwr3");
        if (!wroteSide) appendToShapeText(instance, "\\shpwrk0");
    }
    static constexpr struct {
        const char* attribute;
        const char* property;
    } kLayoutFlags[] = {{"allowincell", "fLayoutInCell"}, {"allowoverlap", "fAllowOverlap"}};
    for (const auto& flag : kLayoutFlags) {
        const std::optional<std::string> value = attribute(shape, flag.attribute);
        appendToShapeText(properties, "{\\sp{\\sn %s}{\\sv %d}}", flag.property, value && *value == "f" ? 0 : 1);
    }
    vmlShapeColours(shape, shapeType);
    if (inlineStyle && shapeType == kPictureFrameShape) pictureCount = kPlainPicture;
    return hasTextpath;
}

// The shape's type reference, style and horizontal-rule attributes; true when the style puts the shape
// in the line of text.
bool ContainerWalk::vmlShapeStyle(xmlNode* shape, std::int16_t& shapeType, bool& verticalSet, bool& horizontalSet) {
    if (shapeType == -1) {
        if (const std::optional<std::string> type = attribute(shape, "type")) {
            const std::int32_t number = shapeTypeProperty(type->c_str(), properties);
            if (number >= 0 && number <= INT16_MAX) shapeType = static_cast<std::int16_t>(number);
        }
    }
    if (const std::optional<std::string> adjust = attribute(shape, "adj")) adjustValueProperties(adjust->c_str(), properties);
    const std::optional<std::string> style = attribute(shape, "style");
    bool inlineStyle = false;
    if (style) {
        AnchorFlags anchors;
        inlineStyle = translateVmlStyle(style->c_str(), instance, properties, anchors, frame, groupLevel != 0 ? 1 : 0) == 1;
        verticalSet = anchors.vertical != 0;
        horizontalSet = anchors.horizontal != 0;
    }
    if (const std::optional<std::string> coords = attribute(shape, "wrapcoords"))
        wrapPolygonProperty(coords->c_str(), properties);
    if (const std::optional<std::string> percent = attribute(shape, "hrpct"))
        rulePercentProperty(percent->c_str(), properties);
    if (const std::optional<std::string> align = attribute(shape, "hralign")) ruleAlignProperty(align->c_str(), properties);
    if (const std::optional<std::string> rule = attribute(shape, "hr")) {
        if (horizontalRuleFlag(rule->c_str(), properties) == 1) {
            shapeType = 1;
            if (style) horizontalRuleSize(style->c_str(), properties);
            if (const std::optional<std::string> standard = attribute(shape, "hrstd"))
                ruleStandardFlag(standard->c_str(), properties);
        }
    }
    if (const std::optional<std::string> noShade = attribute(shape, "hrnoshade")) {
        ruleNoShadeFlag(noShade->c_str(), properties);
    } else {
        appendToShapeText(properties, "{\\sp{\\sn fNoshadeHR}{\\sv 0}}");
    }
    return inlineStyle;
}

std::int16_t ContainerWalk::vmlShapeChildren(xmlNode* shape, std::int16_t shapeType, bool& verticalSet,
                                             bool& horizontalSet, bool& wroteWrap, bool& wroteSide) {
    std::int16_t hasTextpath = 0;
    for (xmlNode* child = shape->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w10", "wrap")) {
            vmlWrap(child, verticalSet, horizontalSet, wroteWrap, wroteSide);
        } else if (xmlIsElement(child, "w10", "anchorlock")) {
            appendToShapeText(instance, "\\shplockanchor");
        } else if (xmlIsElement(child, "o", "lock")) {
            const std::optional<std::string> aspect = attribute(child, "aspectratio");
            if (aspect && *aspect == "t") appendToShapeText(properties, "{\\sp{\\sn fLockAspectRatio}{\\sv 1}}");
        } else if (xmlIsElement(child, "v", "imagedata")) {
            vmlImagedata(child);
        } else if (xmlIsElement(child, "w", "binData")) {
            countPicture();
        } else if (xmlIsElement(child, "v", "fill")) {
            vmlFill(child, shapeType);
        } else if (xmlIsElement(child, "v", "stroke")) {
            vmlStroke(child);
        } else if (xmlIsElement(child, "v", "textpath")) {
            vmlTextpath(child);
            hasTextpath = 1;
        } else if (xmlIsElement(child, "v", "shadow")) {
            vmlShadow(child);
        } else if (xmlIsElement(child, "v", "textbox")) {
            vmlTextbox(child);
        }
    }
    return hasTextpath;
}

void ContainerWalk::vmlWrap(xmlNode* wrap, bool& verticalSet, bool& horizontalSet, bool& wroteWrap, bool& wroteSide) {
    if (const std::optional<std::string> type = attribute(wrap, "type"))
        wroteWrap = wrapTypeKeyword(type->c_str(), instance) == 1 || wroteWrap;
    if (const std::optional<std::string> side = attribute(wrap, "side"))
        wroteSide = wrapSideKeyword(side->c_str(), instance) == 1 || wroteSide;
    if (!horizontalSet) {
        if (const std::optional<std::string> anchor = attribute(wrap, "anchorx")) {
            horizontalAnchorKeyword(anchor->c_str(), instance, properties);
        } else {
            appendToShapeText(instance, "\\shpbxcolumn");
        }
    }
    if (!verticalSet) {
        if (const std::optional<std::string> anchor = attribute(wrap, "anchory")) {
            verticalAnchorKeyword(anchor->c_str(), instance, properties);
        } else {
            appendToShapeText(instance, "\\shpbypara");
        }
    }
    verticalSet = false;
    horizontalSet = false;
}

void ContainerWalk::vmlShapeColours(xmlNode* shape, std::int16_t shapeType) {
    if (const std::optional<std::string> colour = attribute(shape, "strokecolor"))
        colorProperty(colour->c_str(), properties, color_kind::kLine);
    static constexpr struct {
        const char* attribute;
        const char* property;
    } kSwitches[] = {{"stroked", "fLine"}, {"filled", "fFilled"}};
    for (const auto& entry : kSwitches) {
        const std::optional<std::string> value = attribute(shape, entry.attribute);
        if (value && (*value == "t" || *value == "f"))
            appendToShapeText(properties, "{\\sp{\\sn %s}{\\sv %d}}", entry.property, *value == "t" ? 1 : 0);
    }
    if (const std::optional<std::string> colour = attribute(shape, "fillcolor"))
        colorProperty(colour->c_str(), properties, shapeType);
    if (const std::optional<std::string> weight = attribute(shape, "strokeweight"))
        lineWidthProperty(weight->c_str(), properties);
    if (const std::optional<std::string> size = attribute(shape, "coordsize")) geometryProperties(size->c_str(), properties);
}

// "points": x,y pairs; the shape's rectangle is their bounding box and each vertex lies relative to it.
void ContainerWalk::polylineVertices(xmlNode* shape) {
    const std::optional<std::string> points = attribute(shape, "points");
    if (!points || points->find(',') == std::string::npos) return;
    const std::vector<std::string> values = splitAtCommas(*points);
    const std::size_t count = values.size() / 2;
    std::vector<std::int32_t> xs;
    std::vector<std::int32_t> ys;
    std::int32_t lowX = 20000;
    std::int32_t lowY = 20000;
    std::int32_t highX = 0;
    std::int32_t highY = 0;
    for (std::size_t i = 0; i < count; ++i) {
        xs.push_back(twipsOf(values[2 * i]));
        ys.push_back(twipsOf(values[2 * i + 1]));
        lowX = std::min(lowX, xs.back());
        highX = std::max(highX, xs.back());
        lowY = std::min(lowY, ys.back());
        highY = std::max(highY, ys.back());
    }
    shapeRectangleOutput(instance, properties, groupLevel, lowX, lowY, highX, highY);
    appendToShapeText(properties, "{\\sp{\\sn pVerticies}{\\sv 8;%d", static_cast<int>(count));
    for (std::size_t i = 0; i < count; ++i)
        appendToShapeText(properties, ";(%d,%d)", xs[i] - lowX, ys[i] - lowY);
    appendToShapeText(properties, "}}");
}

// "from" and "to", each "x,y": the line's rectangle runs from the one to the other, unsorted.
void ContainerWalk::lineEnds(xmlNode* shape) {
    std::int32_t ends[4] = {0, 0, 0, 0};
    const char* names[2] = {"from", "to"};
    for (int i = 0; i < 2; ++i) {
        const std::optional<std::string> end = attribute(shape, names[i]);
        if (!end) continue;
        const std::vector<std::string> pair = splitAtCommas(*end);
        ends[2 * i] = twipsOf(pair[0]);
        if (pair.size() > 1) ends[2 * i + 1] = twipsOf(pair[1]);
    }
    shapeRectangleOutput(instance, properties, groupLevel, ends[0], ends[1], ends[2], ends[3]);
}

void ContainerWalk::vmlFill(xmlNode* fill, std::int16_t shapeType) {
    if (beginsWithT(attribute(fill, "on"))) appendToShapeText(properties, "{\\sp{\\sn fFilled}{\\sv 1}}");
    const std::optional<std::string> type = attribute(fill, "type");
    if (type) fillTypeProperty(type->c_str(), properties);
    if (attribute(fill, "src")) {
        const std::optional<std::string> kind = type ? type : attribute(fill, "filltype");
        if (kind && *kind == "pattern")
            appendToShapeText(properties, shapeType == kLineShape ? "{\\sp{\\sn lineFillBlip}{\\sv }}"
                                                                  : "{\\sp{\\sn fillBlip}{\\sv }}");
    }
    if (const auto value = attribute(fill, "opacity")) opacityProperty(value->c_str(), properties, color_kind::kFill);
    if (const auto value = attribute(fill, "opacity2")) opacityProperty(value->c_str(), properties, color_kind::kFillBack);
    if (const auto value = attribute(fill, "color")) colorProperty(value->c_str(), properties, color_kind::kFill);
    if (const auto value = attribute(fill, "color2")) colorProperty(value->c_str(), properties, color_kind::kFillBack);
    if (const auto value = attribute(fill, "focus")) fillFocusProperty(value->c_str(), properties);
    if (const auto value = attribute(fill, "angle")) fillAngleProperty(value->c_str(), properties);
    if (const auto value = attribute(fill, "colors")) shadeColorsProperty(value->c_str(), properties);
}

void ContainerWalk::vmlStroke(xmlNode* stroke) {
    if (beginsWithT(attribute(stroke, "on"))) appendToShapeText(properties, "{\\sp{\\sn fLine}{\\sv 1}}");
    if (const auto value = attribute(stroke, "weight")) lineWidthProperty(value->c_str(), properties);
    if (const auto value = attribute(stroke, "color")) colorProperty(value->c_str(), properties, color_kind::kLine);
    if (const auto value = attribute(stroke, "color2")) colorProperty(value->c_str(), properties, color_kind::kLineBack);
    if (const auto value = attribute(stroke, "linestyle")) lineStyleProperty(value->c_str(), properties);
    if (const auto value = attribute(stroke, "endcap")) lineEndCapProperty(value->c_str(), properties);
    if (const auto value = attribute(stroke, "dashstyle")) lineDashingProperty(value->c_str(), properties);
    if (const auto value = attribute(stroke, "startarrow")) arrowheadProperty(value->c_str(), properties, kArrowStart);
    if (const auto value = attribute(stroke, "endarrow")) arrowheadProperty(value->c_str(), properties, kArrowEnd);
    if (const auto value = attribute(stroke, "startarrowwidth")) arrowWidthProperty(value->c_str(), properties, kArrowStart);
    if (const auto value = attribute(stroke, "endarrowwidth")) arrowWidthProperty(value->c_str(), properties, kArrowEnd);
    if (const auto value = attribute(stroke, "startarrowlength")) arrowLengthProperty(value->c_str(), properties, kArrowStart);
    if (const auto value = attribute(stroke, "endarrowlength")) arrowLengthProperty(value->c_str(), properties, kArrowEnd);
    if (const auto value = attribute(stroke, "filltype")) lineFillTypeProperty(value->c_str(), properties);
}

void ContainerWalk::vmlShadow(xmlNode* shadow) {
    if (beginsWithT(attribute(shadow, "on"))) appendToShapeText(properties, "{\\sp{\\sn fShadow}{\\sv 1}}");
    if (const auto value = attribute(shadow, "type")) shadowTypeProperty(value->c_str(), properties);
    if (const auto value = attribute(shadow, "origin")) shadowOriginProperties(value->c_str(), properties);
    if (const auto value = attribute(shadow, "color")) colorProperty(value->c_str(), properties, color_kind::kShadow);
    if (const auto value = attribute(shadow, "color2")) colorProperty(value->c_str(), properties, color_kind::kShadowHighlight);
    if (const auto value = attribute(shadow, "opacity")) opacityProperty(value->c_str(), properties, color_kind::kShadow);
    if (const auto value = attribute(shadow, "offset"))
        pointPairProperties(value->c_str(), properties, "shadowOffset", LengthUnit::emu);
    if (const auto value = attribute(shadow, "offset2"))
        pointPairProperties(value->c_str(), properties, "shadowSecondOffset", LengthUnit::emu);
    if (const auto value = attribute(shadow, "matrix")) shadowMatrixProperties(value->c_str(), properties);
}

void ContainerWalk::vmlTextpath(xmlNode* textpath) {
    bool wrote = false;
    if (const auto style = attribute(textpath, "style")) wrote = wordArtStyleProperties(style->c_str(), properties) == 1;
    static constexpr struct {
        const char* attribute;
        const char* property;
    } kFlags[] = {{"fitpath", "gtextFBestFit"},
                  {"fitshape", "gtextFStretch"},
                  {"trim", "gtextFShrinkFit"},
                  {"xscale", "gtextFDxMeasure"}};
    for (const auto& flag : kFlags) {
        if (!beginsWithT(attribute(textpath, flag.attribute))) continue;
        appendToShapeText(properties, "{\\sp{\\sn %s}{\\sv 1}}", flag.property);
        wrote = true;
    }
    if (const auto text = attribute(textpath, "string")) {
        appendProperty(properties, "gtextUNICODE", std::string_view(*text));
        wrote = true;
    }
    if (wrote) appendToShapeText(properties, "{\\sp{\\sn fGtext}{\\sv 1}}");
}

void ContainerWalk::vmlImagedata(xmlNode* imagedata) {
    if (attribute(imagedata, "src")) appendToShapeText(properties, "{\\sp{\\sn pib}{\\sv }}");
    if (attribute(imagedata, "id")) {
        appendToShapeText(properties, "{\\sp{\\sn pib}{\\sv }}");
        countPicture();
    }
    static constexpr struct {
        const char* attribute;
        const char* property;
        std::int32_t LongRect::*side;
    } kCrops[] = {{"cropleft", "cropFromLeft", &LongRect::left},
                  {"cropright", "cropFromRight", &LongRect::right},
                  {"croptop", "cropFromTop", &LongRect::top},
                  {"cropbottom", "cropFromBottom", &LongRect::bottom}};
    for (const auto& entry : kCrops) {
        const std::optional<std::string> value = attribute(imagedata, entry.attribute);
        if (!value) continue;
        const std::optional<ConvertedLength> fixed = lengthToFixedText(value->c_str());
        if (!fixed) continue;
        appendProperty(properties, entry.property, std::string_view(fixed->text));
        crop.*entry.side = fixed->value;
    }
    static constexpr struct {
        const char* attribute;
        const char* property;
    } kTones[] = {{"blacklevel", "pictureBrightness"}, {"gain", "pictureContrast"}};
    for (const auto& tone : kTones) {
        const std::optional<std::string> value = attribute(imagedata, tone.attribute);
        if (!value) continue;
        if (const std::optional<ConvertedLength> fixed = lengthToFixedText(value->c_str()))
            appendProperty(properties, tone.property, std::string_view(fixed->text));
    }
    if (beginsWithT(attribute(imagedata, "grayscale"))) appendToShapeText(properties, "{\\sp{\\sn pictureGray}{\\sv 1}}");
    if (beginsWithT(attribute(imagedata, "bilevel"))) appendToShapeText(properties, "{\\sp{\\sn pictureBiLevel}{\\sv 1}}");
}

// A drawing's text box is a text-box shape whose text, like a VML text box's, the RTF writer puts in
// the marker's place.
void ContainerWalk::drawingTextBoxContent(const std::string& name) {
    appendToShapeText(properties, "{\\sp{\\sn shapeType}{\\sv %d}}", kTextBoxShape);
    appendToShapeText(properties, "{\\sp{\\sn lTxid}{\\sv %d}}", randomInRange(kLowestTextBoxId, kHighestTextBoxId));
    textBoxMarker(name);
}

// A name that holds the marker's end would end the marker early and let the rest of the name stand in
// the RTF as it is: such a text box is not placed.
void ContainerWalk::textBoxMarker(const std::string& name) {
    if (name.find(kTextBoxMarkerEnd) != std::string::npos) return;
    appendToShapeText(pictureText, " %s%s%s", kTextBoxMarkerStart.data(), name.c_str(), kTextBoxMarkerEnd.data());
}

// The text box's id goes between two markers into the picture text; the RTF writer puts the text
// box's content in their place.
void ContainerWalk::vmlTextbox(xmlNode* textbox) {
    appendToShapeText(properties, "{\\sp{\\sn lTxid}{\\sv %d}}", randomInRange(kLowestTextBoxId, kHighestTextBoxId));
    if (const auto style = attribute(textbox, "style")) textBoxStyleProperties(style->c_str(), properties, picture.fLink);
    if (const auto inset = attribute(textbox, "inset")) textInsetProperties(inset->c_str(), properties);
    const xmlNode* shape = enclosingVmlShape(textbox);
    if (shape == nullptr) return;
    if (const auto id = attribute(shape, "id")) textBoxMarker(*id);
}
