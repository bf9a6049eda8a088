// A whole existing file mapped into memory, read-only or read-write, optionally with two zero
// bytes after the data, and optionally under a name from which an inter-process mutex is named.
#pragma once

#include <semaphore.h>

#include <cstddef>
#include <cstdint>
#include <string>

class CMemMapFile {
public:
    CMemMapFile() = default;
    CMemMapFile(const CMemMapFile&) = delete;
    CMemMapFile& operator=(const CMemMapFile&) = delete;
    virtual ~CMemMapFile();

    // Maps the whole file; false, with the object closed, when the file is missing, empty,
    // 4 GiB or larger, or cannot be mapped. Linux has no sharing modes, so `shareMode` is
    // accepted and ignored. A read-only mapping cannot carry the terminator. With
    // `addTerminator` the file itself grows by the two bytes. Files here are sparse by
    // nature, so `sparse` only asks that the file be opened for writing.
    bool Open(const std::string& path, bool readOnly, int shareMode, bool addTerminator, bool named,
              bool sparse);
    // Releases everything; safe to call on a closed object.
    void Close();
    // True when the mutex was held and has been released.
    bool Unlock();
    std::string GetMutexName() const { return mappingName + "MUTEX"; }

    int fileHandle = -1;
    std::uint8_t* view = nullptr;
    std::uint32_t fileSize = 0;
    bool readOnly = true;
    bool addTerminator = false;
    // Empty for an unnamed mapping.
    std::string mappingName;
    bool locked = false;

private:
    bool Map(const std::string& path, bool named, bool sparse);

    std::size_t viewLength = 0;
    sem_t* mutexHandle = nullptr;
};
