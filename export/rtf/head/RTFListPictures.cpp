// The picture bullets of the list table: "{\*\listpicture", each bullet's picture in array order, "}".
// Nothing at all is written when the document has none.
#include "export/rtf/CRTFFile.h"
#include "model/params/XParamBlock.h"
#include "model/tables/ListRecords.h"

void CRTFFile::writeListPictures() {
    const std::int32_t count =
        clampListCount(block->listPicCount, block->listPics, static_cast<std::int32_t>(sizeof(XListPic)));
    if (count <= 0) return;
    writeFormat("{\\*\\listpicture");
    for (std::int32_t i = 0; i < count; ++i) writePicture(block->listPics[i].picture);
    writeFormat("}");
}
