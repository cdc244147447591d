#include "import/wordml/lists/TListDefsArray.h"

#include <cstring>

#include "foundation/FailureCode.h"
#include "foundation/memory/Memory.h"
#include "model/records/PictureOwnership.h"

namespace {

constexpr const char* kUnit = "BL_WordML(imp)";

template <typename Entry, typename Key>
Entry* findEntry(const std::vector<std::unique_ptr<Entry>>& entries, Key key, std::int32_t id) {
    for (const std::unique_ptr<Entry>& entry : entries) {
        if (key(*entry) == id) return entry.get();
    }
    return nullptr;
}

template <typename Entry, typename Key>
bool addEntry(std::vector<std::unique_ptr<Entry>>& entries, std::unique_ptr<Entry>& entry, Key key) {
    if (entry == nullptr || entries.size() >= TListDefsArray::kMaxEntries) return false;
    if (findEntry(entries, key, key(*entry)) != nullptr) return false;
    raisingOutOfMemory(__LINE__, kUnit, [&] { entries.push_back(std::move(entry)); });
    return true;
}

std::int32_t defId(const TListDef& entry) { return entry.def.listDefId; }
std::int32_t ovrId(const TListOvr& entry) { return entry.ovr.listIlfo; }
std::int32_t picId(const TListPic& entry) { return entry.pic.listPicBulletId; }

}  // namespace

TListDef::TListDef() { std::memset(static_cast<void*>(&def), 0, sizeof def); }

TListOvr::TListOvr() { std::memset(static_cast<void*>(&ovr), 0, sizeof ovr); }

TListOvr::~TListOvr() { freeMemory(ovr.levels); }

TListPic::TListPic() : pic{nullptr, 0} {}

TListPic::~TListPic() { disposePicture(pic.picture); }

bool TListDefsArray::addDef(std::unique_ptr<TListDef>& definition) { return addEntry(defs, definition, defId); }
bool TListDefsArray::addOvr(std::unique_ptr<TListOvr>& instance) { return addEntry(ovrs, instance, ovrId); }
bool TListDefsArray::addPic(std::unique_ptr<TListPic>& bullet) { return addEntry(pics, bullet, picId); }

TListDef* TListDefsArray::findDef(std::int32_t listDefId) const { return findEntry(defs, defId, listDefId); }
TListOvr* TListDefsArray::findOvr(std::int32_t ilfo) const { return findEntry(ovrs, ovrId, ilfo); }
TListPic* TListDefsArray::findPic(std::int32_t bulletId) const { return findEntry(pics, picId, bulletId); }

TListDef* TListDefsArray::findDefForOvr(std::int32_t ilfo) const {
    const TListOvr* instance = findOvr(ilfo);
    return instance == nullptr ? nullptr : findDef(instance->ovr.listIlst);
}
