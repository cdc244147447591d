#include "foundation/text/DefaultTextBuffers.h"

namespace {

char textBuffer[kDefaultTextSize];
char16_t uniTextBuffer[kDefaultUniTextSize];
std::uint8_t pascalBuffer[kPascalTextSize];

}  // namespace

char* defaultTextBuffer() {
    return textBuffer;
}

char16_t* defaultUniTextBuffer() {
    return uniTextBuffer;
}

std::uint8_t* defaultPascalBuffer() {
    return pascalBuffer;
}
