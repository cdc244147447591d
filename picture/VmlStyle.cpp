#include "picture/VmlStyle.h"

std::int16_t translateVmlStyle(const char*, ShapeText&, ShapeText&, AnchorFlags&, LongRect&, std::int16_t) {
    return 0;
}
std::int16_t isInlineVmlStyle(const char*) {
    return 0;
}
std::int16_t vmlNodeKind(const xmlNode*) {
    return 0;
}
xmlNode* enclosingVmlShape(const xmlNode*) {
    return nullptr;
}
void vmlNodeHook(const xmlNode*, ShapeText&) {}
