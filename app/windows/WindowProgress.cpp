#include "app/windows/WindowProgress.h"

#include <new>

#include "foundation/FailureCode.h"

WindowProgress* WindowProgress::open() {
    WindowProgress* progress = nullptr;
    failureCode([&] { progress = new (std::nothrow) WindowProgress(); });
    return progress;
}
