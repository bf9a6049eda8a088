// SPDX-License-Identifier: GPL-3.0-or-later
// tamblor-cli volume: how a folder, a drive or a disk image is identified.

#include <cstdio>
#include <string>

#include "cli/cli_commands.h"
#include "platform/path_status.h"
#include "platform/volume.h"
#include "shell/show_message.h"

int CmdVolume(const CliArgs& args) {
    if (args.size() != 1) {
        return UsageError();
    }
    const std::string& given = args[0];
    std::string root;
    CVolumeInfo info;
    bool known = false;
    switch (GetPathKind(given)) {
        case PathKind::folder:
            root = given;
            known = ReadVolumeInformation(root, info);
            break;
        case PathKind::blockDevice:
            root = ResolveDriveRoot(given);
            // The device itself may be unreadable to this user; its mounted folder still tells.
            known = ProbeVolumeDevice(given, info) ||
                    (!root.empty() && ReadVolumeInformation(root, info));
            break;
        case PathKind::file:
            known = ProbeVolumeDevice(given, info);
            break;
        case PathKind::missing:
        case PathKind::other:
            break;
    }
    if (!known) {
        ShowMessage("Failed loading volume information");
        return 1;
    }
    std::printf("root:%s%s\n", root.empty() ? "" : " ", root.c_str());
    std::printf("label: %s\n", info.label.c_str());
    std::printf("serial: %u\n", info.serial);
    std::printf("filesystem: %s\n", info.fileSystem.c_str());
    return 0;
}
