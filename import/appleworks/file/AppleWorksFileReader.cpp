#include "import/appleworks/file/AppleWorksFileReader.h"

#include <cstring>

#include "foundation/CFail.h"
#include "import/appleworks/file/BlockReader.h"
#include "import/appleworks/file/SectionReader.h"
#include "import/appleworks/file/ZoneReader.h"

namespace appleworks {
namespace {

constexpr std::int32_t kRecordHeadPiece = 30;
constexpr std::int32_t kRecordSecondPiece = 46;
constexpr std::int32_t kRecordLastPiece = 242;
constexpr std::int32_t kVersion6TailStart = kRecordHeadPiece + kRecordSecondPiece + 4;

void readFileHeader(FileCursor& cursor, const AppleWorksFamily& family) {
    const std::uint8_t* header = cursor.take(kFileHeaderSize);
    // The signature is checked before the version, so any file without one is simply not ours.
    if (loadBigEndian32(header + 4) != kSignature) throwFail(kBadFile, __LINE__, kUnit);
    if (header[0] != family.version) throwFail(kBadFile, __LINE__, kUnit);
}

// Version 5 keeps the record as it stands in the file. Version 6 has a variable-length block as its third
// piece; in memory a slot stands in its place, so every later field keeps a fixed offset.
BlockHandle readDocumentRecord(BlockReader& reader) {
    const AppleWorksFamily& family = reader.family;
    const BlockHandle record = reader.blocks.add(family.recordSize);
    if (!family.hasSizedRecord) {
        std::memcpy(reader.blocks.writable(record, 0, family.recordSize), reader.cursor.take(family.recordSize),
                    static_cast<std::size_t>(family.recordSize));
        return record;
    }
    const std::int32_t leading = kRecordHeadPiece + kRecordSecondPiece;
    std::memcpy(reader.blocks.writable(record, 0, leading), reader.cursor.take(leading), leading);
    reader.readBlockInto(record, record::kVariablePieceSlot);
    std::memcpy(reader.blocks.writable(record, kVersion6TailStart, kRecordLastPiece),
                reader.cursor.take(kRecordLastPiece), kRecordLastPiece);
    return record;
}

// Version 6: a u16 length that counts itself, then the rest; only the first 1046 bytes are kept.
BlockHandle readSizedRecord(BlockReader& reader) {
    const std::uint16_t length = reader.cursor.readU16();
    if (length < 2) throwFail(kBadFile, __LINE__, kUnit);
    const std::int32_t kept = length < kSizedRecordCapacity ? length : kSizedRecordCapacity;
    const BlockHandle sized = reader.blocks.add(kSizedRecordCapacity);
    reader.blocks.setU16(sized, 0, length);
    std::memcpy(reader.blocks.writable(sized, 2, kept - 2), reader.cursor.take(kept - 2),
                static_cast<std::size_t>(kept - 2));
    reader.cursor.skip(length - kept);
    return sized;
}

BlockHandle readFixed(BlockReader& reader, std::int32_t length) {
    return reader.blocks.add(reader.cursor.take(length), length);
}

}  // namespace

std::int32_t AppleWorksFileReader::readDocumentKind() const {
    try {
        FileCursor cursor(data, size);
        BlockTable scratch;
        BlockReader reader(cursor, scratch, family);
        readFileHeader(cursor, family);
        const BlockHandle record = readDocumentRecord(reader);
        return scratch.view(record).u8(family.recordKindOffset);
    } catch (const CFail&) {
        return -1;
    }
}

void AppleWorksFileReader::readDocument(AppleWorksContents& contents) const {
    FileCursor cursor(data, size);
    BlockReader reader(cursor, contents.blocks, family);
    readFileHeader(cursor, family);
    contents.record = readDocumentRecord(reader);
    if (family.hasSizedRecord) contents.sizedRecord = readSizedRecord(reader);
    for (BlockHandle& leading : contents.leading) leading = reader.readBlock();

    // The rest of the document-wide data lies at an offset the file gives, past blocks nothing uses.
    cursor.seek(cursor.readU32());
    const std::uint32_t unused = cursor.readU32();
    cursor.skip(unused);
    if (unused > 0) cursor.skip(cursor.readU32());
    cursor.skip(family.skipBeforeGlobals);

    contents.globalsRecord = readFixed(reader, kGlobalsRecordSize);
    reader.readBlockInto(contents.record, family.recordPlaceholderOffset);
    contents.patternList = reader.readBlock();
    contents.colorTable = reader.readBlock();
    contents.afterColors = reader.readBlock();

    contents.docInfo = readFixed(reader, family.docInfoSize);
    contents.docInfoTail = readFixed(reader, kDocInfoTailSize);
    const std::int16_t headerCopies = contents.blocks.view(contents.record).i16(record::kHeaderCount);
    if (headerCopies > 1) cursor.skip(static_cast<std::int64_t>(headerCopies - 1) * family.docInfoCopySize);

    ZoneReader zoneReader(reader);
    const std::int16_t zoneCount = static_cast<std::int16_t>(cursor.readU16());
    for (std::int32_t zone = 1; zone < zoneCount; ++zone) {
        const BlockHandle handle = zoneReader.readZone();
        try {
            contents.zones.push_back(handle);
        } catch (const std::bad_alloc&) {
            throwFail(result::kOutOfMemory, __LINE__, kUnit);
        }
    }

    SectionReader sectionReader(reader, contents);
    sectionReader.readZoneExtras();
    while (sectionReader.readSection()) {
    }
    if (!sectionReader.checkEndMarker()) throwFail(kBadFile, __LINE__, kUnit);
}

}  // namespace appleworks
