#include "engine/translators/CTranslator.h"

#include <new>

#include "engine/translators/CBaseTranslator.h"
#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextCompare.h"
#include "model/params/XParamBlock.h"

namespace {

constexpr const char* kUnit = "BTranslator";

std::int32_t countEntries(const TranslatorEntry* table) {
    std::int32_t count = 0;
    if (table == nullptr) return 0;
    while (table[count].factory != nullptr) ++count;
    return count;
}

// Releases the translator made for one request on every way out.
class RequestTranslatorScope {
public:
    explicit RequestTranslatorScope(CTranslator& registry) : registry(registry) {}
    ~RequestTranslatorScope() { registry.release(); }
    RequestTranslatorScope(const RequestTranslatorScope&) = delete;
    RequestTranslatorScope& operator=(const RequestTranslatorScope&) = delete;

private:
    CTranslator& registry;
};

// Disposes the block of one request on every way out; a block whose set-up failed half-way holds
// exactly the objects made before the failure.
class RequestBlockScope {
public:
    explicit RequestBlockScope(XParamBlock& block) : block(block) {}
    ~RequestBlockScope() { disposeXParamBlock(&block); }
    RequestBlockScope(const RequestBlockScope&) = delete;
    RequestBlockScope& operator=(const RequestBlockScope&) = delete;

private:
    XParamBlock& block;
};

}  // namespace

CTranslator::CTranslator(TranslatorEntry* table, TranslatorDirection direction)
    : table(table), direction(direction), entries(countEntries(table)) {}

CTranslator::~CTranslator() {
    release();
}

TranslatorEntry* CTranslator::entryAt(std::int32_t index) const {
    if (index < 0 || index >= entries) return nullptr;
    return table + index;
}

TranslatorDescriptor* CTranslator::descriptorAt(std::int32_t index) const {
    const TranslatorEntry* entry = entryAt(index);
    return entry != nullptr ? entry->descriptor : nullptr;
}

std::int32_t CTranslator::indexOfName(const char* name) const {
    if (name == nullptr) return -1;
    for (std::int32_t index = 0; index < entries; ++index) {
        const TranslatorDescriptor* descriptor = descriptorAt(index);
        if (descriptor != nullptr && compareText(name, descriptor->name, 0) == 0) return index;
    }
    return -1;
}

TranslatorDescriptor* CTranslator::findByName(const char* name, std::int32_t* index) const {
    const std::int32_t found = indexOfName(name);
    if (index != nullptr) *index = found;
    return descriptorAt(found);
}

std::int16_t CTranslator::create(std::int32_t& index, const TranslatorDescriptor** descriptor,
                                 const PascalWString* name, const PascalWString* folder, char16_t** reason) {
    // One live translator per registry: a current one goes before another is made.
    if (currentIndex >= 0) release();
    if (name != nullptr && folder != nullptr) index = detect(index, 1, *name, *folder, reason);
    TranslatorEntry* entry = entryAt(index);
    if (entry == nullptr) return result::kNoSuchTranslator;
    if (descriptor != nullptr) *descriptor = entry->descriptor;
    const std::int16_t made = failureCode([entry] {
        entry->object = entry->factory(entry->descriptor);
        throwIfNull(entry->object, __LINE__, kUnit);
    });
    if (made != 0) {
        disposeObject(entry->object);
        return made;
    }
    currentIndex = index;
    return 0;
}

std::int16_t CTranslator::release() {
    TranslatorEntry* entry = entryAt(currentIndex);
    if (entry == nullptr) return result::kNoSuchTranslator;
    disposeObject(entry->object);
    currentIndex = -1;
    return 0;
}

std::int32_t CTranslator::send(std::int16_t selector, XParamBlock* block) {
    TranslatorEntry* entry = entryAt(currentIndex);
    if (entry == nullptr || entry->object == nullptr) return result::kNoSuchTranslator;
    if (block == nullptr) return dispatchResultOf(result::kNullObject);
    block->selector = selector;
    return entry->object->dispatch(block);
}

std::int32_t CTranslator::request(std::int32_t index, std::int16_t selector, FileSpec* item, char16_t** reason) {
    // Making the translator of this request would end the current one.
    if (currentIndex >= 0) return result::kNoSuchTranslator;
    std::int32_t requestIndex = index;
    if (create(requestIndex, nullptr, nullptr, nullptr, nullptr) != 0) return result::kNoSuchTranslator;
    RequestTranslatorScope translatorScope(*this);

    XParamBlock block{};
    RequestBlockScope blockScope(block);
    initXParamBlock(nullptr, &block);
    block.selector = selector;
    block.identifySpec = item;
    const std::int32_t answer = send(selector, &block);
    if (block.reasonText != nullptr && reason != nullptr) {
        freeMemory(*reason);
        *reason = duplicateWString(block.reasonText);
        throwIfNull(*reason, __LINE__, kUnit);
    }
    return answer;
}
