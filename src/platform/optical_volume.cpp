// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/optical_volume.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "platform/interrupted_call.h"
#include "platform/utf8_text.h"

namespace {

constexpr std::uint64_t sectorSize = 2048;
using Sector = std::array<std::uint8_t, sectorSize>;

class CDevice {
public:
    explicit CDevice(const std::string& path)
        : fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
    CDevice(const CDevice&) = delete;
    CDevice& operator=(const CDevice&) = delete;
    ~CDevice() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    bool IsOpen() const { return fd >= 0; }

    bool ReadSector(std::uint64_t index, Sector& sector) const {
        std::size_t done = 0;
        while (done < sector.size()) {
            ssize_t got = RetryInterrupted([&] {
                return ::pread(fd, sector.data() + done, sector.size() - done,
                               static_cast<off_t>(index * sectorSize + done));
            });
            if (got <= 0) {
                return false;
            }
            done += static_cast<std::size_t>(got);
        }
        return true;
    }

    // Where the last session of a multi-session disc starts; 0 for an image or one session.
    std::uint64_t LastSessionStart() const {
        struct stat status {};
        if (::fstat(fd, &status) != 0 || !S_ISBLK(status.st_mode)) {
            return 0;
        }
        cdrom_multisession session{};
        session.addr_format = CDROM_LBA;
        if (::ioctl(fd, CDROMMULTISESSION, &session) != 0 || session.xa_flag == 0 ||
            session.addr.lba < 0) {
            return 0;
        }
        return static_cast<std::uint64_t>(session.addr.lba);
    }

private:
    int fd;
};

// The sums of every fourth byte, starting at bytes 0, 1, 2 and 3, each modulo 256.
std::array<std::uint32_t, 4> LaneSums(const Sector& sector) {
    std::array<std::uint32_t, 4> sums{};
    for (std::size_t i = 0; i < sector.size(); ++i) {
        sums[i % 4] = (sums[i % 4] + sector[i]) & 0xFF;
    }
    return sums;
}

std::uint16_t U16(const Sector& sector, std::size_t at) {
    return static_cast<std::uint16_t>(sector[at] | sector[at + 1] << 8);
}

std::uint32_t U32(const Sector& sector, std::size_t at) {
    return static_cast<std::uint32_t>(sector[at]) |
           static_cast<std::uint32_t>(sector[at + 1]) << 8 |
           static_cast<std::uint32_t>(sector[at + 2]) << 16 |
           static_cast<std::uint32_t>(sector[at + 3]) << 24;
}

std::string TrimLabel(std::string label) {
    while (!label.empty() && (label.back() == ' ' || label.back() == '\0')) {
        label.pop_back();
    }
    return label;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    auto yearOfEra = static_cast<unsigned>(year - era * 400);
    unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

// A moment given in a zone `offsetMinutes` east of UTC; nothing for fields out of range,
// which is how discs say that the date was never set.
std::optional<std::int64_t> UtcSeconds(int year, int month, int day, int hour, int minute,
                                       int second, int offsetMinutes) {
    if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
        second > 60) {
        return std::nullopt;
    }
    std::int64_t days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    std::int64_t seconds = std::int64_t{hour} * 3600 + std::int64_t{minute} * 60 + second;
    return days * 86400 + seconds - std::int64_t{offsetMinutes} * 60;
}

// The volume creation date of an ISO 9660 volume descriptor: digits, then the zone in
// quarter hours.
std::optional<std::int64_t> IsoCreationTime(const Sector& sector) {
    const std::uint8_t* field = sector.data() + 813;
    int values[6] = {};
    const int widths[6] = {4, 2, 2, 2, 2, 2};
    for (int i = 0, at = 0; i < 6; at += widths[i], ++i) {
        for (int k = 0; k < widths[i]; ++k) {
            std::uint8_t c = field[at + k];
            if (c < '0' || c > '9') {
                return std::nullopt;
            }
            values[i] = values[i] * 10 + (c - '0');
        }
    }
    int offset = static_cast<std::int8_t>(field[16]) * 15;
    return UtcSeconds(values[0], values[1], values[2], values[3], values[4], values[5], offset);
}

// The recording date of a UDF primary volume descriptor, a timestamp whose type 1 carries
// the zone in its low 12 bits.
std::optional<std::int64_t> UdfRecordingTime(const Sector& sector) {
    const std::size_t at = 376;
    std::uint16_t typeAndZone = static_cast<std::uint16_t>(sector[at] | sector[at + 1] << 8);
    int offset = 0;
    if (typeAndZone >> 12 == 1) {
        int zone = typeAndZone & 0x0FFF;
        zone = zone >= 0x800 ? zone - 0x1000 : zone;
        offset = zone == -2047 ? 0 : zone;
    }
    int year = static_cast<std::int16_t>(sector[at + 2] | sector[at + 3] << 8);
    return UtcSeconds(year, sector[at + 4], sector[at + 5], sector[at + 6], sector[at + 7],
                      sector[at + 8], offset);
}

// The label, creation date and serial of the volume descriptor the disc is known by.
void TakeIsoDescriptor(const Sector& sector, std::string label, COpticalIdentity& identity) {
    identity.label = TrimLabel(std::move(label));
    identity.creationTime = IsoCreationTime(sector);
    std::array<std::uint32_t, 4> s = LaneSums(sector);
    identity.serial = s[0] << 24 | s[1] << 16 | s[2] << 8 | s[3];
}

bool IsJoliet(const Sector& sector) {
    const std::uint8_t* escape = sector.data() + 88;
    return escape[0] == '%' && escape[1] == '/' &&
           (escape[2] == '@' || escape[2] == 'C' || escape[2] == 'E');
}

bool ReadIso9660(const CDevice& device, COpticalIdentity& identity) {
    std::uint64_t start = device.LastSessionStart();
    Sector primary{};
    bool havePrimary = false;
    Sector sector{};
    // A disc holds a handful of descriptors; a missing terminator must not make us read on.
    for (std::uint64_t index = 16; index < 16 + 64; ++index) {
        if (!device.ReadSector(start + index, sector) ||
            std::memcmp(sector.data() + 1, "CD001", 5) != 0) {
            break;
        }
        std::uint8_t type = sector[0];
        if (type == 255) {
            break;
        }
        if (type == 2 && sector[6] == 1 && IsJoliet(sector)) {
            std::string label;
            for (std::size_t at = 40; at + 1 < 72; at += 2) {
                std::uint32_t code = static_cast<std::uint32_t>(sector[at]) << 8 | sector[at + 1];
                if (code >= 0xD800 && code <= 0xDFFF) {
                    code = 0xFFFD;
                }
                AppendUtf8(code, label);
            }
            TakeIsoDescriptor(sector, label, identity);
            return true;
        }
        if (type == 1 && !havePrimary) {
            primary = sector;
            havePrimary = true;
        }
    }
    if (!havePrimary) {
        return false;
    }
    TakeIsoDescriptor(primary, std::string(reinterpret_cast<const char*>(primary.data() + 40), 32),
                      identity);
    return true;
}

// A UDF descriptor tag: its identifier, if the tag's own checksum holds.
int TagIdentifier(const Sector& sector) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < 16; ++i) {
        if (i != 4) {
            sum = static_cast<std::uint8_t>(sum + sector[i]);
        }
    }
    return sum == sector[4] ? U16(sector, 0) : -1;
}

// The UDF label: the logical volume identifier, a d-string of 8- or 16-bit characters.
std::string DString(const Sector& sector, std::size_t at, std::size_t length) {
    std::size_t used = sector[at + length - 1];
    if (used == 0 || used > length - 1) {
        return std::string();
    }
    std::uint8_t compression = sector[at];
    std::string text;
    if (compression == 8) {
        for (std::size_t i = 1; i < used; ++i) {
            AppendUtf8(sector[at + i], text);
        }
    } else if (compression == 16) {
        for (std::size_t i = 1; i + 1 < used; i += 2) {
            AppendUtf8(static_cast<std::uint32_t>(sector[at + i]) << 8 | sector[at + i + 1], text);
        }
    }
    return TrimLabel(text);
}

bool ReadUdf(const CDevice& device, COpticalIdentity& identity) {
    Sector sector{};
    if (!device.ReadSector(256, sector) || TagIdentifier(sector) != 2) {
        return false;
    }
    std::uint32_t sequenceLength = U32(sector, 16);
    std::uint32_t sequenceStart = U32(sector, 20);
    std::uint64_t partitionStart = 0;
    bool havePartition = false;
    std::uint32_t fileSetBlock = 0;
    bool haveVolume = false;
    std::string label;
    std::optional<std::int64_t> recorded;
    std::uint64_t sectors = std::min<std::uint64_t>(sequenceLength / sectorSize, 64);
    for (std::uint64_t i = 0; i < sectors; ++i) {
        if (!device.ReadSector(sequenceStart + i, sector)) {
            return false;
        }
        int tag = TagIdentifier(sector);
        if (tag == 8) {
            break;
        }
        if (tag == 1 && !recorded) {
            recorded = UdfRecordingTime(sector);
        } else if (tag == 5 && !havePartition) {
            partitionStart = U32(sector, 188);
            havePartition = true;
        } else if (tag == 6 && !haveVolume) {
            label = DString(sector, 84, 128);
            // The logical volume contents use holds a long allocation descriptor of the
            // file set descriptor: length, block, partition.
            fileSetBlock = U32(sector, 248 + 4);
            haveVolume = U32(sector, 212) == sectorSize;
        }
    }
    if (!havePartition || !haveVolume ||
        !device.ReadSector(partitionStart + fileSetBlock, sector) || TagIdentifier(sector) != 256) {
        return false;
    }
    std::array<std::uint32_t, 4> s = LaneSums(sector);
    identity.serial = s[3] << 24 | s[2] << 16 | s[1] << 8 | s[0];
    identity.label = label;
    identity.creationTime = recorded;
    return true;
}

}  // namespace

bool ReadOpticalIdentity(const std::string& path, const std::string& fileSystem,
                         COpticalIdentity& identity) {
    if (fileSystem != "iso9660" && fileSystem != "udf") {
        return false;
    }
    CDevice device(path);
    if (!device.IsOpen()) {
        return false;
    }
    return fileSystem == "iso9660" ? ReadIso9660(device, identity) : ReadUdf(device, identity);
}
