#include "platform/mem_map_file.h"

#include <gtest/gtest.h>
#include <semaphore.h>

#include <cctype>
#include <filesystem>
#include <set>
#include <string>

#include "support/temp_folder.h"

namespace {

std::set<std::string> SemaphoreFiles() {
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/shm", ignored)) {
        std::string name = entry.path().filename().string();
        if (name.rfind("sem.", 0) == 0) {
            names.insert(name);
        }
    }
    return names;
}

void ExpectClosed(const CMemMapFile& map) {
    EXPECT_EQ(map.fileHandle, -1);
    EXPECT_EQ(map.view, nullptr);
    EXPECT_EQ(map.fileSize, 0u);
    EXPECT_TRUE(map.readOnly);
    EXPECT_TRUE(map.mappingName.empty());
}

}  // namespace

TEST(MemMapFile, MapsAReadOnlyFileWithoutLeavingASemaphore) {
    CTempFolder folder;
    std::string path = folder.Write("Disk 1.cdi", "index data");
    std::set<std::string> before = SemaphoreFiles();
    {
        CMemMapFile map;
        ASSERT_TRUE(map.Open(path, true, 0, false, false, false));
        EXPECT_GE(map.fileHandle, 0);
        ASSERT_EQ(map.fileSize, 10u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(map.view), map.fileSize), "index data");
        EXPECT_EQ(map.GetMutexName(), "MUTEX");
        EXPECT_FALSE(map.Unlock());
        map.Close();
        ExpectClosed(map);
        map.Close();
        ExpectClosed(map);
        // The object can be used again after closing.
        EXPECT_TRUE(map.Open(path, true, 0, false, false, false));
    }
    EXPECT_EQ(SemaphoreFiles(), before);
}

TEST(MemMapFile, RefusesWhatCannotBeMapped) {
    CTempFolder folder;
    std::string empty = folder.Write("empty.cdi");
    std::string data = folder.Write("data.cdi", "0123456789");
    CMemMapFile map;
    EXPECT_FALSE(map.Open(empty, true, 0, false, false, false));
    ExpectClosed(map);
    EXPECT_FALSE(map.Open(folder.Path("missing.cdi"), true, 0, false, false, false));
    ExpectClosed(map);
    EXPECT_FALSE(map.Open(folder.Path(), true, 0, false, false, false));
    ExpectClosed(map);
    // A read-only mapping cannot be longer than its file, nor can it mark the file sparse.
    EXPECT_FALSE(map.Open(data, true, 0, true, false, false));
    ExpectClosed(map);
    EXPECT_FALSE(map.Open(data, true, 0, false, false, true));
    ExpectClosed(map);
    EXPECT_EQ(CTempFolder::Read(data), "0123456789");
    EXPECT_TRUE(map.Open(data, false, 0, false, false, true));
    map.Close();

    std::string huge = folder.Write("huge.cdi");
    std::error_code error;
    std::filesystem::resize_file(huge, std::uintmax_t{1} << 32, error);
    if (!error) {
        EXPECT_FALSE(map.Open(huge, true, 0, false, false, false));
        ExpectClosed(map);
    }
}

TEST(MemMapFile, WritableMappingWithTerminatorEndsInTwoZeros) {
    CTempFolder folder;
    std::string path = folder.Write("data.cdi", "0123456789");
    {
        CMemMapFile map;
        ASSERT_TRUE(map.Open(path, false, 0, true, false, false));
        EXPECT_FALSE(map.readOnly);
        EXPECT_EQ(map.fileSize, 10u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(map.view), 12),
                  std::string("0123456789\0\0", 12));
        map.view[0] = 'X';
        map.Close();
        EXPECT_TRUE(map.addTerminator);
    }
    // Writes reach the file, which has grown by the terminator.
    EXPECT_EQ(CTempFolder::Read(path), std::string("X123456789\0\0", 12));
}

TEST(MemMapFile, NamedMappingNamesItsMutexAfterTheUpperCasedPath) {
    CTempFolder folder;
    std::string path = folder.Write("Disk 1.cdi", "abc");
    std::string expected;
    for (char c : path) {
        expected += c == '/' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    ASSERT_EQ(expected.substr(expected.size() - 11), "_DISK 1.CDI");
    std::string semaphore = "/" + expected + "MUTEX";
    {
        CMemMapFile map;
        ASSERT_TRUE(map.Open(path, true, 0, false, true, false));
        EXPECT_EQ(map.mappingName, expected);
        EXPECT_EQ(map.GetMutexName(), expected + "MUTEX");
        sem_t* mutex = ::sem_open(semaphore.c_str(), 0);
        EXPECT_NE(mutex, SEM_FAILED) << "the mutex should exist while the file is open";
        if (mutex != SEM_FAILED) {
            ::sem_close(mutex);
        }
    }
    ::sem_unlink(semaphore.c_str());
}
