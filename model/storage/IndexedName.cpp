#include "model/storage/IndexedName.h"

#include "foundation/text/TextFormat.h"

IndexedName::IndexedName(const char* pattern, int index) {
    formatStringInto(text, static_cast<int>(sizeof text), pattern, index, index);
}
