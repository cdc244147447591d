#pragma once
// The dictionary's copy of an attribute name, found without hashing the name each time.
//
// The storage's writers pass the same few hundred names thousands of times over, each name from one
// place in the program. A small table remembers, by the address a name was given at, the dictionary's
// copy. A remembered address answers only while the dictionary's copy still reads as the name given
// there (an address may be a buffer that holds another name by now), so the answer is always what the
// dictionary itself would give.
#include <libxml/tree.h>

#include <array>
#include <cstddef>

class DictionaryNames {
public:
    explicit DictionaryNames(xmlDict* dictionary);

    // The dictionary's copy of the name; null when memory is lacking.
    const xmlChar* lookUp(const char* name);

private:
    struct Slot {
        const char* given = nullptr;
        const xmlChar* kept = nullptr;
    };
    static constexpr std::size_t kSlotBits = 9;

    xmlDict* dictionary;
    std::array<Slot, std::size_t{1} << kSlotBits> slots{};
};
