#pragma once
// What the picture and shape tests of the RTF writer share: an emitter writing into a string, whose
// placer writes a text box as "{\shptxt <name>}" so the place it lands in shows, and pictures made with
// their own bytes and shape text.
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "foundation/memory/Memory.h"
#include "model/CPicture.h"
#include "tests/export/rtf/RTFCaptureEmitter.h"

namespace rtftest {

// Gives the picture its own copy of the bytes (bytes of the memory layer, which the picture frees).
inline void setBytes(CPicture& picture, const std::string& bytes) {
    picture.fPicData = static_cast<std::uint8_t*>(allocMemory(static_cast<std::int32_t>(bytes.size())));
    if (picture.fPicData == nullptr) throw std::bad_alloc();
    std::memcpy(picture.fPicData, bytes.data(), bytes.size());
    picture.fPicLength = static_cast<std::int32_t>(bytes.size());
}
inline void setShapeText(CPicture& picture, const std::string& text) {
    picture.fRtfData = static_cast<std::uint8_t*>(allocMemory(static_cast<std::int32_t>(text.size())));
    if (picture.fRtfData == nullptr) throw std::bad_alloc();
    std::memcpy(picture.fRtfData, text.data(), text.size());
    picture.fRtfLength = static_cast<std::int32_t>(text.size());
    picture.fFlag = 1;
}
// A picture of the type whose frame and natural size are both width x height twips.
inline void setPicture(CPicture& picture, std::int16_t type, std::int32_t width, std::int32_t height) {
    picture.fType = type;
    picture.fRect = {0, 0, height, width};
    picture.fOriginalRect = {0, 0, height, width};
}

// Writes a text box as "{\shptxt <name>}" through the emitter, so the place it lands in shows.
class TextBoxPlacer : public StillPlacer {
public:
    void writeGraphic(const char* name) override {
        emitter->writeFormat("{\\shptxt %s}", name);
        names.emplace_back(name);
    }
    CRTFFile* emitter = nullptr;
    std::vector<std::string> names;
};

class PictureEmitterFixture : public ::testing::Test {
protected:
    PictureEmitterFixture() {
        initXParamBlock(nullptr, &block);
        emitter = new CaptureEmitter(&block, &placer);
        placer.emitter = emitter;
    }
    ~PictureEmitterFixture() override {
        delete emitter;
        disposeXParamBlock(&block);
    }

    std::string written(const CPicture& picture) {
        emitter->writePicture(&picture);
        return emitter->take();
    }

    TemporaryFilesScope temporaryFiles;
    XParamBlock block{};
    TextBoxPlacer placer;
    CaptureEmitter* emitter = nullptr;
};

}  // namespace rtftest
