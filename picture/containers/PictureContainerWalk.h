#pragma once
// The walk over one picture container of a WordprocessingML document, which turns it into a finished
// CPicture: either a plain picture (bytes, type, frame and natural size; no shape text) or the RTF
// shape text of a drawing with the picture bytes it refers to.
//
//   w:drawing / wp:inline      a plain picture, framed by wp:extent
//   w:drawing / wp:anchor      {\shp{\*\shpinst\shplid<id>\shpfhdr0 <wrap, anchor, position keywords>
//                                <properties> {\sp{\sn pib}{\sv }} {\sp{\sn shapeType}{\sv 75}}}}
//   w:pict, w:object (VML)     one {\shp ...} per shape child, {\shpgrp ...} around a v:group's
//                              members; an inline picture shape (type 75) becomes a plain picture
//
// Three texts are built: the shape-instance text (the shape or group being built; the object takes it
// over as its shape text), the shape-property text of the shape being built, and the picture text (the
// text-box markers " UUTT8SS<id>VV9WW", which the RTF writer replaces by the text box's content). The
// empty pib values are filled by the RTF writer with the picture. Single attributes are translated by
// the shape translators (VmlStyle.h, ShapeAnchoring.h, ShapeFillAndLine.h, ShapeLengths.h,
// ShapeAttributes.h); this walk decides which element goes to which translator, in which order.
#include <libxml/tree.h>

#include <cstdint>

class CPicture;
class CRelationshipsTable;

// Fills a fresh picture from the container; its name is the container's (when it names one). Lack of
// memory raises CFail 12 in unit "BPicture".
void translatePictureContainer(CPicture& picture, xmlNode* container, CRelationshipsTable* package);

// 1 when the container is laid out in the line of text: a w:drawing whose first child is wp:inline, a
// w:pict or w:object whose first shape has an inline style (never one led by a v:group).
std::int16_t isInline(const xmlNode* container);
