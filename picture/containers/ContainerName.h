#pragma once
// The name of the picture a container holds, by which the text finds it again (the picture table of
// the importer is keyed by it):
//   w:pict, w:object   a leading v:group's "id" and nothing else; otherwise the "id" of the first
//                      v:shape, v:line, v:polyline, v:curve, v:rect, v:roundrect, v:oval, v:arc or
//                      v:image child that has one; else of the first w:binData child that has one
//   w:drawing          the "id" of the wp:docPr of its wp:anchor or wp:inline child
// No value when the container names nothing.
#include <libxml/tree.h>

#include <optional>
#include <string>

std::optional<std::string> vmlContainerKind(const xmlNode* container);

// 1 for the VML elements that draw a shape of their own (v:shape, v:line ... v:image, as above).
bool isVmlShapeElement(const xmlNode* node);

// The text box (wps:txbx) of a drawing's shape that stands alone in its graphic (a:graphicData/wps:wsp),
// or null: a shape inside a group is not drawn as a shape of its own.
const xmlNode* drawingTextBox(const xmlNode* graphicData);
// The name that ties a drawing's text box to its story: "drawing" and the drawing's id (wp:docPr), kept
// apart from the ids of VML shapes. No value when the drawing names nothing.
std::optional<std::string> drawingTextBoxName(const xmlNode* textBox);
