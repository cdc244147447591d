#include "foundation/files/FileSpec.h"

#include <cstring>
#include <string>

#include "foundation/CFail.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/Paths.h"
#include "platform/files/FileSystem.h"

namespace {

std::u16string fullPathText(const FileSpec& spec) {
    std::u16string path(spec.folder.view());
    path += spec.name.view();
    return path;
}

// The attributes are always asked in the wide form, whatever the process-wide choice.
void readAttributes(FileSpec& spec) {
    platform::ItemInfo info;
    if (platform::queryItem(platform::NativePath::fromWide(fullPathText(spec)), info) != 0) return;
    spec.hidden = info.isHidden ? 1 : 0;
    setItemKind(spec, info.isFolder ? kindFolder : kindFile);
    spec.fileType = info.isFolder ? kFolderCode : kAnyFileCode;
    spec.creator = spec.fileType;
}

}  // namespace

void clearFileSpec(FileSpec& spec) {
    std::memset(&spec, 0, sizeof spec);
}

void copyFileSpec(FileSpec& target, const FileSpec& source) {
    if (&target != &source) std::memcpy(&target, &source, sizeof target);
}

void makeFileSpec(FileSpec& spec, const PascalWString& name, const PascalWString& folder) {
    // The names may be the FileSpec's own fields.
    const PascalWString nameCopy = name;
    const PascalWString folderCopy = folder;
    clearFileSpec(spec);
    copyPString(spec.name, nameCopy);
    copyPString(spec.folder, folderCopy);
    readAttributes(spec);
}

std::int16_t makeFileSpecFromPath(FileSpec& spec, const char16_t* path) {
    const std::u16string_view text(path ? path : u"");
    if (!fitsInPascal(static_cast<std::int32_t>(text.size()))) {
        clearFileSpec(spec);
        return result::kNameTooLong;
    }
    PascalWString name;
    PascalWString folder;
    splitPath(makePascal(text), name, folder, 0);
    makeFileSpec(spec, name, folder);
    return result::kSuccess;
}

const char16_t* fileSpecPath(const FileSpec& spec) {
    // A folder and a name of 254 units each and the 0 unit fit.
    static char16_t shared[512];
    const std::u16string path = fullPathText(spec);
    std::memcpy(shared, path.data(), path.size() * sizeof(char16_t));
    shared[path.size()] = 0;
    return shared;
}

std::uint32_t itemKindOf(const FileSpec& spec) {
    return spec.kindAndId & kItemKindMask;
}

void setItemKind(FileSpec& spec, std::uint32_t kind) {
    spec.kindAndId = (spec.kindAndId & ~kItemKindMask) | (kind & kItemKindMask);
}

std::uint32_t fileIdOf(const FileSpec& spec) {
    return spec.kindAndId >> kFileIdShift;
}

void setFileId(FileSpec& spec, std::uint32_t id) {
    spec.kindAndId = (spec.kindAndId & ((1u << kFileIdShift) - 1)) | ((id & kFileIdMask) << kFileIdShift);
}
