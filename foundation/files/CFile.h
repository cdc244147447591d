#pragma once
// A file or folder on disk, named by its name and its folder (the folder ends with the separator; the
// full path is the folder followed by the name). It creates, opens, reads and writes at explicit
// offsets, reports size, times and kind, creates folders and lists a folder's entries.
//
// Every operation that can fail answers a 16-bit code: 0 for success, 6 when the file is not open,
// 20 when a file stands where a folder is to be created, 38 when a read met the end of the file before
// its count, 206 when a path does not fit, otherwise the system's error number (SystemError.h).
//
// Paths go to the system in the wide or the 8-bit form as useWideApi says; the 8-bit form takes at
// most 511 bytes. Names that are not valid UTF-8 on disk are named by the file-name mapping of
// platform/files/FileName.h on both forms, so every listed entry can be opened again.
//
// Usual pattern: construct, create() when the file is new (it leaves the file closed), open(), reads
// and writes at explicit offsets, close() (the destructor closes too; it never deletes the file).
#include <cstdint>

#include "foundation/CBase.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/text/PascalWString.h"
#include "platform/files/FileSystem.h"

// The access values callers pass, as the system numbers them. Neither read nor write opens for reading.
constexpr std::uint32_t kGenericRead = 0x80000000u;
constexpr std::uint32_t kGenericWrite = 0x40000000u;
constexpr std::uint32_t kGenericAll = 0x10000000u;

// Origins of read, write and seek offsets.
constexpr std::int16_t kFromStart = 0;
constexpr std::int16_t kFromCurrent = 1;
constexpr std::int16_t kFromEnd = 2;

// A temporary file's name is this label with a number from 1 to kTemporaryNameLimit.
constexpr const char* kTemporaryNameFormat = "Vostrandimeko temporary file %d";
constexpr std::int32_t kTemporaryNameLimit = 10000;
// The scratch file isFolderWritable creates and deletes again.
constexpr const char16_t* kScratchFileName = u"Vostrandimeko.tmp";

constexpr std::int32_t kInfoBlockSize = 80;

class CFile : public CBase {
public:
    CFile(const PascalWString& itemName, const PascalWString& itemFolder, std::uint32_t type, std::uint32_t creatorCode,
          std::int16_t option1, std::int16_t option2, std::uint32_t access, std::uint32_t access2);
    CFile(const char16_t* itemName, const PascalWString& itemFolder, std::uint32_t type, std::uint32_t creatorCode,
          std::int16_t option1, std::int16_t option2, std::uint32_t access, std::uint32_t access2);
    // From a full path, split at its last separator (a path ending in one names the folder itself
    // with an empty name).
    CFile(const PascalWString& fullPath, std::uint32_t type, std::uint32_t creatorCode, std::int16_t option1,
          std::int16_t option2, std::uint32_t access, std::uint32_t access2);
    // A temporary file: empty name in the program's temporary-files folder; create() picks the name.
    // Raises CFail when the temporary-files folder cannot be set up (see AppFolders.h).
    CFile(std::uint32_t type, std::uint32_t creatorCode, std::int16_t option1, std::int16_t option2, std::uint32_t access,
          std::uint32_t access2);
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Both close first.
    virtual void setNameAndFolder(const PascalWString& itemName, const PascalWString& itemFolder);
    virtual void setAttributes(std::uint32_t type, std::uint32_t creatorCode, std::int16_t option1, std::int16_t option2,
                               std::uint32_t access, std::uint32_t access2);
    // type and creator receive '????'. With both buffers given the name buffer receives the name in
    // UTF-8 and the extension buffer the text after the name's last '.' in capitals, or "???" when it
    // has none; each is cut on a character boundary to its buffer's capacity in bytes, the 0 byte
    // included. A capacity below 1 answers 87 and writes nothing.
    virtual std::int16_t getTypeAndExtension(std::uint32_t* type, std::uint32_t* creatorCode, char* nameText,
                                             std::int32_t nameCapacity, char* extensionText,
                                             std::int32_t extensionCapacity);
    // Creates the file new and empty and leaves it closed; an existing file answers 80 unless
    // deleteFirst is 1. A temporary file without a name first takes the first free numbered name;
    // when all of them are taken it answers 80 and keeps no name.
    virtual std::int16_t create(std::int16_t deleteFirst);
    // 0 when the folder exists or was made; 20 when a file stands in its place (the file is kept).
    virtual std::int16_t createFolder();
    // Closes, then deletes the file (a folder is not deleted: 5).
    virtual std::int16_t remove();
    // A file has no resource part on this system: these answer 0 and do nothing.
    virtual std::int16_t openResourcePart(const PascalWString& partName, const PascalWString& partFolder);
    virtual std::int16_t closeResourcePart(std::int16_t part);
    virtual std::int16_t getResourceCount(std::uint32_t resourceType, std::int16_t& resourceCount);
    virtual std::int16_t writeResource(const void* data, std::int32_t length, std::uint32_t resourceType,
                                       std::int16_t resourceId, std::int16_t flags);
    // Opens the existing plain file with the object's access (a folder answers 5). An object that is
    // already open closes its handle first.
    virtual std::int16_t open();
    // Closes the file and any folder listing.
    virtual std::int16_t close();
    // Formats one line by the printf conventions, adds "\r\n" and writes it at the end of the file;
    // answers the write's result.
    virtual std::int16_t printLine(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Reads exactly count bytes at offset from origin. A read that meets the end of the file early
    // answers 38 and clears the rest of the buffer, so a short file is never taken for data.
    virtual std::int16_t read(void* buffer, std::int32_t count, std::int16_t origin, std::int32_t offset);
    // Reads what there is, up to count bytes: 0 with the number read in bytesRead, which is below
    // count only at the end of the file.
    virtual std::int16_t readAvailable(void* buffer, std::int32_t count, std::int16_t origin, std::int32_t offset,
                                       std::int32_t& bytesRead);
    // Writes all count bytes at offset from origin.
    virtual std::int16_t write(const void* buffer, std::int32_t count, std::int16_t origin, std::int32_t offset);
    // The creation and the last modification time, in seconds since 1970-01-01 UTC (0 = not known).
    // Open or not, the item's path is asked.
    virtual std::int16_t getTimes(std::uint32_t& first, std::uint32_t& second);
    // Sets the modification time from `second` when given; a creation time cannot be set here and
    // `first` is ignored.
    virtual std::int16_t touch(const std::uint32_t* first, const std::uint32_t* second);
    // The size of the open file; a file of 4 GiB or more answers 223.
    virtual std::int16_t getSize(std::uint32_t& size);
    // Cuts or extends the open file; the position moves to the new end.
    virtual std::int16_t setLength(std::int32_t length);
    // The position in the open file (-1 with the code when it cannot be told).
    virtual std::int16_t getPosition(std::int32_t& position);
    virtual std::int16_t seek(std::int16_t origin, std::int32_t offset);
    // True when a file or folder is at the full path.
    virtual bool exists();
    // A folder sets isFolder and isFolder2 to 1; a file sets hasData (1 when not empty) and second (0).
    // A failed query answers its code and changes no output.
    virtual std::int16_t getKind(std::int16_t& hasData, std::int16_t& second, std::int16_t& isFolder,
                                 std::int16_t& isFolder2);
    // Treats the object as naming a folder: true when a scratch file can be created in it (the
    // scratch file is always removed again).
    virtual bool isFolderWritable();
    virtual bool isFolder();
    // Hidden means a name that starts with '.' here: an item named so answers 0; any other cannot be
    // made hidden without renaming it and answers 50 (2 when it does not exist).
    virtual std::int16_t setHidden();
    // The next entry of the folder this object names, as a new CFile the caller owns; null at the end
    // (the listing is then closed) or when the folder cannot be listed. Entries come sorted by name;
    // hidden ones are included, symbolic links to folders are not, and an entry whose name does not
    // fit a PascalWString is skipped and counted (skippedFolderItems).
    virtual CFile* nextFolderItem();
    virtual const PascalWString& getName() const;
    virtual const PascalWString& getFolder() const;
    virtual std::uint8_t* getInfoBlock();
    // out = folder + name + separator; 206 (out empty) when that does not fit.
    virtual std::int16_t getPathAsFolder(PascalWString& out) const;
    // folder + name as NUL-terminated UTF-16 in one shared buffer, overwritten by the next call.
    virtual const char16_t* getFullPath() const;
    // folder + name in UTF-8 in one shared buffer, overwritten by the next call.
    virtual const char* getFullPathUtf8() const;
    virtual std::uint32_t sizeOrZero();
    virtual std::uint32_t firstTimeOrZero();
    virtual std::uint32_t secondTimeOrZero();

    // Entries the running or last folder listing passed over because their names do not fit.
    std::int32_t skippedFolderItems() const { return skippedItems; }

protected:
    PascalWString name;
    PascalWString folder;
    std::uint32_t fileType;
    std::uint32_t creator;
    std::uint8_t infoBlock[kInfoBlockSize];
    std::int16_t optionFlag1;
    std::int16_t optionFlag2;
    std::int16_t isTemporary;
    platform::FileHandle fileHandle;
    platform::FolderListing* findHandle;
    std::uint32_t desiredAccess;
    std::uint32_t secondAccess;

private:
    void initialise(std::uint32_t type, std::uint32_t creatorCode, std::int16_t option1, std::int16_t option2,
                    std::uint32_t access, std::uint32_t access2);
    void storeAttributes(std::uint32_t type, std::uint32_t creatorCode, std::int16_t option1, std::int16_t option2,
                         std::uint32_t access, std::uint32_t access2);
    // The full path in the form useWideApi chooses.
    platform::NativePath nativePath() const;
    std::int16_t pickTemporaryName();
    CFile* nextFolderItemOrRaise();
    std::int16_t positionAt(std::int16_t origin, std::int32_t offset);

    std::int32_t skippedItems = 0;
};

// 1 when a scratch file can be created in the folder the path names (a trailing separator does not
// count), else 0.
std::int16_t isFolderPathWritable(const PascalWString& path);
