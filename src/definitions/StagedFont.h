#pragma once
// The three font choices of a definition (a section's title row, a total row's default font, a
// column's own font on a total row) go through the desktop's font dialog and are staged at
// once, seven keys per font.

#include <string>

#include "act/Session.h"
#include "forms/UiService.h"

namespace bp::definitions {

// The seven keys of one font: the name key, then prefix + property + suffix for the others.
struct FontKeys {
    std::string nameKey;
    std::string prefix;  // "TitleFont", "TotalFont", "34Font"
    std::string suffix;  // the section index

    static FontKeys title(int section);
    static FontKeys totalDefault(int section);
    static FontKeys column(int fieldId, int section);

    std::string key(const char* property) const { return prefix + property + suffix; }
};

// The font the keys describe, with the catalogue defaults for absent keys.
forms::FontChoice stagedFont(const act::Session& session, const FontKeys& keys);
void stageFont(act::Session& session, const FontKeys& keys, const forms::FontChoice& font);

// Shows the font dialog on the staged font and stages what it answers. Cancel stages the font
// that was shown, so a font never chosen is written out with its defaults.
void chooseStagedFont(act::Session& session, const FontKeys& keys);

}  // namespace bp::definitions
