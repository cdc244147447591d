#include "tests/export/rtf/RTFEmitterHarness.h"

#include "model/records/ValueRecords.h"
#include "model/records/section/XPage.h"
#include "tests/support/FileBytes.h"

namespace rtftest {

std::int16_t FakePlacer::needsFacingHeaders(const XPage& page) {
    return page.evenHeaderRef != 0 ? 1 : 0;
}

void FakePlacer::writeHeaders(const XPage& page, std::int16_t facing) {
    emitter->writeFormat("<headers %d facing %d>", page.defaultHeaderRef, facing);
}

void FakePlacer::writeFooters(const XPage& page, std::int16_t facing) {
    emitter->writeFormat("<footers %d facing %d>", page.defaultFooterRef, facing);
}

void MarkingEmitter::writeBorder(const BorderSpec& border) {
    writeFormat("<border %d>", border.borderType);
}

void MarkingEmitter::writeArtBorder(const BorderSpec& border, std::int16_t art) {
    writeFormat("<art %d size %d>", art, border.borderSize);
}

std::int16_t MarkingEmitter::colorIndex(const RGBColor& color) {
    const auto same = [&color](const RGBColor& other) {
        return color.red == other.red && color.green == other.green && color.blue == other.blue;
    };
    if (same(kAutoColor)) return -1;
    if (same(kBlack)) return 1;
    if (same(kWhite)) return 8;
    return 2;
}

EmitterHarness::EmitterHarness() : outputPath(temporaryFiles.folder().file("out.rtf")) {
    testsupport::writeBytes(outputPath, "");
    initXParamBlock(nullptr, &block);
    PascalWString path;
    assignCString(path, outputPath.c_str());
    output = std::make_unique<CFile>(path, 0, 0, 0, 0, kGenericRead | kGenericWrite, kGenericRead | kGenericWrite);
    output->open();
    emitterObject = std::make_unique<MarkingEmitter>(&block, output.get(), &placer);
    placer.emitter = emitterObject.get();
    emitterObject->writeDocumentStart();
    taken();
}

EmitterHarness::~EmitterHarness() {
    emitterObject.reset();
    output->close();
    disposeXParamBlock(&block);
}

std::string EmitterHarness::taken() {
    emitterObject->flush();
    const std::string all = testsupport::readBytes(outputPath);
    const std::string fresh = all.substr(consumed);
    consumed = all.size();
    return fresh;
}

}  // namespace rtftest
