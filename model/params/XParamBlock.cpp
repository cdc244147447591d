#include "model/params/XParamBlock.h"

#include <cstring>
#include <new>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/params/ParamBlockHost.h"
#include "model/records/PictureOwnership.h"
#include "model/tables/CAuthorArray.h"
#include "model/tables/CColorArray.h"
#include "model/tables/CFontArray.h"
#include "model/tables/CStyleArray.h"
#include "package/theme/CTheme.h"

namespace {

constexpr const char* kUnit = "BEngine";
// The page-size code of blocks set up without a task: the letter page.
constexpr std::int16_t kNoTaskPageSize = 2;

template <typename Record>
std::int32_t recordSize() {
    return static_cast<std::int32_t>(sizeof(Record));
}

std::int32_t releaseListDefs(XParamBlock* block) {
    std::int32_t freed = 0;
    const std::int32_t count = clampListCount(block->listDefCount, block->listDefs, recordSize<XListDef>());
    for (std::int32_t i = 0; i < count; ++i) freed += releaseLevelTexts(block->listDefs[i].levels);
    return freed;
}

std::int32_t releaseListOvrs(XParamBlock* block) {
    std::int32_t freed = 0;
    const std::int32_t count = clampListCount(block->listOvrCount, block->listOvrs, recordSize<XListOvr>());
    for (std::int32_t i = 0; i < count; ++i) freed += releaseOverrideLevels(block->listOvrs[i]);
    return freed;
}

std::int32_t releaseListPictures(XParamBlock* block) {
    std::int32_t freed = 0;
    const std::int32_t count = clampListCount(block->listPicCount, block->listPics, recordSize<XListPic>());
    for (std::int32_t i = 0; i < count; ++i) {
        if (block->listPics[i].picture == nullptr) continue;
        disposePicture(block->listPics[i].picture);
        ++freed;
    }
    return freed;
}

template <typename Record>
std::int32_t releaseArray(Record*& array) {
    if (array == nullptr) return 0;
    freeMemory(array);
    return 1;
}

}  // namespace

void initXParamBlock(ParamBlockHost* task, XParamBlock* block) {
    throwIfNullObject(block, __LINE__, kUnit);
    std::memset(static_cast<void*>(block), 0, sizeof(XParamBlock));
    block->textEncoding = kUtf16TextEncoding;
    initXForm(&block->form);
    initXRule(&block->rule);
    initXPage(&block->page, task != nullptr ? task->defaultPageSize() : kNoTaskPageSize);
    initXHead(&block->head);

    // Each object goes into its field before it is checked, so a failure leaves the field null and every
    // object made before it in place for the disposal.
    block->theme = new (std::nothrow) CTheme();
    throwIfNull(block->theme, __LINE__, kUnit);
    block->authors = new (std::nothrow) CAuthorArray();
    throwIfNull(block->authors, __LINE__, kUnit);
    block->colors = new (std::nothrow) CColorArray();
    throwIfNull(block->colors, __LINE__, kUnit);
    block->fonts = new (std::nothrow) CFontArray();
    throwIfNull(block->fonts, __LINE__, kUnit);
    block->styles = new (std::nothrow) CStyleArray();
    throwIfNull(block->styles, __LINE__, kUnit);

    if (task != nullptr) {
        task->clearBuffers();
        block->textBuffer = task->textBuffer();
        block->backgroundText = task->sideBuffer();
    }
}

ParamBlockRelease disposeXParamBlock(XParamBlock* block) {
    ParamBlockRelease released{0, 0, 0};
    if (block == nullptr) return released;
    released.levelTexts = releaseListDefs(block) + releaseListOvrs(block);
    released.pictures = releaseListPictures(block);
    released.arrays = releaseArray(block->listDefs) + releaseArray(block->listOvrs) + releaseArray(block->listPics);
    disposeObject(block->theme);
    disposeObject(block->authors);
    disposeObject(block->colors);
    disposeObject(block->fonts);
    disposeObject(block->styles);
    freeMemory(block->reasonText);
    return released;
}
