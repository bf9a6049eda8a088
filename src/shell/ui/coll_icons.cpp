// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/coll_icons.h"

#include <QApplication>
#include <QImageReader>

// The icons are a resource of a static library, which the linker would drop unless named.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

QIcon GetThemeIcon(const char* name, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(name, QApplication::style()->standardIcon(fallback));
}

QIcon GetCollIcon(CCollIcon which) {
    switch (which) {
        case CCollIcon::file:
            return GetThemeIcon("text-x-generic", QStyle::SP_FileIcon);
        case CCollIcon::folder:
            return GetThemeIcon("folder", QStyle::SP_DirClosedIcon);
        case CCollIcon::openFolder:
            return GetThemeIcon("folder-open", QStyle::SP_DirOpenIcon);
        case CCollIcon::disk:
            return GetThemeIcon("media-optical", QStyle::SP_DriveCDIcon);
    }
    return QIcon();
}

QIcon GetBuiltInProgramIcon() {
    static const bool registered = (InitIconResources(), true);
    (void)registered;
    QIcon icon;
    // The drawing first, so that Qt's SVG icon engine, where installed, draws the sizes in
    // between; the PNGs then serve their own sizes, sharper than the drawing at 16 and 24.
    if (QImageReader::supportedImageFormats().contains("svg")) {
        icon.addFile(":/icons/scalable/tamblor.svg");
    }
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QString(":/icons/%1/tamblor.png").arg(size), QSize(size, size));
    }
    return icon;
}

QIcon GetProgramIcon() {
    return QIcon::fromTheme("tamblor", GetBuiltInProgramIcon());
}
