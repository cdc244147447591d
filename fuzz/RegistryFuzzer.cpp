// The registry's file format over any text: read, write back, read again. What the writer makes from
// whatever was read is a clean file that reads back whole, and writing it again gives the same text.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry/RegistryFileFormat.h"

namespace {

void check(bool promise) {
    if (!promise) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::RegistryTree first;
    platform::readRegistryText(std::string_view(reinterpret_cast<const char*>(data), size), first);
    const std::string written = platform::writeRegistryText(first);

    platform::RegistryTree second;
    check(platform::readRegistryText(written, second));
    check(platform::writeRegistryText(second) == written);
    return 0;
}
