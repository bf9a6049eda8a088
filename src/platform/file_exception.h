// SPDX-License-Identifier: GPL-3.0-or-later
// The one exception type of the program: a failed file operation, with its cause and the
// name of the file, and the standard text the user is shown for it.
#pragma once

#include <exception>
#include <optional>
#include <string>

class CFileException : public std::exception {
public:
    enum Cause {
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
        // A folder, FIFO or device where a file was expected: none of the causes above fits,
        // and no errno stands for it.
        notAFile,
    };

    CFileException(Cause cause, std::string fileName, int osError = 0);

    // The cause an errno value stands for.
    static Cause CauseFromErrno(int error);
    [[noreturn]] static void ThrowErrno(int error, const std::string& fileName);
    [[noreturn]] static void ThrowEndOfFile(const std::string& fileName);
    [[noreturn]] static void ThrowNotAFile(const std::string& fileName);

    Cause GetCause() const { return cause; }
    const std::string& GetFileName() const { return fileName; }
    int GetOsError() const { return osError; }
    // The user's text for this error, the file name in place of %1.
    std::string GetErrorMessage() const;
    const char* what() const noexcept override { return message.c_str(); }

private:
    Cause cause;
    std::string fileName;
    int osError;
    std::string message;
};

// Runs `step`, keeping the file error it throws when `first` holds none yet: work that goes on
// past a failure reports the first one when it is done.
template <class Step>
void KeepFirstFileError(std::optional<CFileException>& first, Step&& step) {
    try {
        step();
    } catch (const CFileException& error) {
        if (!first) {
            first = error;
        }
    }
}
