#pragma once
// The text form of the registry's file (the format is described in Registry.h).
#include <string>
#include <string_view>

#include "platform/registry/RegistryTree.h"

namespace platform {

// Reads the text into an empty tree. Answers true when the whole text was read, false when the format
// line is missing (nothing is read then) or a line was passed over as damaged (the rest is read).
bool readRegistryText(std::string_view text, RegistryTree& tree);

// The whole tree as text: the format line, then every key in name order with its values.
std::string writeRegistryText(const RegistryTree& tree);

}  // namespace platform
