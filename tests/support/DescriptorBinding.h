#pragma once
// The registry makes translators through a factory that knows only the descriptor, so a test binds what
// its translators should share (a script, a log) to a descriptor. While the binding lives, the factory
// finds the bound object; the object outlives every translator made for it.
#include <map>

struct TranslatorDescriptor;

namespace testsupport {

template <typename Bound>
class DescriptorBinding {
public:
    DescriptorBinding(const TranslatorDescriptor* descriptor, Bound& bound) : descriptor(descriptor) {
        bindings()[descriptor] = &bound;
    }
    ~DescriptorBinding() { bindings().erase(descriptor); }
    DescriptorBinding(const DescriptorBinding&) = delete;
    DescriptorBinding& operator=(const DescriptorBinding&) = delete;

    // The object bound to the descriptor, or null.
    static Bound* find(const TranslatorDescriptor* descriptor) {
        const auto found = bindings().find(descriptor);
        return found != bindings().end() ? found->second : nullptr;
    }

private:
    static std::map<const TranslatorDescriptor*, Bound*>& bindings() {
        static std::map<const TranslatorDescriptor*, Bound*> bound;
        return bound;
    }

    const TranslatorDescriptor* descriptor;
};

}  // namespace testsupport
