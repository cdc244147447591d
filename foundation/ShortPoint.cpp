#include "foundation/ShortPoint.h"

ShortPoint* copyShortPoint(ShortPoint* self, const ShortPoint* other) {
    self->v = other->v;
    self->h = other->h;
    return self;
}
