#include "model/storage/DictionaryNames.h"

#include <cstdint>
#include <cstring>

DictionaryNames::DictionaryNames(xmlDict* owner) : dictionary(owner) {}

const xmlChar* DictionaryNames::lookUp(const char* name) {
    // Names given from one table lie a few bytes apart: the multiplication spreads them over the slots.
    const auto address = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(name));
    Slot& slot = slots[(address * 0x9E3779B97F4A7C15ull) >> (64 - kSlotBits)];
    if (slot.given == name && std::strcmp(reinterpret_cast<const char*>(slot.kept), name) == 0) return slot.kept;
    const xmlChar* kept = xmlDictLookup(dictionary, reinterpret_cast<const xmlChar*>(name), -1);
    if (kept != nullptr) slot = Slot{name, kept};
    return kept;
}
