#pragma once
// Deleting, inserting and replacing inside a NUL-terminated text held in a buffer of known capacity;
// shared by the 8-bit (PascalText.h) and the UTF-16 (UniText.h) text operations.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <string_view>

namespace boundedtext {

template <typename Unit>
std::size_t lengthOf(const Unit* text) {
    return std::char_traits<Unit>::length(text);
}

template <typename Unit>
void deleteUnits(Unit* text, std::int32_t position, std::int32_t count) {
    if (!text || position < 0 || count <= 0) return;
    const std::size_t length = lengthOf(text);
    const auto at = static_cast<std::size_t>(position);
    if (at >= length) return;
    const std::size_t removed = std::min(static_cast<std::size_t>(count), length - at);
    std::memmove(text + at, text + at + removed, (length - at - removed + 1) * sizeof(Unit));
}

template <typename Unit>
bool insertUnits(Unit* text, std::int32_t capacity, const Unit* insertion, std::int32_t position) {
    if (!text || !insertion || capacity <= 0) return false;
    const std::size_t length = lengthOf(text);
    const std::size_t added = lengthOf(insertion);
    if (length + added + 1 > static_cast<std::size_t>(capacity)) return false;
    const std::size_t at = position < 0 ? 0 : std::min(static_cast<std::size_t>(position), length);
    try {
        // An insertion taken from the text's own buffer is copied before the text moves.
        const bool inside = !std::less<const Unit*>{}(insertion, text) && std::less<const Unit*>{}(insertion, text + capacity);
        const std::basic_string<Unit> copy = inside ? std::basic_string<Unit>(insertion, added) : std::basic_string<Unit>();
        const Unit* source = inside ? copy.data() : insertion;
        std::memmove(text + at + added, text + at, (length - at + 1) * sizeof(Unit));
        if (added > 0) std::memcpy(text + at, source, added * sizeof(Unit));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Replaces every occurrence of find, searching again from the start after each replacement; when the
// replacement would not fit (the shortened text plus the replacement reach the capacity) the occurrence
// is only removed. A replacement that holds find would be found again without end: the search then goes
// on after it instead.
template <typename Unit>
void replaceAllUnits(Unit* text, std::int32_t capacity, const Unit* find, const Unit* replacement) {
    if (!text || !find || !replacement || capacity <= 0 || *find == 0) return;
    try {
        const std::basic_string<Unit> findCopy(find);
        const std::basic_string<Unit> replacementCopy(replacement);
        const bool holdsFind = replacementCopy.find(findCopy) != std::basic_string<Unit>::npos;
        std::size_t from = 0;
        for (;;) {
            const std::basic_string_view<Unit> whole(text, lengthOf(text));
            const std::size_t position = whole.find(findCopy, from);
            if (position == std::basic_string_view<Unit>::npos) return;
            deleteUnits(text, static_cast<std::int32_t>(position), static_cast<std::int32_t>(findCopy.size()));
            const bool fits = lengthOf(text) + replacementCopy.size() < static_cast<std::size_t>(capacity);
            if (fits) insertUnits(text, capacity, replacementCopy.c_str(), static_cast<std::int32_t>(position));
            from = holdsFind ? position + (fits ? replacementCopy.size() : 0) : 0;
        }
    } catch (const std::bad_alloc&) {
        // Without room for the work copies the text stays as far as it got.
    }
}

}  // namespace boundedtext
