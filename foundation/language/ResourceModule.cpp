#include "foundation/language/ResourceModule.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>

#include "foundation/encoding/Utf8Codec.h"
#include "foundation/language/StringTableFormat.h"
#include "foundation/text/FormatConversions.h"
#include "foundation/text/TextBoundary.h"
#include "platform/files/ResourceFile.h"
#include "resources/ProgramStrings.h"

namespace {

std::shared_ptr<const ResourceModule>& moduleInForce() {
    static std::shared_ptr<const ResourceModule> module;
    return module;
}

void setError(std::string* error, const std::string& reason) {
    if (error) *error = reason;
}

// Refuses a language module in which a text the program also holds has other conversions (FormatConversions.h)
// or a width that would make a formatter build a huge text.
bool conversionsMatch(const ResourceModule& language, const ResourceModule& program, std::string* error) {
    for (std::uint32_t id = 0; id <= 0xFFFF; ++id) {
        const auto key = static_cast<std::uint16_t>(id);
        if (!language.holds(key) || !program.holds(key)) continue;
        const auto translated = formatConversionsOf(language.utf8Text(key));
        if (!conversionWidthsFit(translated)) {
            setError(error, "the text of string " + std::to_string(id) + " has a width or precision above " +
                                std::to_string(kLargestConversionWidth));
            return false;
        }
        if (translated != formatConversionsOf(program.utf8Text(key))) {
            setError(error, "the text of string " + std::to_string(id) + " has other conversions than the program's own");
            return false;
        }
    }
    return true;
}

}  // namespace

std::shared_ptr<const ResourceModule> ResourceModule::fromSource(std::string_view source, std::string* error) {
    try {
        std::vector<StringTableEntry> parsed;
        std::string reason;
        if (!parseStringTable(source, parsed, reason)) {
            setError(error, reason);
            return nullptr;
        }
        auto module = std::make_shared<ResourceModule>();
        module->entries.reserve(parsed.size());
        for (auto& entry : parsed) {
            module->entries.push_back({entry.id, utf8ToUtf16String(entry.text), std::move(entry.text)});
        }
        std::sort(module->entries.begin(), module->entries.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
        return module;
    } catch (const std::bad_alloc&) {
        setError(error, "not enough memory for the string table");
        return nullptr;
    }
}

const ResourceModule::Entry* ResourceModule::find(std::uint16_t id) const {
    const auto at = std::lower_bound(entries.begin(), entries.end(), id, [](const Entry& entry, std::uint16_t key) { return entry.id < key; });
    return at != entries.end() && at->id == id ? &*at : nullptr;
}

bool ResourceModule::holds(std::uint16_t id) const {
    return find(id) != nullptr;
}

std::int32_t ResourceModule::stringCount() const {
    return static_cast<std::int32_t>(entries.size());
}

std::u16string_view ResourceModule::text(std::uint16_t id) const {
    const Entry* entry = find(id);
    return entry ? std::u16string_view(entry->wide) : std::u16string_view();
}

std::string_view ResourceModule::utf8Text(std::uint16_t id) const {
    const Entry* entry = find(id);
    return entry ? std::string_view(entry->utf8) : std::string_view();
}

std::int32_t ResourceModule::loadStringW(std::uint16_t id, char16_t* buffer, std::int32_t capacity) const {
    if (!buffer || capacity <= 0) return 0;
    const std::u16string_view whole = text(id);
    const std::size_t count = utf16CutPoint(whole, static_cast<std::size_t>(capacity) - 1);
    if (count > 0) std::memcpy(buffer, whole.data(), count * sizeof(char16_t));
    buffer[count] = 0;
    return static_cast<std::int32_t>(count);
}

std::int32_t ResourceModule::loadStringA(std::uint16_t id, char* buffer, std::int32_t capacity) const {
    if (!buffer || capacity <= 0) return 0;
    const std::string_view whole = utf8Text(id);
    return static_cast<std::int32_t>(placeUtf8(buffer, static_cast<std::size_t>(capacity), whole));
}

const ResourceModule& programResourceModule() {
    // Built at the first use. A build that ran out of memory is not kept: the next use tries again, so one
    // failed allocation never leaves the program without its texts for the rest of its life. Once built,
    // the table never changes.
    static std::mutex building;
    static std::shared_ptr<const ResourceModule> program;
    static const ResourceModule empty;
    const std::lock_guard<std::mutex> lock(building);
    if (!program) program = ResourceModule::fromSource(programStringTableSource(), nullptr);
    return program ? *program : empty;
}

const ResourceModule& resourceModule() {
    const auto& module = moduleInForce();
    return module ? *module : programResourceModule();
}

void setResourceModule(std::shared_ptr<const ResourceModule> module) {
    moduleInForce() = std::move(module);
}

std::shared_ptr<const ResourceModule> loadLanguageModule(const std::string& path, std::string* error) {
    std::string source;
    const std::int16_t failure = platform::readResourceFile(path, kLanguageFileMaximumBytes, source);
    if (failure != 0) {
        setError(error, "cannot read the language file (error " + std::to_string(failure) + ")");
        return nullptr;
    }
    auto module = ResourceModule::fromSource(source, error);
    if (!module) return nullptr;
    try {
        if (!conversionsMatch(*module, programResourceModule(), error)) return nullptr;
    } catch (const std::bad_alloc&) {
        setError(error, "not enough memory to check the language file");
        return nullptr;
    }
    return module;
}

bool useLanguageModule(const std::string& path, std::string* error) {
    auto module = loadLanguageModule(path, error);
    if (!module) return false;
    setResourceModule(std::move(module));
    return true;
}
