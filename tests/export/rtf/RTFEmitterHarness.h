#pragma once
// An emitter writing straight into an output file, for tests of single writers: its placer records the
// header and footer calls and holds the table counters the test sets, and borders and colours are
// written as marks (a border as "<border N>" with its style, a colour index 1 for black, 8 for white,
// 2 for any other colour and none for the automatic colour), so the writers' own words stand out.
#include <cstdint>
#include <memory>
#include <string>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/RTFStoryPlacer.h"
#include "foundation/files/CFile.h"
#include "model/params/XParamBlock.h"
#include "tests/export/rtf/RTFTestSupport.h"

namespace rtftest {

class FakePlacer : public RTFStoryPlacer {
public:
    std::int16_t depth = 1;
    std::int32_t rowIndex = 0;
    std::int32_t rowCount = 1;
    CRTFFile* emitter = nullptr;

    void nextTableRow() override { ++rowIndex; }
    std::int32_t tableRowIndex() override { return rowIndex; }
    std::int16_t tableDepth() override { return depth; }
    std::int32_t tableRowCount() override { return rowCount; }
    std::int16_t needsFacingHeaders(const XPage& page) override;
    void writeHeaders(const XPage& page, std::int16_t facing) override;
    void writeFooters(const XPage& page, std::int16_t facing) override;
    void writeHeader(std::int32_t, std::int16_t) override {}
    void writeFooter(std::int32_t, std::int16_t) override {}
    void writeNextComment() override {}
    void writeNextFootnote() override {}
    void writeNextEndnote() override {}
    void writeGraphic(const char*) override {}
    void writeTable(std::int32_t) override {}
};

class MarkingEmitter : public CRTFFile {
public:
    using CRTFFile::CRTFFile;
    void writeBorder(const BorderSpec& border) override;
    void writeArtBorder(const BorderSpec& border, std::int16_t art) override;
    std::int16_t colorIndex(const RGBColor& color) override;
};

class EmitterHarness {
public:
    EmitterHarness();
    ~EmitterHarness();
    EmitterHarness(const EmitterHarness&) = delete;
    EmitterHarness& operator=(const EmitterHarness&) = delete;

    CRTFFile& emitter() { return *emitterObject; }
    // What the writers wrote since the last call.
    std::string taken();

    XParamBlock block{};
    FakePlacer placer;

private:
    TemporaryFilesScope temporaryFiles;
    std::string outputPath;
    std::unique_ptr<CFile> output;
    std::unique_ptr<CRTFFile> emitterObject;
    std::size_t consumed = 0;
};

}  // namespace rtftest
