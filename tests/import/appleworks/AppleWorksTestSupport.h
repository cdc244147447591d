#pragma once
// What the AppleWorks tests share: a parameter block set up and disposed with the test, and a string of
// file bytes seen as the reader takes them.
#include <cstdint>
#include <string>

#include "model/params/XParamBlock.h"

namespace awfixture {

class ParamBlock {
public:
    ParamBlock() { initXParamBlock(nullptr, &block); }
    ~ParamBlock() { disposeXParamBlock(&block); }
    ParamBlock(const ParamBlock&) = delete;
    ParamBlock& operator=(const ParamBlock&) = delete;
    XParamBlock block{};
};

inline const std::uint8_t* bytesOf(const std::string& text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

}  // namespace awfixture
