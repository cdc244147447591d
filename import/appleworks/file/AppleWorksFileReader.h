#pragma once
// Reads an AppleWorks 5 or 6 file, held whole in memory, into AppleWorksContents: the 20-byte file
// header, the document record, the document-wide blocks, the document header, the zones (ZoneReader), the
// per-zone extras and tagged sections (SectionReader) and the end marker. Which family the reader expects
// is given at construction; a file of the other family is refused like any bad file.
//
// Failures raise CFail, unit "BL_AppleWorks(imp)": -120 for a file that is not of the family, a short
// read, a length, count or offset the file cannot satisfy, or a missing end marker; 12 for lack of memory.
// What was read before a failure stays in the contents and is freed with them.
#include <cstdint>

#include "import/appleworks/file/AppleWorksContents.h"
#include "import/appleworks/file/AppleWorksFamily.h"

namespace appleworks {

constexpr std::int32_t kFileHeaderSize = 20;
constexpr std::uint32_t kSignature = 0x424F424Fu;  // "BOBO"

// Offsets of the document record shared by both families (before the version-6 variable piece).
namespace record {
constexpr std::int32_t kHeaderCount = 0;
constexpr std::int32_t kPageRect = 6;
constexpr std::int32_t kMargins = 14;
constexpr std::int32_t kThirdRect = 22;
constexpr std::int32_t kVariablePieceSlot = 76;  // version 6 only
// u16: the zone of the document's root drawing layer, which holds what is anchored to the pages.
constexpr std::int32_t kDrawingZone = 54;
}  // namespace record

class AppleWorksFileReader {
public:
    AppleWorksFileReader(const AppleWorksFamily& fileFamily, const std::uint8_t* bytes, std::int32_t length)
        : family(fileFamily), data(bytes), size(length) {}

    // The document-kind byte (0 to 255) from the header and the document record alone; -1 when they cannot
    // be read as a file of this family. Never raises.
    std::int32_t readDocumentKind() const;
    // Reads the whole file into the contents.
    void readDocument(AppleWorksContents& contents) const;

private:
    const AppleWorksFamily& family;
    const std::uint8_t* data;
    std::int32_t size;
};

}  // namespace appleworks
