// Tables and text boxes for an exporter that does not place them itself (the text writers).
//
// A table or a text box is part of the body a reader sees, not a side story a user may choose to set
// aside: an exporter that takes the table or graphic kind places them where their anchors stand,
// through the stories on demand; any other exporter gets their runs in place, in the run stream of the
// story around them, with no begin or end request. A table's cells keep their cell marks (a row's end
// is the mark whose record says it is the row's last), so the writer can separate the cells; a table
// inside a table comes in place in its turn. A text box comes right after the picture that holds it.
#include <string>
#include <string_view>
#include <vector>

#include "engine/ProgramPreferences.h"
#include "engine/export/CExportEngine.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/memory/Memory.h"
#include "model/CPicture.h"
#include "model/params/XParamBlock.h"
#include "model/records/PictureOwnership.h"
#include "picture/shapes/ShapeText.h"

namespace {
constexpr const char* kUnit = "BEngineExp";
constexpr std::int16_t kGraphicKind = 9;
constexpr std::int16_t kTableKind = 10;
// A graphic story listed after the main text is already there once.
constexpr std::int16_t kHandlingListed = 3;

// The names of the text boxes a picture's shape text marks, in their order. A marker without its end
// marks nothing, as in the RTF writer.
std::vector<std::string> textBoxNames(const CPicture& picture) {
    std::vector<std::string> names;
    const std::uint8_t* data = picture.getRtfData();
    const std::int32_t length = picture.getRtfLength();
    if (data == nullptr || length <= 0) return names;
    const std::string_view text(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    raisingOutOfMemory(__LINE__, kUnit, [&] {
        for (std::size_t at = text.find(kTextBoxMarkerStart); at != std::string_view::npos;) {
            const std::size_t nameAt = at + kTextBoxMarkerStart.size();
            const std::size_t endAt = text.find(kTextBoxMarkerEnd, nameAt);
            if (endAt == std::string_view::npos) break;
            names.emplace_back(text.substr(nameAt, endAt - nameAt));
            at = text.find(kTextBoxMarkerStart, endAt + kTextBoxMarkerEnd.size());
        }
    });
    return names;
}
}  // namespace

// Whether the exporter takes the kind (the table kind has bit 0, kinds 2 to 9 bit kind - 1).
bool CExportEngine::placesItself(std::int16_t exportKind) const {
    const std::uint16_t bit = exportKind == kTableKind ? 0x001 : static_cast<std::uint16_t>(1u << (exportKind - 1));
    return (exporterDescriptor->storyMask & bit) != 0;
}

// The anchor run's record holds the table's mark.
void CExportEngine::playTableInPlace(XParamBlock* block) {
    const std::int32_t mark = block->form.txtData;
    CStory* table = findStory(kTableKind, nullptr, &mark, block);
    if (table != nullptr) exportStory(table, kStoryInline, mark, sheetStream, block, 1);
}

// The picture of the anchor run is released first: the text boxes' runs reuse the run's record.
void CExportEngine::playTextBoxesInPlace(XParamBlock* block) {
    if (block->form.picData == nullptr || placesItself(kGraphicKind) ||
        gPreferences.storyOptions[kGraphicKind] == kHandlingListed) {
        return;
    }
    const std::vector<std::string> names = textBoxNames(*block->form.picData);
    disposePicture(block->form.picData);
    for (const std::string& name : names) {
        CStory* box = findStory(kGraphicKind, name.c_str(), nullptr, block);
        if (box != nullptr) exportStory(box, kStoryInline, -1, sheetStream, block, 1);
    }
}
