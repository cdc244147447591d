#pragma once
// The document-parameter block: the one record that passes between an engine and a translator. Every
// request carries a pointer to one: the request code goes in `selector` and the answer comes back there;
// the text run, the current character, paragraph and section records, the document settings, the
// document tables, the list arrays, the theme and the file to open live in the block or hang off it.
//
// Ownership: the block owns `theme`, the four tables, the three list arrays (blocks of the memory layer)
// with every `levelText` of their levels and every bullet's `picture`, and `reasonText` (a block of the
// memory layer). It borrows `textBuffer`, `backgroundText` (the task's two buffers), `progressWindow` and
// `identifySpec`. A member-wise copy shares all of these and is never disposed.
//
// Life: whoever sets a block up with initXParamBlock disposes it once with disposeXParamBlock; a disposed
// block is set up again before any further use.
#include <cstdint>
#include <type_traits>

#include "foundation/files/FileSpec.h"
#include "model/records/XHead.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"
#include "model/tables/ListRecords.h"

class CAuthorArray;
class CColorArray;
class CFontArray;
class CProgWindow;
class CStyleArray;
class CTheme;
class ParamBlockHost;

// textEncoding of UTF-16 text; any other value is the text-encoding code of 8-bit text.
constexpr std::int32_t kUtf16TextEncoding = 65535;
constexpr int kMarkBytes = 256;
constexpr int kStoryNameBytes = 128;

struct XParamBlock {
    std::int16_t selector;     // request code in, answer out
    std::int16_t sheetIndex;   // sheet being begun, from 0
    std::int16_t storyNumber;  // 1 header ... 9 table, 10 main
    std::int32_t textEncoding;  // kUtf16TextEncoding: textLength counts units; else 8-bit text, bytes
    std::int32_t textLength;
    char16_t* textBuffer;  // borrowed: the task's text-run buffer, or a run of a loaded story
    std::int32_t backgroundLength;  // bytes of backgroundText before its 0; 0 = no page background
    char* backgroundText;           // borrowed: the task's side buffer
    CTheme* theme;            // owned
    CColorArray* colors;      // owned
    CFontArray* fonts;        // owned
    CStyleArray* styles;      // owned
    CAuthorArray* authors;    // owned
    CProgWindow* progressWindow;  // borrowed, or null
    std::int16_t listDefCount;
    XListDef* listDefs;  // owned, or null
    std::int16_t listOvrCount;
    XListOvr* listOvrs;  // owned, or null
    std::int16_t listPicCount;
    XListPic* listPics;  // owned, or null
    XForm form;  // the records of the current run
    XRule rule;
    XPage page;
    XHead head;  // document settings and facts about the input file
    std::uint8_t mark[kMarkBytes];  // length-prefixed; carried, never set
    FileSpec* identifySpec;  // borrowed: the item of identify requests
    FileSpec fileSpec;       // the file the translator opens
    std::int32_t storyType;  // header of the story being stored or read back
    std::int32_t storyMark;
    char storyName[kStoryNameBytes];
    std::int32_t expectedLength;  // estimated units of the main story, 0 = none
    std::int32_t sheetCount;
    std::int32_t storyRows;   // table rows of the story being exported
    char16_t* reasonText;     // owned: why a translator refused an item, or null
};

static_assert(std::is_trivially_copyable_v<XParamBlock>, "the block travels between the engines as plain bytes");

// Sets a block up for one phase: every byte zero, UTF-16 text, default records (the page of the task's
// page-size code, or the letter page without a task), a theme and four empty tables; with a task, the
// task's buffers are cleared and linked in. Each object is stored before it is checked, so when one cannot
// be made (CFail 12, unit "BEngine", or the object's own failure) the block holds exactly the objects made
// before it, and disposeXParamBlock releases them.
void initXParamBlock(ParamBlockHost* task, XParamBlock* block);

// What disposing a block released, for diagnostics and tests.
struct ParamBlockRelease {
    std::int32_t levelTexts;
    std::int32_t pictures;
    std::int32_t arrays;
};

// Releases everything the block owns and nulls each owned pointer: the level texts and pictures of the
// list arrays (counts taken within the arrays' capacities, null arrays skipped), the arrays, the theme,
// the four tables and the reason text. Counts, borrowed pointers and the embedded records stay.
// Disposing twice releases nothing the second time.
ParamBlockRelease disposeXParamBlock(XParamBlock* block);
