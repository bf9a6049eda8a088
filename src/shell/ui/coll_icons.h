// SPDX-License-Identifier: GPL-3.0-or-later
// The icons the catalogue's windows share: the program's own, and disk, folder, open folder
// and file, from the desktop's icon theme, or the style's own where no theme has them.
#pragma once

#include <QIcon>
#include <QStyle>

enum class CCollIcon { file, folder, openFolder, disk };

QIcon GetCollIcon(CCollIcon which);
// The icon `name` of the desktop's icon theme, else the style's `fallback`: the style's icons
// are sharp at every scale, and bolder than most themes' legacy bitmaps.
QIcon GetThemeIcon(const char* name, QStyle::StandardPixmap fallback);
// The program's icon from the icon theme when it is installed, else the one built in.
QIcon GetProgramIcon();
// The icon built into the program: every drawn size, and the drawing where Qt reads SVG.
QIcon GetBuiltInProgramIcon();
