// Icons of the toolbar buttons, by button key ("New", "Step Into", ...). File
// and edit commands take the desktop theme's icon when there is one; the
// debugger commands, and everything on a machine without an icon theme, are
// drawn here, so a bare machine shows them too.
#pragma once

#include <QIcon>
#include <QString>

namespace quorvel {

QIcon ToolIcon(const QString& key);
// The drawn icon alone, without the theme lookup.
QIcon DrawnToolIcon(const QString& key);

} // namespace quorvel
