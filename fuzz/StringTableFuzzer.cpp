// The string-table parser over any text, and the resource module built from a table it accepts: every
// string is then loaded through buffers of every small size, as the UI loads them, each buffer exactly as
// large as the loader is told.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/language/ResourceModule.h"
#include "foundation/language/StringTableFormat.h"

namespace {

void check(bool promise) {
    if (!promise) __builtin_trap();
}

void loadEveryString(const ResourceModule& module, const std::vector<StringTableEntry>& entries) {
    for (const StringTableEntry& entry : entries) {
        check(module.holds(entry.id));
        check(module.utf8Text(entry.id) == entry.text);
        for (std::int32_t capacity = 1; capacity <= 8; ++capacity) {
            const std::unique_ptr<char16_t[]> wide(new char16_t[static_cast<std::size_t>(capacity)]);
            check(module.loadStringW(entry.id, wide.get(), capacity) < capacity);
            const std::unique_ptr<char[]> narrow(new char[static_cast<std::size_t>(capacity)]);
            check(module.loadStringA(entry.id, narrow.get(), capacity) < capacity);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view source(reinterpret_cast<const char*>(data), size);
    std::vector<StringTableEntry> entries;
    std::string error;
    const bool parsed = parseStringTable(source, entries, error);
    check(parsed || !error.empty());
    if (!parsed) return 0;

    std::set<std::uint16_t> ids;
    for (const StringTableEntry& entry : entries) check(ids.insert(entry.id).second);

    std::string moduleError;
    const std::shared_ptr<const ResourceModule> module = ResourceModule::fromSource(source, &moduleError);
    check(module != nullptr);
    check(module->stringCount() == static_cast<std::int32_t>(entries.size()));
    loadEveryString(*module, entries);
    return 0;
}
