#pragma once
// List records for the RTF writer's tests, made as the importers leave them in a block: arrays and level
// texts are blocks of the memory layer, which the block releases with everything they own.
#include <cstdint>
#include <string>

#include "model/params/XParamBlock.h"

namespace rtftest {

// Gives the block `count` list definitions, every byte zero.
XListDef* addListDefinitions(XParamBlock& block, std::int16_t count);
// Gives the block `count` list overrides, every byte zero.
XListOvr* addListOverrides(XParamBlock& block, std::int16_t count);
// The level's number text, replacing none (the level must have no text yet).
void setLevelText(XListLevel& level, const std::u16string& text);

}  // namespace rtftest
