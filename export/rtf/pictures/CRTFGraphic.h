#pragma once
// The extruder of a graphic story (the text of a text box), with the story name its begin request
// carried: a shape names its text box's story by name.
#include <cstring>

#include "export/rtf/CRTFExtruder.h"
#include "model/params/XParamBlock.h"

class CRTFGraphic : public CRTFExtruder {
public:
    // name: the block's story name, read up to its 0 byte or its field's end.
    CRTFGraphic(CRTFFile* emitter, std::int16_t storySelector, const char (&name)[kStoryNameBytes])
        : CRTFExtruder(emitter, storySelector) {
        std::size_t length = 0;
        while (length < kStoryNameBytes && name[length] != 0) ++length;
        std::memcpy(storyName, name, length);
        storyName[length] = 0;
    }

    const char* name() const { return storyName; }

private:
    char storyName[kStoryNameBytes + 1] = {};
};
