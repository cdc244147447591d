#include "import/spreadsheet/styles/CNumFmt.h"

#include "foundation/encoding/Utf8Codec.h"
#include "import/spreadsheet/numberformat/ExFormat.h"
#include "import/spreadsheet/numberformat/FormatStrings.h"
#include "package/xml/XmlNodeHelpers.h"

CNumFmt::CNumFmt() = default;

CNumFmt::CNumFmt(const CNumFmt& other) : formatCode(other.formatCode), numFmtId(other.numFmtId) {}

CNumFmt& CNumFmt::operator=(const CNumFmt& other) {
    if (this != &other) {
        formatCode = other.formatCode;
        numFmtId = other.numFmtId;
        engine.reset();
    }
    return *this;
}

CNumFmt::~CNumFmt() = default;

void CNumFmt::reset() {
    formatCode.clear();
    numFmtId = 0;
    engine.reset();
}

void CNumFmt::setBuiltin(std::int32_t id) {
    formatCode = std::u16string(builtInFormatCode(static_cast<std::uint16_t>(id)));
    numFmtId = id;
    engine.reset();
}

void CNumFmt::read(const xmlNode* element) {
    std::int16_t present = 0;
    if (const char* code = xmlGetAttrString(element, nullptr, "formatCode", &present))
        formatCode = utf8ToUtf16String(code);
    const std::int32_t id = xmlGetAttrInt(element, nullptr, "numFmtId", &present);
    if (present != 0) numFmtId = id;
    engine.reset();
}

const ExFormat& CNumFmt::formatter() const {
    if (!engine) {
        // An id outside the built-in range is never looked up as one: its own code (or General) holds.
        const auto id = static_cast<std::uint16_t>(numFmtId >= 0 && numFmtId < kBuiltInFormatCount ? numFmtId : 0);
        engine = std::make_unique<ExFormat>(id, std::u16string_view(formatCode));
    }
    return *engine;
}

void CNumFmtsArray::add(const CNumFmt& format) { formats[format.numFmtId] = format; }

const CNumFmt* CNumFmtsArray::findById(std::int32_t id) const {
    const auto found = formats.find(id);
    return found != formats.end() ? &found->second : nullptr;
}
