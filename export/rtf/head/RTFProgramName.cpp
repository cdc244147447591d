#include "export/rtf/head/RTFProgramName.h"

#include <utility>

namespace {

std::string& programName() {
    static std::string name = "vostrandimeko";
    return name;
}

}  // namespace

const std::string& rtfProgramName() {
    return programName();
}

void setRTFProgramName(std::string name) {
    programName() = std::move(name);
}
