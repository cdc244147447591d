#pragma once
// A picture built from a picture container of a WordprocessingML document (w:pict, w:object,
// w:drawing): the container walk (PictureContainerWalk.h) turns it into either a plain picture (bytes,
// type, frame and natural size) or the RTF shape text of a drawing with the picture it refers to.
//
// The package is the one being imported, with the relationships of the part holding the container
// loaded (null for a Word 2003 XML document). The picture's name is the container's (ContainerName.h),
// null when it names none. Lack of memory raises CFail 12 in unit "BPicture".
#include <libxml/tree.h>

class CPicture;
class CRelationshipsTable;

// A new picture owned by the caller (released with disposePicture).
CPicture* newPictureFromContainer(xmlNode* container, CRelationshipsTable* package);
