#include "model/dumps/ParamBlockDump.h"

#include <new>
#include <string>

#include "foundation/CFail.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/files/AppFolders.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextFormat.h"
#include "model/dumps/RecordDumps.h"

namespace {

constexpr const char* kUnit = "BStory";

constexpr std::uint32_t kTextType = fourCharCode("TEXT");
constexpr std::uint32_t kTextCreator = fourCharCode("ttxt");
constexpr std::uint32_t kReadWrite = kGenericRead | kGenericWrite;

constexpr const char* kRecordRule =
    "--------------------------------------------------------------------------------";
constexpr const char* kEndRule =
    "================================================================================";

CFile* newTextFile(const PascalWString& name, const PascalWString& folder) {
    CFile* file = new (std::nothrow) CFile(name, folder, kTextType, kTextCreator, 1, 0, kReadWrite, kReadWrite);
    throwIfNull(file, __LINE__, kUnit);
    return file;
}

// "blocks of 'report'" for the input "report.docx"; a name too long for a folder name is cut.
PascalWString dumpFolderName(const PascalWString& source) {
    PascalWString baseName;
    copyPString(baseName, source);
    stripPStringExtension(baseName);
    PascalWString folderName;
    assignWString(folderName, formatUniToString(u"blocks of '%h'", baseName).c_str());
    return folderName;
}

void writeDump(CFile& file, const XParamBlock& block) {
    // The engine's text buffer is never null while a conversion runs; a block without one shows 0.
    const char16_t firstUnit = block.textBuffer != nullptr ? block.textBuffer[0] : u'\0';
    file.printLine("textLength=%d", block.textLength);
    file.printLine("textBuffer[0]=0x%04X", static_cast<unsigned>(firstUnit));
    file.printLine("%s", kRecordRule);
    dumpXForm(block.form, file);
    file.printLine("%s", kRecordRule);
    dumpXRule(block.rule, file);
    file.printLine("%s", kRecordRule);
    dumpXPage(block.page, file);
    file.printLine("%s", kEndRule);
}

}  // namespace

void dumpXParamBlock(const PascalWString& source, const XParamBlock& block, std::int16_t number) {
    CFile* folder = nullptr;
    CFile* file = nullptr;
    try {
        folder = newTextFile(dumpFolderName(source), desktopFolder());
        throwIfError(folder->createFolder(), __LINE__, kUnit);
        PascalWString folderPath;
        throwIfError(folder->getPathAsFolder(folderPath), __LINE__, kUnit);

        char fileName[32];
        formatString(fileName, "ParamBlock%03d.txt", number);
        PascalWString name;
        assignCString(name, fileName);
        file = newTextFile(name, folderPath);
        throwIfError(file->create(1), __LINE__, kUnit);
        throwIfError(file->open(), __LINE__, kUnit);
        writeDump(*file, block);
    } catch (...) {
        // A diagnostic must never harm the conversion: whatever failed, this run's dump ends here and
        // what was written stays.
    }
    disposeObject(file);
    disposeObject(folder);
}
