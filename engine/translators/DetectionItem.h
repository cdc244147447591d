#pragma once
// The item of the file system that detection tests: its kind, its type and creator codes, its name and
// extension, and its bytes for the content signatures. The file is opened at most once, at the first
// signature test, and closed when the item goes; a folder is never opened, and a file too short for a
// signature, or one that cannot be opened or read, simply does not match it.
#include <cstdint>

#include "foundation/text/PascalWString.h"

class CFile;
struct ContentSignature;
struct TranslatorRule;

class DetectionItem {
public:
    // Raises CFail 12 (unit "BTranslator") when the file object cannot be made.
    DetectionItem(const PascalWString& name, const PascalWString& folder);
    ~DetectionItem();
    DetectionItem(const DetectionItem&) = delete;
    DetectionItem& operator=(const DetectionItem&) = delete;

    // An item whose attributes cannot be read counts as a file.
    bool isFolder() const { return folderItem; }
    bool passesRule(const TranslatorRule& rule) const;
    bool matchesSignature(const ContentSignature& signature);
    // How often the file was opened: 0 or 1.
    std::int32_t opens() const { return openCount; }

private:
    CFile* file;
    bool folderItem = false;
    std::uint32_t fileType = 0;
    std::uint32_t creator = 0;
    char nameText[256] = {};
    char extensionText[256] = {};
    std::int32_t openCount = 0;
    std::int16_t openResult = 0;
};
