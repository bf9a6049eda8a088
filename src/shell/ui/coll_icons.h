// The icons the catalogue's windows share: disk, folder, open folder and file, from the
// desktop's icon theme, or the style's own where the theme has none.
#pragma once

#include <QIcon>

enum class CCollIcon { file, folder, openFolder, disk };

QIcon GetCollIcon(CCollIcon which);
// The program's own icon, or the disk's while the program has none.
QIcon GetProgramIcon();
