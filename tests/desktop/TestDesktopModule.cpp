// Stand-ins for the desktop module, one per way loading it can go; TEST_MODULE_KIND picks which:
//   1 a window system that starts (the headless one: the module calls back into the program for it)
//   2 an entry that answers no window system, as the toolkit does when it cannot open the display
//   3 no entry at all
//   4 an entry that needs a function nothing defines, so the module cannot be loaded
#include "platform/windows/HeadlessWindowSystem.h"

#if TEST_MODULE_KIND == 4
extern "C" platform::WindowSystem* vostrandimekoNothingDefinesThis();
#endif

#if TEST_MODULE_KIND == 3
extern "C" __attribute__((visibility("default"))) int vostrandimekoSomethingElse() {
    return 1;
}
#else
extern "C" __attribute__((visibility("default"))) platform::WindowSystem* vostrandimekoMakeDesktopWindowSystem() {
#if TEST_MODULE_KIND == 1
    return new platform::HeadlessWindowSystem();
#elif TEST_MODULE_KIND == 2
    return nullptr;
#else
    return vostrandimekoNothingDefinesThis();
#endif
}
#endif
