// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_exception.h"

#include <cerrno>
#include <utility>

namespace {

const char* CauseText(CFileException::Cause cause) {
    switch (cause) {
        case CFileException::fileNotFound:
            return "%1 was not found.";
        case CFileException::badPath:
            return "%1 contains an invalid path.";
        case CFileException::tooManyOpenFiles:
            return "%1 could not be opened because there are too many open files.";
        case CFileException::accessDenied:
            return "Access to %1 was denied.";
        case CFileException::invalidFile:
            return "An invalid file handle was associated with %1.";
        case CFileException::directoryFull:
            return "%1 could not be created because the directory is full.";
        case CFileException::badSeek:
            return "Seek failed on %1";
        case CFileException::hardIO:
            return "A hardware I/O error was reported while accessing %1.";
        case CFileException::sharingViolation:
            return "A sharing violation occurred while accessing %1.";
        case CFileException::lockViolation:
            return "A locking violation occurred while accessing %1.";
        case CFileException::diskFull:
            return "Disk full while accessing %1.";
        case CFileException::endOfFile:
            return "An attempt was made to access %1 past its end.";
        case CFileException::notAFile:
            return "%1 is not a file.";
        case CFileException::generic:
            break;
    }
    return "An unknown error occurred while accessing %1.";
}

}  // namespace

CFileException::CFileException(Cause cause, std::string fileName, int osError)
    : cause(cause), fileName(std::move(fileName)), osError(osError) {
    message = GetErrorMessage();
}

CFileException::Cause CFileException::CauseFromErrno(int error) {
    switch (error) {
        case ENOENT:
            return fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL:
        case EILSEQ:
            return badPath;
        case EMFILE:
        case ENFILE:
            return tooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EEXIST:
            return accessDenied;
        case EBADF:
            return invalidFile;
        case EMLINK:
            return directoryFull;
        case ESPIPE:
        case EOVERFLOW:
            return badSeek;
        case EIO:
        case ENXIO:
        case ENODEV:
        case ENOMEDIUM:
            return hardIO;
        case EBUSY:
        case ETXTBSY:
            return sharingViolation;
        case EAGAIN:
        case EDEADLK:
        case ENOLCK:
            return lockViolation;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return diskFull;
        default:
            return generic;
    }
}

void CFileException::ThrowErrno(int error, const std::string& fileName) {
    throw CFileException(CauseFromErrno(error), fileName, error);
}

void CFileException::ThrowEndOfFile(const std::string& fileName) {
    throw CFileException(endOfFile, fileName);
}

void CFileException::ThrowNotAFile(const std::string& fileName) {
    throw CFileException(notAFile, fileName);
}

std::string CFileException::GetErrorMessage() const {
    std::string text = CauseText(cause);
    std::string::size_type at = text.find("%1");
    if (at != std::string::npos) {
        text.replace(at, 2, fileName);
    }
    return text;
}
