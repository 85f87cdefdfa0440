#include "definitions/StagedFont.h"

#include "definitions/DefinitionFile.h"
#include "definitions/DefinitionKeys.h"
#include "definitions/StagedValues.h"

namespace bp::definitions {
namespace {

const char* trueFalse(bool on) {
    return on ? "True" : "False";
}

std::uint32_t colorOf(long value) {
    // A colour is a 24-bit RGB value; anything else would paint nothing sensible.
    return value < 0 || value > 0xFFFFFF ? 0u : static_cast<std::uint32_t>(value);
}

}  // namespace

FontKeys FontKeys::title(int section) {
    const std::string s = std::to_string(section);
    return {"TitleFont" + s, "TitleFont", s};
}

FontKeys FontKeys::totalDefault(int section) {
    const std::string s = std::to_string(section);
    return {"TotalFontName" + s, "TotalFont", s};
}

FontKeys FontKeys::column(int fieldId, int section) {
    const std::string s = std::to_string(section);
    const std::string prefix = std::to_string(fieldId) + "Font";
    return {prefix + "Name" + s, prefix, s};
}

forms::FontChoice stagedFont(const act::Session& session, const FontKeys& keys) {
    forms::FontChoice font;
    font.name = stagedValue(session, keys.nameKey);
    font.bold = stagedFlag(session, keys.key("Bold"));
    font.italic = stagedFlag(session, keys.key("Italic"));
    font.underline = stagedFlag(session, keys.key("Underline"));
    font.strikeThrough = stagedFlag(session, keys.key("StrikeThru"));
    font.color = colorOf(stagedNumber(session, keys.key("Color")));
    font.size = stagedDecimal(session, keys.key("Size"));
    return font;
}

void stageFont(act::Session& session, const FontKeys& keys, const forms::FontChoice& font) {
    stageValue(session, keys.nameKey, font.name);
    stageValue(session, keys.key("Bold"), trueFalse(font.bold));
    stageValue(session, keys.key("Italic"), trueFalse(font.italic));
    stageValue(session, keys.key("Underline"), trueFalse(font.underline));
    stageValue(session, keys.key("Color"), std::to_string(font.color));
    stageValue(session, keys.key("Size"), decimalText(font.size));
    stageValue(session, keys.key("StrikeThru"), trueFalse(font.strikeThrough));
}

void chooseStagedFont(act::Session& session, const FontKeys& keys) {
    const forms::FontChoice shown = stagedFont(session, keys);
    stageFont(session, keys, session.ui->chooseFont(shown).value_or(shown));
}

}  // namespace bp::definitions
