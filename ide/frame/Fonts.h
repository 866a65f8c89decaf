// The font used for a stored font setting. The stored name is kept as it is;
// when this machine has no family of that name ("Fixedsys" rarely exists
// here), a monospaced font stands in, with the stored size and style.
#pragma once

#include <QFont>

#include "frame/FontSetting.h"

namespace quorvel {

bool FontFamilyInstalled(const QString& family);
QFont ResolveFont(const FontSetting& setting);
// The setting for a font chosen in the font dialog.
FontSetting FontSettingOf(const QFont& font);

// True when every character of the font advances by the same width. This is
// measured, not read from the font's flags: fontconfig leaves some monospaced
// families unmarked (Noto Sans Mono among them), so QFontInfo::fixedPitch()
// and QFontDatabase::isFixedPitch() would reject them.
bool IsMonospaced(const QFont& font);

} // namespace quorvel
