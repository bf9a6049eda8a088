// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon where no icon theme has one: the copy built into the program.

#include "shell/ui/coll_icons.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

TEST(CollIcons, ProgramIconIsTheBuiltInOneWhereNoThemeHasIt) {
    QStringList folders = QIcon::themeSearchPaths();
    CTempFolder empty;
    QIcon::setThemeSearchPaths({QString::fromStdString(empty.Path())});

    QIcon icon = GetProgramIcon();
    QIcon::setThemeSearchPaths(folders);

    ASSERT_FALSE(icon.isNull());
    QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
    // The small sizes are drawn for their own grid, not scaled down from a larger one.
    QImage small = icon.pixmap(QSize(16, 16), 1.0).toImage();
    QImage drawn(":/icons/16/tamblor.png");
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(small.convertToFormat(QImage::Format_ARGB32_Premultiplied),
              drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}
