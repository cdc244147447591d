#pragma once
// Stand-in: the picture object that a character record may own. The picture storage work replaces this
// file with the whole picture (name and link texts, picture data, shape text, frame, original and crop
// rectangles, storage form). Until then it holds only what copying and releasing a picture need, so the
// records' ownership rules can be built and tested against it.
#include <cstdint>

#include "foundation/CBase.h"
#include "model/ValueRecords.h"

class CPicture : public CBase {
public:
    CPicture() = default;
    CPicture(const CPicture& other) = default;
    CPicture& operator=(const CPicture& other) = default;
    ~CPicture() override = default;

    std::int16_t fType = 0;
    LongRect fRect{};
};
