#include "engine/export/output/OutputStaging.h"

#include <new>
#include <string>

#include "foundation/CFail.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/CFile.h"
#include "foundation/text/TextFormat.h"
#include "platform/files/FileSystem.h"
#include "platform/process/SystemError.h"

namespace {
constexpr const char* kUnit = "BEngineExp";
constexpr std::uint32_t kReadWrite = kGenericRead | kGenericWrite;

std::u16string pathOf(const PascalWString& name, const PascalWString& folder) {
    std::u16string path(folder.view());
    path += name.view();
    return path;
}

// Creates the first free numbered temporary name in the folder.
PascalWString createTemporary(const PascalWString& folder) {
    for (std::int32_t n = 1; n <= kTemporaryNameLimit; ++n) {
        char label[64];
        formatString(label, kTemporaryNameFormat, static_cast<int>(n));
        PascalWString name{};
        assignCString(name, label);
        name.units[name.length() + 1] = 0;
        CFile file(name, folder, kAnyFileCode, kAnyFileCode, 1, 0, kReadWrite, kReadWrite);
        const std::int16_t created = file.create(0);
        if (created == result::kSuccess) return name;
        if (created != platform::error::kFileExists) throwFail(created, __LINE__, kUnit);
    }
    throwFail(platform::error::kFileExists, __LINE__, kUnit);
}
}  // namespace

OutputStaging::~OutputStaging() {
    // A destructor never throws: a temporary file that cannot be removed for lack of memory stays.
    try {
        discard();
    } catch (const std::bad_alloc&) {
        entries.clear();
    }
}

FileSpec OutputStaging::stage(const PascalWString& name, const PascalWString& folder) {
    entries.reserve(entries.size() + 1);
    const PascalWString temporary = createTemporary(folder);
    entries.push_back({temporary, name, folder});
    FileSpec spec{};
    makeFileSpec(spec, temporary, folder);
    return spec;
}

bool OutputStaging::holds(const PascalWString& name, const PascalWString& folder) const {
    for (const Entry& entry : entries)
        if (entry.finalName.view() == name.view() && entry.folder.view() == folder.view()) return true;
    return false;
}

void OutputStaging::commit() {
    while (!entries.empty()) {
        const Entry& entry = entries.front();
        const std::int16_t code =
            platform::replaceFile(platform::NativePath::fromWide(pathOf(entry.temporaryName, entry.folder)),
                                  platform::NativePath::fromWide(pathOf(entry.finalName, entry.folder)));
        throwIfError(code, __LINE__, kUnit);
        entries.erase(entries.begin());
    }
}

void OutputStaging::discard() {
    for (const Entry& entry : entries) {
        CFile file(entry.temporaryName, entry.folder, kAnyFileCode, kAnyFileCode, 1, 0, kReadWrite, kReadWrite);
        file.remove();
    }
    entries.clear();
}
