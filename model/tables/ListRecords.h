#pragma once
// The list records of a document: list definitions (XListDef) with nine levels each, list overrides
// (XListOvr), the list numbers that paragraphs use, with nine overriding levels when they replace a
// level, and picture bullets (XListPic). The field names echo the RTF list-table control words. Their keys are in their
// field tables (DocumentRecordTables.h, ListRecordFields.cpp).
//
// Ownership: a level owns its number text `levelText` (a block of the memory layer), an override owns its
// levels and a picture bullet owns its picture. A plain copy shares them; exactly one holder releases them. The parameter block holds
// the three arrays as blocks of the memory layer and releases them with everything they own.
#include <cstdint>
#include <type_traits>

#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"

class CPicture;

constexpr int kListLevels = 9;
constexpr int kListNameBytes = 256;
constexpr int kLevelNumbersBytes = 256;
constexpr int kLevelStyleBytes = 104;

// One level of a list definition or override (element "LEVEL%03d", whose text is the number text).
struct XListLevel {
    std::int16_t levelStartAt;
    std::int16_t levelNfc;  // number format code
    std::int16_t levelJc;   // justification of the number
    std::int16_t levelNfcn;
    std::int16_t levelJcn;
    std::int16_t levelOld;  // legacy level
    std::int16_t levelPrev;
    std::int16_t levelPrevSpace;
    std::int16_t levelIndent;
    std::int16_t levelSpace;          // space after the number
    std::int32_t levelTextLength;     // UTF-16 units of levelText
    char16_t* levelText;              // owned; the number text, or null
    char levelnumbers[kLevelNumbersBytes];  // places of the level placeholders in the number text
    std::int32_t levelTplc;
    std::int16_t levelTentative;
    // What follows the number: 0 a tab, 1 a blank, 2 nothing (what the importers store). The RTF
    // writer also reads 9 as a tab and 32 as a blank.
    std::int16_t levelFollow;
    std::int16_t levelLegal;
    std::int16_t levelNoRestart;
    std::int16_t levelHasPicture;  // 1: the level uses the picture bullet levelPicture
    std::int16_t levelPicture;     // listPicBulletId of that bullet
    XForm levelForm;               // child "levelForm"
    XRule levelRule;               // child "levelRule"
    XPage levelPage;               // filled by the WordprocessingML import; not stored
    char levelStyle[kLevelStyleBytes];  // paragraph style linked to the level; not stored
};

// One list definition (element "LISTDEF%03d").
struct XListDef {
    std::int32_t listDefId;  // the number overrides refer to
    std::int32_t listId;
    std::int32_t listTemplateId;
    std::int16_t listSimple;
    std::int16_t listMultiLevel;
    std::int16_t listHybrid;
    std::int16_t listRestartHdn;
    char listName[kListNameBytes];
    char listStyleId[kListNameBytes];    // the numbering style this definition only refers to, or empty
    char listStyleName[kListNameBytes];  // the numbering style this definition defines
    XListLevel levels[kListLevels];
};

using XListLevels = XListLevel[kListLevels];

// One list override (element "LISTOVR%03d"): the list number that paragraphs use. Most overrides only
// name their definition or restart its numbering; only one that replaces a level holds levels, so a
// document's overrides take no more memory than what they override.
struct XListOvr {
    std::int32_t listIlst;  // listDefId of its definition
    std::int32_t listIlfo;  // its own number
    std::int16_t listOverrideCount;
    std::int16_t startOverride[kListLevels];  // keys "XListOvr_startOverride%03d"
    // Owned (a block of the memory layer): the nine levels, cleared where none replaces the definition's,
    // when the override replaces any; null when it replaces none, which reads as nine cleared levels.
    XListLevels* levels;
};

// One picture bullet (element "LISTPIC%03d").
struct XListPic {
    CPicture* picture;  // owned
    std::int32_t listPicBulletId;  // the number a level's levelPicture names
};

static_assert(std::is_trivially_copyable_v<XListLevel> && std::is_trivially_copyable_v<XListDef> &&
                  std::is_trivially_copyable_v<XListOvr> && std::is_trivially_copyable_v<XListPic>,
              "records travel between the engines as plain bytes");

// Frees the number text of each of the nine levels and nulls it; answers how many texts it freed.
std::int32_t releaseLevelTexts(XListLevel (&levels)[kListLevels]);
// The override's nine levels: its own, or nine cleared levels when it replaces none.
const XListLevels& overrideLevels(const XListOvr& listOverride);
// The override's own levels, nine cleared ones made for it when it has none yet; null when memory lacks.
XListLevels* ownOverrideLevels(XListOvr& listOverride);
// Frees the override's level texts and its levels; answers how many texts it freed.
std::int32_t releaseOverrideLevels(XListOvr& listOverride);
// How many records of `recordSize` bytes a list array made by the memory layer holds; 0 for null.
std::int32_t listArrayCapacity(const void* array, std::int32_t recordSize);
// A count read from a block or a storage, taken within 0 and the capacity of its array.
std::int32_t clampListCount(std::int32_t count, const void* array, std::int32_t recordSize);

// Field by field, padding aside; texts, pictures and an override's levels are compared by their pointers.
bool equalXListLevel(const XListLevel& a, const XListLevel& b);
bool equalXListDef(const XListDef& a, const XListDef& b);
bool equalXListOvr(const XListOvr& a, const XListOvr& b);
