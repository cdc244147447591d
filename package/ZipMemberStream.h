#pragma once
// One zip member inflated piece by piece through a handle of its own on the package, so that it may be
// read on another thread while the package's own reader goes on. It keeps the whole-member reader's
// checks (CUnzipper.h): the stated size bounds what is read, a zip bomb is refused before any data,
// data shorter than stated or empty raises 22 at its end, and the checksum is checked there (-105).
#include <minizip/unzip.h>

#include <cstdint>

#include "package/PartByteStream.h"

class ZipMemberStream : public PartByteStream {
public:
    // Opens the package file (a path as the zip file callbacks take it) and the member; failures raise
    // CFail with CUnzipper::extractMember's codes.
    ZipMemberStream(const char16_t* packageFile, const char* memberName);
    ~ZipMemberStream() override;
    ZipMemberStream(const ZipMemberStream&) = delete;
    ZipMemberStream& operator=(const ZipMemberStream&) = delete;

    std::int32_t read(char* into, std::int32_t room) override;
    // The member's size as the archive states it (and as the data is held to).
    std::uint64_t statedSize() const { return stated; }

private:
    void finish();
    void close();

    unzFile archive = nullptr;
    bool memberOpen = false;
    bool ended = false;
    std::uint64_t stated = 0;
    std::uint64_t filled = 0;
};
