#pragma once
// One buffered run of a story on its way to the RTF emitter: the character and paragraph records that
// apply to it, its direction and up to kCapacity UTF-16 units. The buffered run owns its own copy of the
// run's picture, so it can be replayed after the request that delivered the run is over. The paragraph
// record is shared by the buffered runs of one paragraph: it is large and the same for all of them.
#include <cstdint>
#include <memory>

#include "foundation/CBase.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"

class CRTFBuffer : public CBase {
public:
    static constexpr std::int16_t kCapacity = 256;
    // direction 0: written in stored order; 1: a number run written in reverse order.
    // paragraph: never null.
    CRTFBuffer(std::int16_t direction, const XForm& sourceForm, std::shared_ptr<const XRule> paragraph);
    ~CRTFBuffer() override;
    CRTFBuffer(const CRTFBuffer&) = delete;
    CRTFBuffer& operator=(const CRTFBuffer&) = delete;

    std::int16_t count() const { return unitCount; }
    bool isFull() const { return unitCount == kCapacity; }
    std::int16_t room() const { return static_cast<std::int16_t>(kCapacity - unitCount); }
    const XForm& form() const { return runForm; }
    const XRule& rule() const { return *runRule; }
    std::int16_t direction() const { return runDirection; }
    CPicture* picture() const { return runForm.picData; }
    const char16_t* text() const { return units; }
    // Stores the unit after the last; a full buffered run raises CFail 22 (the extruder starts a new
    // one first).
    void append(char16_t unit);
    void replaceLast(char16_t unit);

private:
    XForm runForm{};
    std::shared_ptr<const XRule> runRule;
    std::int16_t unitCount = 0;
    std::int16_t runDirection;
    char16_t units[kCapacity] = {};
};
