// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_times.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/fs_ops.h"

bool GetFileTimes(const std::string& path, CFileTimes& times) {
    if (!IsUsablePath(path)) {
        return false;
    }
    struct statx status {};
    if (::statx(AT_FDCWD, path.c_str(), AT_NO_AUTOMOUNT, STATX_MTIME | STATX_BTIME, &status) != 0) {
        return false;
    }
    if ((status.stx_mask & STATX_MTIME) == 0) {
        errno = ENODATA;
        return false;
    }
    times.modification = status.stx_mtime.tv_sec;
    times.creation =
        (status.stx_mask & STATX_BTIME) != 0 ? status.stx_btime.tv_sec : times.modification;
    return true;
}
