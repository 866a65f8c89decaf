// The font used for a stored font setting. The stored name is kept as it is;
// when this machine has no family of that name ("Fixedsys" rarely exists
// here), the system's fixed-pitch font stands in, with the stored size and style.
#pragma once

#include <QFont>

#include "frame/FontSetting.h"

namespace quorvel {

bool FontFamilyInstalled(const QString& family);
QFont ResolveFont(const FontSetting& setting);
// The setting for a font chosen in the font dialog.
FontSetting FontSettingOf(const QFont& font);

} // namespace quorvel
