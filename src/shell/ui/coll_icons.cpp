#include "shell/ui/coll_icons.h"

#include <QApplication>
#include <QStyle>

QIcon GetCollIcon(CCollIcon which) {
    QStyle* style = QApplication::style();
    switch (which) {
        case CCollIcon::file:
            return QIcon::fromTheme("text-x-generic", style->standardIcon(QStyle::SP_FileIcon));
        case CCollIcon::folder:
            return QIcon::fromTheme("folder", style->standardIcon(QStyle::SP_DirClosedIcon));
        case CCollIcon::openFolder:
            return QIcon::fromTheme("folder-open", style->standardIcon(QStyle::SP_DirOpenIcon));
        case CCollIcon::disk:
            return QIcon::fromTheme("media-optical", style->standardIcon(QStyle::SP_DriveCDIcon));
    }
    return QIcon();
}

QIcon GetProgramIcon() {
    QIcon icon = QApplication::windowIcon();
    return icon.isNull() ? QApplication::style()->standardIcon(QStyle::SP_DriveCDIcon) : icon;
}
