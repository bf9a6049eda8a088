#include "shell/ui/coll_icons.h"

#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QStandardPaths>

// The icons are a resource of a static library, which the linker would drop unless named.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace {

constexpr char fallbackTheme[] = "Adwaita";

// A platform without a desktop theme (offscreen, say) names no icon theme and knows no icon
// folders, so Qt would look nowhere; the freedesktop defaults then, as a desktop has them.
void FillInIconTheme() {
    if (!QIcon::themeName().isEmpty()) {
        return;
    }
    QStringList folders = QIcon::themeSearchPaths();
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        QString icons = data + "/icons";
        if (QDir(icons).exists() && !folders.contains(icons)) {
            folders.append(icons);
        }
    }
    QIcon::setThemeSearchPaths(folders);
    QIcon::setThemeName("hicolor");
}

// Without a desktop session Qt looks only in hicolor, and the style's small bitmaps show,
// blurred when scaled. The fallback theme is searched only after the user's theme and the
// themes it inherits, so a theme the user chose still wins.
void PrepareIcons() {
    static const bool prepared = [] {
        InitIconResources();
        FillInIconTheme();
        QString current = QIcon::fallbackThemeName();
        if (current.isEmpty() || current == "hicolor") {
            QIcon::setFallbackThemeName(fallbackTheme);
        }
        return true;
    }();
    (void)prepared;
}

}  // namespace

QIcon GetThemeIcon(const char* name, QStyle::StandardPixmap fallback) {
    PrepareIcons();
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
    PrepareIcons();
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
    PrepareIcons();
    return QIcon::fromTheme("tamblor", GetBuiltInProgramIcon());
}
