// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/disk_eject.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QVariantMap>

#include "platform/path_status.h"
#include "platform/volume.h"

namespace {

const char* const service = "org.freedesktop.UDisks2";

QString BlockObject(const std::string& name) {
    return "/org/freedesktop/UDisks2/block_devices/" + QString::fromStdString(name);
}

// Unmounts the drive's filesystems and ejects it; false when the service cannot.
bool EjectThroughService(const std::vector<std::string>& blocks) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        return false;
    }
    for (const std::string& name : blocks) {
        QDBusInterface filesystem(service, BlockObject(name), "org.freedesktop.UDisks2.Filesystem",
                                  bus);
        // Not every block holds a mounted filesystem; those answer with an error we ignore.
        if (filesystem.isValid()) {
            filesystem.call("Unmount", QVariantMap());
        }
    }
    QDBusInterface block(service, BlockObject(blocks.front()), "org.freedesktop.UDisks2.Block",
                         bus);
    if (!block.isValid()) {
        return false;
    }
    QDBusObjectPath drive = block.property("Drive").value<QDBusObjectPath>();
    if (drive.path().isEmpty() || drive.path() == "/") {
        return false;
    }
    QDBusInterface driveInterface(service, drive.path(), "org.freedesktop.UDisks2.Drive", bus);
    QDBusMessage reply = driveInterface.call("Eject", QVariantMap());
    return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace

void EjectDisk(const std::string& drive) {
    if (GetPathKind(drive) != PathKind::blockDevice) {
        return;
    }
    std::vector<std::string> blocks = BlockDevicesOfDrive(drive);
    if (blocks.empty()) {
        return;
    }
    if (!EjectThroughService(blocks)) {
        EjectWithIoctl("/dev/" + blocks.front());
    }
}
