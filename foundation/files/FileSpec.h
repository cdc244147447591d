#pragma once
// A file or folder named by its name and its folder, carrying what a conversion learns about it on
// the way: its kind, type and creator codes, whether it is hidden, the document kind it was converted
// as, the results of the import and export steps and, when it was not converted, the reason.
// A plain record: copied member by member, all fields zero after clearFileSpec.
#include <cstdint>
#include <type_traits>

#include "foundation/text/PascalWString.h"

struct FileSpec {
    PascalWString name;        // the item's own name, without separator
    PascalWString folder;      // the folder that holds it, ending in the separator
    PascalWString baseFolder;  // for a file found by walking a dropped folder: the folder holding that folder
    std::uint32_t fileType;    // '????' for a file, '****' for a folder after makeFileSpec
    std::uint32_t creator;
    std::int16_t documentKind;
    std::int16_t importResult;
    std::int16_t exportResult;
    std::int16_t hidden;        // 1 when the item is hidden
    std::uint32_t kindAndId;    // bits 0-4 the item kind, bit 5 zero, bits 6-31 the file id
    char reasonText[256];       // why the file was not converted, 0-terminated
};
static_assert(std::is_trivially_copyable_v<FileSpec>);

// Item kinds; 1 and 2 are other kinds that the conversion passes over.
constexpr std::uint32_t kindFile = 0;
constexpr std::uint32_t kindFolder = 3;
constexpr std::uint32_t kItemKindMask = 0x1F;

// File ids are 26-bit values kept above the item kind. Ids handed out by a list start above every
// 16-bit command number, so a list's id never stands for a command.
constexpr std::uint32_t kFileIdShift = 6;
constexpr std::uint32_t kFileIdMask = 0x3FFFFFF;
constexpr std::uint32_t kFirstFileId = 0x10000;

void clearFileSpec(FileSpec& spec);
void copyFileSpec(FileSpec& target, const FileSpec& source);
// Clears the FileSpec, takes the name and folder and reads the item's attributes: a folder gets kind
// kindFolder and '****', anything else kindFile and '????', a name starting with '.' hidden 1. When
// the item cannot be found only the names are set.
void makeFileSpec(FileSpec& spec, const PascalWString& name, const PascalWString& folder);
// The same from a full path, split at its last separator (a path ending in one gives an empty name).
// Answers 0, or 206 with the FileSpec cleared when the path does not fit a PascalWString.
std::int16_t makeFileSpecFromPath(FileSpec& spec, const char16_t* path);
// folder + name as NUL-terminated UTF-16 in one shared buffer, overwritten by the next call.
const char16_t* fileSpecPath(const FileSpec& spec);

std::uint32_t itemKindOf(const FileSpec& spec);
void setItemKind(FileSpec& spec, std::uint32_t kind);
std::uint32_t fileIdOf(const FileSpec& spec);
// Keeps the low 26 bits of id; the kind bits stay.
void setFileId(FileSpec& spec, std::uint32_t id);
