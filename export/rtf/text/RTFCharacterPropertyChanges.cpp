#include "export/rtf/text/RTFCharacterPropertyChanges.h"

#include "export/rtf/CRTFFile.h"
#include "export/rtf/fields/RTFRevisionWriter.h"
#include "export/rtf/head/RTFFontNumber.h"
#include "export/rtf/layout/RTFShadingWriter.h"
#include "export/rtf/text/RTFCharacterProperties.h"
#include "foundation/FieldMask.h"

namespace {

// Change bits of the character record, as its field table numbers them.
enum FormBit : int {
    kLatinLanguageBit = 2,
    kComplexLanguageBit = 4,
    kHintBit = 5,
    kComplexFontBit = 9,
    kSizeBit = 11,
    kFaceBit = 13,
    kRateBit = 15,
    kBaseBit = 16,
    kForeBit = 17,
    kBackBit = 18,
    kKernBit = 19,
    kFillBit = 20,
    kBorderBit = 26,
    kShadingBit = 28,
    kSpacingBit = 29,
    kUnderlineBit = 30,
    kBlinkingBit = 31,
    kNoProofBit = 33,
    kRevisionBit = 34,
};

class ChangedForm {
public:
    ChangedForm(CRTFFile& out, const XParamBlock& block, const XForm& form) : out(out), block(block), form(form) {}

    bool changed(int bit) const { return testMaskBit(form.changeBits, bit) == 1; }
    bool anyChanged(int first, int last) const {
        for (int bit = first; bit <= last; ++bit)
            if (changed(bit)) return true;
        return false;
    }

    void writeLanguageAndFont() const {
        const std::int16_t language = selectLanguageByHint(form);
        if (anyChanged(kLatinLanguageBit, kComplexLanguageBit))
            out.writeFormat("\\%s\\lang%d\\cchs%d", rtfCharacterDirectionWord(language), language,
                            rtfCharsetForLanguage(language));
        if (anyChanged(kHintBit, kComplexFontBit))
            out.writeFormat("\\f%d", rtfFontNumber(language, selectFontByHint(form), block));
    }

    void writeSizeFaceAndPosition() const {
        if (changed(kSizeBit)) out.writeFormat("\\fs%d", form.txtSize / 5);
        if (changed(kFaceBit)) writeRTFFaceWords(out, form.txtFace);
        if (changed(kRateBit)) out.writeFormat("\\charscalex%d", form.txtRate / 10);
        if (changed(kBaseBit) && form.txtBase < 0) out.writeFormat("\\dn%d", -form.txtBase);
        if (changed(kBaseBit) && form.txtBase > 0) out.writeFormat("\\up%d", form.txtBase);
    }

    void writeColors() const {
        if (changed(kForeBit)) writeColor("\\cf", form.txtFore);
        if (changed(kBackBit)) writeColor("\\highlight", form.txtBack);
    }

    // Shading before the border, as the body writes them.
    void writeKernEmphasisShadingAndBorder() const {
        if (changed(kKernBit)) out.writeFormat("\\kerning%d", form.txtKern);
        if (changed(kFillBit)) writeRTFEmphasisWord(out, form.txtFill);
        if (changed(kShadingBit) && form.shadingType != 0)
            writeRTFShading(out, block, form.shading, kCharacterShadingWords);
        if (changed(kBorderBit) && form.borderType != 0) {
            out.writeFormat("\\chbrdr");
            out.writeBorder(form.border);
        }
    }

    void writeEffectsAndRevision() const {
        if (changed(kSpacingBit) && form.txtSpacing != 0)
            out.writeFormat("\\expnd%d\\expndtw%d", form.txtSpacing / 5, form.txtSpacing);
        if (changed(kUnderlineBit)) writeRTFUnderlineWord(out, form.underlineEffect);
        if (changed(kBlinkingBit)) out.writeFormat("\\animtext%d", form.blinkingEffect);
        if (changed(kNoProofBit)) out.writeFormat("\\noproof");
        if (changed(kRevisionBit) && form.revision.type != 0) writeRTFRevision(out, form.revision);
    }

private:
    // Nothing for the automatic colour.
    void writeColor(const char* word, const RGBColor& color) const {
        const std::int16_t index = out.colorIndex(color);
        if (index != -1) out.writeFormat("%s%s", word, CRTFFile::numberText(index));
    }

    CRTFFile& out;
    const XParamBlock& block;
    const XForm& form;
};

}  // namespace

void writeRTFCharacterProps(CRTFFile& out, const XParamBlock& block, const XForm& form) {
    const ChangedForm changes(out, block, form);
    changes.writeLanguageAndFont();
    changes.writeSizeFaceAndPosition();
    changes.writeColors();
    changes.writeKernEmphasisShadingAndBorder();
    changes.writeEffectsAndRevision();
}
