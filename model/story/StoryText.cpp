// Story text: appending chunks of text with their formatting, anchors for the control codes, and the
// script hint and font that follow the characters.
#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "foundation/CFail.h"
#include "foundation/CRandom.h"
#include "foundation/encoding/CUnicode.h"
#include "foundation/language/CLanguage.h"
#include "model/story/CStory.h"

namespace {

constexpr const char* kUnit = "BStory";

// Anchor ids of one chunk start at a random value in this range and grow by one per anchor.
constexpr std::int32_t kFirstAnchorIdLow = 100;
constexpr std::int32_t kFirstAnchorIdHigh = 300;

// ---- 8-bit chunks ----

// The Mac text encodings that importers send 8-bit text in.
constexpr std::array<std::int32_t, 8> kStoryEncodings = {0, 1, 2, 3, 4, 5, 7, 29};

// The converters of the story encodings, made together when the first 8-bit chunk arrives and kept for
// the life of the process. A converter that could not be made stays null.
std::array<std::unique_ptr<CUnicode>, kStoryEncodings.size()>& storyConverters() {
    static std::array<std::unique_ptr<CUnicode>, kStoryEncodings.size()> converters;
    static bool made = false;
    if (!made) {
        made = true;
        for (std::size_t i = 0; i < kStoryEncodings.size(); ++i) {
            try {
                converters[i].reset(new (std::nothrow) CUnicode(kStoryEncodings[i], CUnicode::kToUtf16));
            } catch (const CFail&) {
                converters[i].reset();
            }
        }
    }
    return converters;
}

// The whole chunk in UTF-16: characters that cannot be converted are skipped, the rest comes through
// however long the chunk is (no fixed buffer cuts it). An encoding outside the table is read with a
// converter of its own for this chunk (Mac Roman for a code that names no charset), so that its text is
// not lost.
std::u16string convertChunk(std::int32_t encoding, const char* bytes, std::int32_t count) {
    std::u16string units;
    if (bytes == nullptr || count <= 0) return units;
    CUnicode* converter = nullptr;
    std::unique_ptr<CUnicode> ownConverter;
    for (std::size_t i = 0; i < kStoryEncodings.size(); ++i) {
        if (kStoryEncodings[i] == encoding) converter = storyConverters()[i].get();
    }
    if (converter == nullptr) {
        ownConverter.reset(new (std::nothrow) CUnicode(encoding, CUnicode::kToUtf16));
        throwIfNull(ownConverter.get(), __LINE__, kUnit);
        converter = ownConverter.get();
    }
    // One byte gives at most two units; a result that comes near the end of the room may have been cut,
    // so it is converted again with twice the room.
    std::int64_t room = static_cast<std::int64_t>(count) * 2 + 8;
    for (;;) {
        if (room * 2 > INT32_MAX) throwFail(result::kOutOfMemory, __LINE__, kUnit);
        units.resize(static_cast<std::size_t>(room));
        const std::int32_t capacity = static_cast<std::int32_t>(room * 2);
        const std::int32_t written = converter->convert(bytes, count, units.data(), capacity);
        if (written <= capacity - 8) {
            units.resize(static_cast<std::size_t>(written / 2));
            return units;
        }
        room *= 2;
    }
}

// ---- script hint and font ----

// The script hint that a text encoding asks for; encodings of no script keep the current hint.
std::int16_t hintForEncoding(std::int32_t encoding, std::int16_t current) {
    if (encoding >= 1056 && encoding <= 1059) return 4;  // East Asian
    if (encoding == 1280) return 1;                       // ASCII
    if ((encoding >= 1281 && encoding <= 1284) || encoding == 1287) return 2;  // high ANSI
    if (encoding == 1285 || encoding == 1286) return 3;  // complex script
    return current;
}

// The unit's text encoding in the run's language goes into txtCode; when it asks for another script,
// the hint follows and the font in force moves into the new script's font field. Without language
// tables every unit counts as Windows Latin 1.
void followScript(char16_t unit, XForm& form) {
    const CLanguage* tables = languageTables();
    const auto language = static_cast<std::uint16_t>(selectLanguageByHint(form));
    const std::int32_t encoding = tables != nullptr ? tables->encodingOfChar(unit, language) : kEncodingWindowsLatin1;
    form.txtCode = encoding;
    const std::int16_t hint = hintForEncoding(encoding, form.txtHint);
    if (hint == form.txtHint) return;
    fontFieldOfHint(form, hint) = selectFontByHint(form);
    form.txtHint = hint;
}

// ---- change detection within a chunk ----

// The character fields that appending sets unit by unit. Within one chunk the records passed in change
// only there: after each unit the story's last runs equal the records (a run was written, or nothing
// differed), so a unit whose fields here equal the previous unit's cannot start a run, and the full
// comparison is skipped.
struct UnitFormatting {
    std::int32_t txtType;
    std::int32_t txtCode;
    // The four font fields side by side in one word: compared at each unit, four narrow fields read back
    // as one wide load stalled the loop on every unit.
    std::uint64_t fonts;
    const CPicture* picData;
    std::int16_t txtHint;

    explicit UnitFormatting(const XForm& form)
        : txtType(form.txtType),
          txtCode(form.txtCode),
          fonts(packed(form.txtFontAscii) | packed(form.txtFontHAnsi) << 16 | packed(form.txtFontEa) << 32 |
                packed(form.txtFontCs) << 48),
          picData(form.picData),
          txtHint(form.txtHint) {}

    static std::uint64_t packed(std::int16_t font) { return static_cast<std::uint16_t>(font); }

    bool operator==(const UnitFormatting& other) const {
        return txtType == other.txtType && txtCode == other.txtCode && txtHint == other.txtHint &&
               fonts == other.fonts && picData == other.picData;
    }
};

// The text encodings of the ASCII units in one language, each looked up once per chunk: most story text
// is ASCII, and the look-up costs more than the rest of a unit's handling.
class AsciiEncodings {
public:
    explicit AsciiEncodings(const CLanguage* tables) : tables(tables) {}

    std::int32_t of(char16_t unit, std::uint16_t language) {
        if (unit >= known.size()) return lookUp(unit, language);
        if (language != knownLanguage) {
            known.fill(false);
            knownLanguage = language;
        }
        if (!known[unit]) {
            encodings[unit] = lookUp(unit, language);
            known[unit] = true;
        }
        return encodings[unit];
    }

private:
    std::int32_t lookUp(char16_t unit, std::uint16_t language) const {
        return tables != nullptr ? tables->encodingOfChar(unit, language) : kEncodingWindowsLatin1;
    }

    const CLanguage* tables;
    std::int32_t knownLanguage = -1;
    std::array<bool, 128> known{};
    std::array<std::int32_t, 128> encodings{};
};

// Most units of a chunk are characters of the script of the unit before: nothing about them can start a
// run, and appendText takes them in a few steps. That holds, with every kind's last run stored (no kind
// waits to be stored whole), for a unit that is no control code, after a unit of this chunk that was no
// anchor (so the record's encoding and script hint are that unit's), when its encoding equals the one
// the record holds: the script hint, and with it the fonts, follow from the encoding and stay as they
// are, so the unit's fields equal the previous unit's and the full path would neither mark nor write.
bool continuesRun(std::int32_t index, char16_t unit, const XForm& form, AsciiEncodings& encodings) {
    if (index == 0 || storycode::isControl(unit) || form.txtType != 0) return false;
    const auto language = static_cast<std::uint16_t>(selectLanguageByHint(form));
    return encodings.of(unit, language) == form.txtCode;
}

template <typename Record>
void clearRunHead(Record* record) {
    std::memset(record->changeBits, 0, sizeof record->changeBits);
    record->position = 0;
}

}  // namespace

void CStory::appendChunk(XParamBlock* block) {
    throwIfNullObject(block, __LINE__, kUnit);
    if (block->textEncoding == kUtf16TextEncoding) {
        appendText(block->textBuffer, block->textLength, &block->form, &block->rule, &block->page, 0);
        return;
    }
    std::u16string units;
    try {
        units = convertChunk(block->textEncoding, reinterpret_cast<const char*>(block->textBuffer), block->textLength);
    } catch (const std::bad_alloc&) {
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
    appendText(units.data(), static_cast<std::int32_t>(units.size()), &block->form, &block->rule, &block->page, 0);
}

void CStory::markAnchor(char16_t unit, XForm* form, std::int16_t tableId, std::int32_t& counter) {
    if (!storycode::isControl(unit)) return;
    switch (unit) {
    case storycode::kPicture:
        // Without a picture in the run the code stays a plain unit.
        if (form->picData == nullptr) return;
        writePicture(form->picData, -1);
        form->txtType = storycode::anchor(unit, pictureCount);
        form->picData = nullptr;  // the picture stays with the caller
        return;
    case storycode::kTable:
        form->txtType = storycode::anchor(unit, tableId);
        return;
    case storycode::kTab:
    case storycode::kParagraphEnd:
        return;
    default:
        form->txtType = storycode::anchor(unit, counter);
        lastAnchorId = counter;
        ++counter;
        return;
    }
}

void CStory::appendText(const char16_t* text, std::int32_t length, XForm* form, XRule* rule, XPage* page,
                        std::int16_t tableId) {
    throwIfNullObject(form, __LINE__, kUnit);
    throwIfNullObject(rule, __LINE__, kUnit);
    throwIfNullObject(page, __LINE__, kUnit);
    if (text == nullptr || length <= 0) {
        traceRuns(form, 1, rule, 1, page, 1);
        return;
    }
    // Positions are 32-bit: a story never grows past them.
    if (length > INT32_MAX - unitCount) throwFail(result::kOutOfMemory, __LINE__, kUnit);

    std::int32_t counter = randomInRange(kFirstAnchorIdLow, kFirstAnchorIdHigh);
    // Each chunk draws its first anchor id afresh. The id of the anchor just before would make two
    // anchors of one kind (two field ends, say) look like one run continued: they were stored as one
    // run of two units, and the exporter, which takes a control code only from a run of one, lost the
    // second anchor and with it a whole paragraph group, once in a couple of hundred conversions.
    if (counter == lastAnchorId) ++counter;
    UnitFormatting previous(*form);
    AsciiEncodings encodings(languageTables());
    for (std::int32_t i = 0; i < length; ++i) {
        const char16_t unit = text[i];
        clearRunHead(form);
        clearRunHead(rule);
        clearRunHead(page);
        const bool allStored = formAllChanged == 0 && ruleAllChanged == 0 && pageAllChanged == 0;
        if (allStored && continuesRun(i, unit, *form, encodings)) {
            // Nothing the fast path passes over changes the records: the units after it that continue
            // the run as well are counted on the spot.
            const auto language = static_cast<std::uint16_t>(selectLanguageByHint(*form));
            const std::int32_t runStart = i;
            ++unitCount;
            while (i + 1 < length && !storycode::isControl(text[i + 1]) &&
                   encodings.of(text[i + 1], language) == form->txtCode) {
                ++i;
                ++unitCount;
            }
            rowCount.plainUnits(i - runStart + 1);
            continue;
        }
        form->txtType = 0;
        markAnchor(unit, form, tableId, counter);
        followScript(unit, *form);

        const UnitFormatting now(*form);
        const bool first = i == 0;
        if ((first || formAllChanged == 1 || !(now == previous)) && markFormChanges(form) != 0) writeForm(form);
        if ((first || ruleAllChanged == 1) && markRuleChanges(rule) != 0) writeRule(rule);
        if ((first || pageAllChanged == 1) && markPageChanges(page) != 0) writePage(page);
        rowCount.unit(unit);
        previous = now;
        ++unitCount;
    }
    throwIfError(textStream->writeValues(text, length, nullptr), __LINE__, kUnit);
    traceRuns(form, 1, rule, 1, page, 1);
}
