#include "tests/export/rtf/RTFCaptureEmitter.h"

#include <cstring>

#include "model/params/ParamBlockTables.h"
#include "model/tables/CFontArray.h"

namespace rtftest {

CaptureFixture::CaptureFixture() {
    initXParamBlock(nullptr, &block);
    for (const RGBColor& color : {kBlack, kWhite, kRed}) addColor(&color, &block);
    for (const char* name : {"Times", "Arial"}) addFontByName(name, &block);
    numberFonts(&block);
    addAuthor("Ann", &block);
    emitter = new CaptureEmitter(&block, &placer);
}

CaptureFixture::~CaptureFixture() {
    delete emitter;
    disposeXParamBlock(&block);
}

std::int16_t CaptureFixture::fontId(const char* name) const {
    return block.fonts->findByName(name);
}

}  // namespace rtftest
