#include "model/IndexedName.h"

#include "foundation/TextFormat.h"

IndexedName::IndexedName(const char* pattern, int index) {
    formatStringInto(text, static_cast<int>(sizeof text), pattern, index, index);
}
