#pragma once
// The importer's list table: the abstract list definitions with their nine levels, the list instances
// (the numbers paragraphs name) with their level overrides, and the picture bullets, each kept in
// document order with the id the document gives it. Paragraphs and styles resolve an instance number
// to its definition here; at the end of reading, the table is handed to the parameter block
// (ListsReader.cpp).
//
// Level texts: the levels of this table point into the importer's LevelTexts, which owns every text
// once; the table never frees one, and the hand-over gives the block copies of its own.
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/CBase.h"
#include "model/tables/ListRecords.h"

struct TListDef : public CBase {
    TListDef();
    XListDef def;
};

// The instance owns its levels (not their texts, see above).
struct TListOvr : public CBase {
    TListOvr();
    ~TListOvr() override;
    TListOvr(const TListOvr&) = delete;
    TListOvr& operator=(const TListOvr&) = delete;
    XListOvr ovr;
};

// A picture bullet; its picture, when it has one, is owned by the bullet.
struct TListPic : public CBase {
    TListPic();
    ~TListPic() override;
    TListPic(const TListPic&) = delete;
    TListPic& operator=(const TListPic&) = delete;
    XListPic pic;
};

class TListDefsArray : public CBase {
public:
    // The block counts each array with 16 bits: no kind holds more entries than that.
    static constexpr std::size_t kMaxEntries = 32767;

    // Each add takes the object over and answers true, or answers false and leaves the table unchanged
    // when an entry of the same id is present (the first wins) or the kind is full; the caller then
    // still owns the object.
    bool addDef(std::unique_ptr<TListDef>& definition);
    bool addOvr(std::unique_ptr<TListOvr>& instance);
    bool addPic(std::unique_ptr<TListPic>& bullet);

    // The first entry with that id, or null.
    TListDef* findDef(std::int32_t listDefId) const;
    TListOvr* findOvr(std::int32_t ilfo) const;
    TListPic* findPic(std::int32_t bulletId) const;
    // The definition of the instance numbered ilfo; null when the instance or its definition is missing.
    TListDef* findDefForOvr(std::int32_t ilfo) const;

    const std::vector<std::unique_ptr<TListDef>>& definitions() const { return defs; }
    const std::vector<std::unique_ptr<TListOvr>>& instances() const { return ovrs; }
    const std::vector<std::unique_ptr<TListPic>>& bullets() const { return pics; }

private:
    std::vector<std::unique_ptr<TListDef>> defs;
    std::vector<std::unique_ptr<TListOvr>> ovrs;
    std::vector<std::unique_ptr<TListPic>> pics;
};
