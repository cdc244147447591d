#pragma once
// A count read from a record, a file or the storage, taken within the array it indexes: readers,
// writers and dumps never go past the items an array holds, whatever the count says.
#include <algorithm>

// The count clamped to 0 .. capacity, in the count's own type.
template <typename Count>
Count boundedCount(Count count, int capacity) {
    return static_cast<Count>(std::clamp<long long>(count, 0, capacity));
}
