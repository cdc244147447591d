#pragma once
// A list of objects the list owns, in order, kept as pointers in a light array: the writers keep their
// pending output chunks and their collected side stories in one. Objects are appended at the end and
// taken from the front; whatever is still listed when the list goes is deleted with it.
#include <cstdint>
#include <new>

#include "foundation/CFail.h"
#include "foundation/memory/CArray.h"
#include "foundation/memory/Memory.h"

template <typename Object>
class OwnedList {
public:
    OwnedList() : items(0, kPointerItemSize) {}
    ~OwnedList() { clear(); }
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;

    // Takes the object over. When the list cannot grow, the object is deleted before the failure goes on,
    // so it never leaks.
    void append(Object* object) {
        try {
            items.append(&object);
        } catch (...) {
            disposeObject(object);
            throw;
        }
    }

    std::int32_t count() const { return items.getCount(); }
    bool isEmpty() const { return items.isEmpty(); }
    // The object at 1-based index, still owned by the list; null outside 1..count.
    Object* at(std::int32_t index) const { return items.pointerAt<Object>(index); }
    Object* last() const { return at(count()); }

    // Hands the first object over to the caller; null when the list is empty.
    Object* takeFirst() {
        Object* first = at(1);
        if (first != nullptr) items.removeAt(1, 1);
        return first;
    }

    // Deletes every object and forgets them.
    void clear() {
        for (std::int32_t index = 1; index <= count(); ++index) {
            Object* object = at(index);
            disposeObject(object);
        }
        items.removeAll();
    }

private:
    CArray items;
};
