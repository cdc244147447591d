#include "foundation/files/Paths.h"

#include "foundation/CFail.h"

void stripSeparator(PascalWString& path) {
    const std::int32_t length = path.length();
    if (length > 0 && path.units[length] == pathSeparator) {
        path.units[0] = static_cast<char16_t>(length - 1);
        path.units[length] = 0;
    }
}

std::int16_t appendSeparator(PascalWString& path) {
    const std::int32_t length = path.length();
    if (length > 0 && path.units[length] == pathSeparator) return result::kSuccess;
    if (!fitsInPascal(length + 1)) return result::kNameTooLong;
    path.units[length + 1] = pathSeparator;
    path.units[length + 2] = 0;
    path.units[0] = static_cast<char16_t>(length + 1);
    return result::kSuccess;
}

std::int16_t joinPath(const PascalWString& name, const PascalWString& folder, PascalWString& out) {
    if (!fitsInPascal(folder.length() + name.length())) {
        out.units[0] = 0;
        out.units[1] = 0;
        return result::kNameTooLong;
    }
    const PascalWString nameCopy = name;  // out may be name itself
    assignPString(out, folder);
    appendPString(out, nameCopy);
    return result::kSuccess;
}

void splitPath(const PascalWString& path, PascalWString& name, PascalWString& folder, std::int16_t ignoreTrailingSeparator) {
    copyPString(folder, path);
    if (ignoreTrailingSeparator == 1) stripSeparator(folder);
    const std::int16_t last = lastIndexOfUnit(folder, pathSeparator);
    if (last < 0) {
        name = PascalWString{};
        if (appendSeparator(folder) != result::kSuccess) {
            // Only a full-length name can get here: cut its last character rather than lose the separator.
            deleteUnits(folder, folder.length() - 1, 1);
            appendSeparator(folder);
        }
        return;
    }
    copyPString(name, folder);
    deleteUnits(name, 0, last + 1);
    folder.units[0] = static_cast<char16_t>(last + 1);
    folder.units[last + 2] = 0;
}

void splitWStringPath(const char16_t* path, PascalWString& name, PascalWString& folder, std::int16_t ignoreTrailingSeparator) {
    PascalWString whole;
    assignWString(whole, path);
    splitPath(whole, name, folder, ignoreTrailingSeparator);
}

void splitCStringPath(const char* path, PascalWString& name, PascalWString& folder, std::int16_t ignoreTrailingSeparator) {
    PascalWString whole;
    assignCString(whole, path);
    splitPath(whole, name, folder, ignoreTrailingSeparator);
}
