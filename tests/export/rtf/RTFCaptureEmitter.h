#pragma once
// An RTF emitter whose writes land in a string, over a block of its own with a small colour, font and
// author table, for tests of single writers. Its body file goes into the test's temporary-files folder.
#include <cstdint>
#include <functional>
#include <string>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/RTFStoryPlacer.h"
#include "model/params/XParamBlock.h"
#include "tests/export/rtf/RTFTestSupport.h"

namespace rtftest {

// Colours of the capture block, by their index in its colour table.
constexpr RGBColor kRed{65535, 0, 0};
constexpr std::int16_t kBlackIndex = 1;
constexpr std::int16_t kWhiteIndex = 2;
constexpr std::int16_t kRedIndex = 3;

// A placer with no stories, at a table depth the test sets; it counts the notes it was asked for.
class StillPlacer : public RTFStoryPlacer {
public:
    void nextTableRow() override { ++rows; }
    std::int32_t tableRowIndex() override { return rows; }
    std::int16_t tableDepth() override { return depth; }
    std::int32_t tableRowCount() override { return 0; }
    std::int16_t needsFacingHeaders(const XPage&) override { return 0; }
    void writeHeaders(const XPage&, std::int16_t) override {}
    void writeFooters(const XPage&, std::int16_t) override {}
    void writeHeader(std::int32_t, std::int16_t) override {}
    void writeFooter(std::int32_t, std::int16_t) override {}
    void writeNextComment() override { placed += "comment;"; }
    void writeNextFootnote() override {
        placed += "footnote;";
        if (footnote) footnote();
    }
    void writeNextEndnote() override { placed += "endnote;"; }
    void writeGraphic(const char*) override {}
    void writeTable(std::int32_t mark) override { placed += "table " + std::to_string(mark) + ";"; }

    std::int16_t depth = 0;
    std::int32_t rows = 0;
    std::string placed;
    // What writing the next footnote writes, if anything.
    std::function<void()> footnote;
};

class CaptureEmitter : public CRTFFile {
public:
    CaptureEmitter(XParamBlock* block, RTFStoryPlacer* placer) : CRTFFile(block, nullptr, placer) {}
    void writeBytes(const void* bytes, std::int32_t count) override {
        if (count > 0) written.append(static_cast<const char*>(bytes), static_cast<std::size_t>(count));
    }
    // What was written since the last call.
    std::string take() {
        std::string out;
        out.swap(written);
        return out;
    }

private:
    std::string written;
};

// A block with the colours black, white and red (indexes 1 to 3), the fonts "Times" (id 1, RTF number
// 0) and "Arial" (id 2, RTF number 1), and the author "Ann", and an emitter writing into a string.
class CaptureFixture {
public:
    CaptureFixture();
    ~CaptureFixture();
    CaptureFixture(const CaptureFixture&) = delete;
    CaptureFixture& operator=(const CaptureFixture&) = delete;

    // The font id of a name in the block's font table.
    std::int16_t fontId(const char* name) const;

    TemporaryFilesScope temporaryFiles;
    XParamBlock block{};
    StillPlacer placer;
    CaptureEmitter* emitter = nullptr;
};

}  // namespace rtftest
