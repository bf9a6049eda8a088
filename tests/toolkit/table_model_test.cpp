// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/table_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ini_file.h"
#include "platform/profile.h"

namespace {

std::vector<std::string> Titles(const CTableModel& model) {
    std::vector<std::string> titles;
    for (const auto& column : model.columns) {
        titles.push_back(column->title);
    }
    return titles;
}

// Installs an in-memory profile for the test's lifetime.
class InstalledProfile {
public:
    InstalledProfile() { previous = SetProfile(&ini); }
    InstalledProfile(const InstalledProfile&) = delete;
    InstalledProfile& operator=(const InstalledProfile&) = delete;
    ~InstalledProfile() { SetProfile(previous); }

    CIniFile ini;

private:
    CIniFile* previous;
};

}  // namespace

TEST(TableModel, MovesJumpOverInvisibleColumnsAndStopAtTheEnds) {
    CTableModel model;
    model.AddColumn(0, "P", 0, 100, 0);
    model.AddColumn(1, "R", 2, 100, 0);
    model.AddColumn(1, "Q", 1, 100, 0).visible = false;

    EXPECT_FALSE(model.MoveColumnLeft(0));
    EXPECT_FALSE(model.MoveColumnRight(2));
    EXPECT_FALSE(model.columnsChanged);
    EXPECT_EQ(Titles(model), (std::vector<std::string>{"P", "Q", "R"}));

    EXPECT_TRUE(model.MoveColumnLeft(2));
    EXPECT_EQ(Titles(model), (std::vector<std::string>{"R", "Q", "P"}));
    EXPECT_TRUE(model.columnsChanged);

    model.SetColumnsChanged(false);
    EXPECT_TRUE(model.MoveColumnRight(0));
    EXPECT_EQ(Titles(model), (std::vector<std::string>{"P", "Q", "R"}));
    EXPECT_TRUE(model.columnsChanged);

    // Only invisible columns on that side: nothing to swap with.
    model.SetColumnsChanged(false);
    model.columns[0]->visible = false;
    EXPECT_FALSE(model.MoveColumnLeft(2));
    EXPECT_FALSE(model.columnsChanged);
}

TEST(TableModel, WidthsComeFromTheProfileByTitle) {
    InstalledProfile profile;
    profile.ini.SetString("SearchResultsTable", "Title", "250");
    profile.ini.SetString("SearchResultsTable", "Type", "0");
    CTableModel model;
    model.AddColumn(0, "Title", 0, 20, 0);
    model.AddColumn(1, "Type", 5, 20, 0);
    model.AddColumn(2, "Path", 7, 20, 0);

    model.LoadColumnWidths("SearchResultsTable");
    EXPECT_EQ(model.columns[0]->width, 250);
    EXPECT_EQ(model.columns[1]->width, 0);  // no minimum: the column stays shut
    EXPECT_EQ(model.columns[2]->width, 100);

    model.LoadColumnWidths("FilesTable");
    for (const auto& column : model.columns) {
        EXPECT_EQ(column->width, 100);
    }

    // Without a profile every width is the default.
    model.columns[0]->width = 5;
    SetProfile(nullptr);
    model.LoadColumnWidths("SearchResultsTable");
    EXPECT_EQ(model.columns[0]->width, 100);
    SetProfile(&profile.ini);
}

TEST(TableModel, SavedWidthsLoadBackAndAnEmptySectionMeansTheName) {
    InstalledProfile profile;
    CTableModel saved("DisksTable");
    saved.AddColumn(0, "Title", 0, 100, 0).width = 37;
    saved.AddColumn(1, "Files", 8, 100, 0).width = 0;
    saved.SaveColumnWidths();
    EXPECT_EQ(profile.ini.GetString("DisksTable", "Title"), "37");
    EXPECT_EQ(profile.ini.GetString("DisksTable", "Files"), "0");

    CTableModel loaded;
    loaded.AddColumn(0, "Files", 8, 100, 0);
    loaded.AddColumn(1, "Title", 0, 100, 0);
    loaded.LoadColumnWidths("disksTABLE");
    EXPECT_EQ(loaded.columns[0]->width, 0);
    EXPECT_EQ(loaded.columns[1]->width, 37);
}
