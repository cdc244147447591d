#include "tests/export/rtf/head/RTFListRecords.h"

#include <cstring>

#include "foundation/memory/Memory.h"

namespace rtftest {
namespace {

void* zeroedBlock(std::size_t bytes) {
    void* memory = allocMemory(static_cast<std::int32_t>(bytes));
    std::memset(memory, 0, bytes);
    return memory;
}

}  // namespace

XListDef* addListDefinitions(XParamBlock& block, std::int16_t count) {
    block.listDefs = static_cast<XListDef*>(zeroedBlock(sizeof(XListDef) * static_cast<std::size_t>(count)));
    block.listDefCount = count;
    return block.listDefs;
}

XListOvr* addListOverrides(XParamBlock& block, std::int16_t count) {
    block.listOvrs = static_cast<XListOvr*>(zeroedBlock(sizeof(XListOvr) * static_cast<std::size_t>(count)));
    block.listOvrCount = count;
    return block.listOvrs;
}

void setLevelText(XListLevel& level, const std::u16string& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    level.levelText = static_cast<char16_t*>(zeroedBlock(bytes));
    std::memcpy(level.levelText, text.data(), text.size() * sizeof(char16_t));
    level.levelTextLength = static_cast<std::int32_t>(text.size());
}

}  // namespace rtftest
