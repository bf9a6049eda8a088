// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_data.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <unordered_set>

#include "platform/file.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/record_writer.h"

std::uint64_t CBenchRandom::Next() {
    // splitmix64
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint32_t CBenchRandom::Below(std::uint32_t count) {
    return static_cast<std::uint32_t>((Next() >> 32) * count >> 32);
}

double CBenchRandom::Uniform() {
    return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

bool CBenchRandom::Chance(double probability) {
    return Uniform() < probability;
}

double CBenchRandom::LogNormal(double median, double sigma) {
    // Box-Muller; the 1e-300 keeps log away from zero.
    double u = Uniform() + 1e-300;
    double v = Uniform();
    double normal = std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * v);
    return median * std::exp(sigma * normal);
}

namespace {

constexpr std::int32_t day = 86400;
constexpr std::int32_t firstTime = 883612800;  // 1998-01-01
constexpr std::int32_t lastTime = 1735603200;  // 2024-12-31

const char* const folderWords[] = {
    "Photos",   "Pictures", "Music",   "Documents", "Projects", "Backup",   "Archive",   "Videos",
    "Software", "Drivers",  "Games",   "Scans",     "Letters",  "Invoices", "Taxes",     "School",
    "Work",     "Travel",   "Family",  "Holiday",   "Wedding",  "Garden",   "House",     "Recipes",
    "Manuals",  "Fonts",    "Images",  "Sounds",    "Samples",  "Old",      "Misc",      "Export",
    "Drafts",   "Final",    "Reports", "Slides",    "Notes",    "Mail",     "Downloads", "Install",
    "Setup",    "Shared",   "Private", "Clients",   "Accounts", "Website",  "Templates", "Print"};
const char* const codeFolders[] = {
    "src",    "include",  "lib",         "tests",    "docs",  "build", "tools", "scripts",
    "assets", "data",     "config",      "res",      "icons", "core",  "util",  "net",
    "ui",     "platform", "third_party", "examples", "bin",   "obj",   "Debug", "Release"};
const char* const places[] = {"Greece",  "Paris",   "Rome",     "Lisbon",  "Berlin", "Sweden",
                              "Beach",   "Alps",    "Scotland", "Prague",  "Vienna", "Norway",
                              "Granada", "Tuscany", "Iceland",  "Brittany"};
// Café, Été, Müller, Zürich, Århus, Kraków, Фото, 写真, Ελλάδα, Señor, Göteborg, Garçon
const char* const unicodeWords[] = {"Caf\xC3\xA9",
                                    "\xC3\x89t\xC3\xA9",
                                    "M\xC3\xBCller",
                                    "Z\xC3\xBCrich",
                                    "\xC3\x85rhus",
                                    "Krak\xC3\xB3w",
                                    "\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE",
                                    "\xE5\x86\x99\xE7\x9C\x9F",
                                    "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1",
                                    "Se\xC3\xB1or",
                                    "G\xC3\xB6teborg",
                                    "Gar\xC3\xA7on"};
const char* const artists[] = {"The Kinks",     "Miles Davis", "Nina Simone",    "Radiohead",
                               "Bach",          "Mozart",      "Portishead",     "Bjork",
                               "Talking Heads", "Air",         "Daft Punk",      "Chopin",
                               "Joni Mitchell", "The Cure",    "Massive Attack", "Satie"};
const char* const titleWords[] = {"Blue",    "Night",  "River", "Summer",  "Dream",  "Light",
                                  "Road",    "Heart",  "Rain",  "Stone",   "Fire",   "Moon",
                                  "Garden",  "Song",   "Waltz", "Prelude", "Home",   "Away",
                                  "Morning", "Silver", "Glass", "Echo",    "Winter", "Train"};
const char* const codeWords[] = {"main",   "parser", "lexer",  "util",   "string", "buffer",
                                 "config", "widget", "window", "socket", "stream", "thread",
                                 "table",  "index",  "cache",  "render", "image",  "font",
                                 "layout", "event",  "timer",  "file",   "path",   "record",
                                 "search", "sort",   "hash",   "list",   "tree",   "queue"};
const char* const codeExtensions[] = {".c",  ".h",  ".cpp", ".hpp", ".py",  ".js",  ".java",
                                      ".cs", ".go", ".rs",  ".o",   ".obj", ".txt", ".xml"};
const char* const docWords[] = {"Report",   "Letter", "Invoice",  "Minutes",   "Budget",   "Plan",
                                "CV",       "Notes",  "Summary",  "Offer",     "Contract", "Memo",
                                "Agenda",   "Quote",  "Receipt",  "Statement", "Thesis",   "Draft",
                                "Proposal", "Review", "Schedule", "Inventory"};
const char* const docExtensions[] = {".doc", ".docx", ".pdf", ".xls", ".xlsx", ".odt",
                                     ".txt", ".ppt",  ".rtf", ".pdf", ".pdf",  ".doc"};
const char* const miscNames[] = {"setup.exe",   "readme.txt", "README.TXT",  "autorun.inf",
                                 "install.log", "Thumbs.db",  "desktop.ini", "license.txt",
                                 "CHANGES",     "Makefile",   "index.html",  "style.css"};
const char* const miscExtensions[] = {".zip", ".iso", ".avi", ".mkv", ".exe", ".msi",
                                      ".7z",  ".rar", ".bak", ".tmp", ".dat", ".bin"};

enum class Theme { camera, music, code, documents, mixed };

struct Sized {
    double median;
    double sigma;
};

Sized SizeOf(const std::string& name) {
    std::string::size_type dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    for (char& c : extension) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    if (extension == ".jpg" || extension == ".cr2") {
        return {2.5e6, 0.5};
    }
    if (extension == ".mov" || extension == ".avi" || extension == ".mkv") {
        return {90e6, 1.2};
    }
    if (extension == ".mp3") {
        return {5e6, 0.4};
    }
    if (extension == ".flac") {
        return {28e6, 0.4};
    }
    if (extension == ".iso") {
        return {650e6, 0.3};
    }
    if (extension == ".zip" || extension == ".7z" || extension == ".rar" || extension == ".msi" ||
        extension == ".exe") {
        return {8e6, 1.6};
    }
    if (extension == ".pdf" || extension == ".doc" || extension == ".docx" || extension == ".xls" ||
        extension == ".xlsx" || extension == ".ppt") {
        return {120e3, 1.3};
    }
    return {6e3, 1.5};
}

Theme RandomTheme(CBenchRandom& random) {
    std::uint32_t roll = random.Below(100);
    if (roll < 14) {
        return Theme::camera;
    }
    if (roll < 30) {
        return Theme::music;
    }
    if (roll < 58) {
        return Theme::code;
    }
    if (roll < 85) {
        return Theme::documents;
    }
    return Theme::mixed;
}

std::string Number(const char* format, unsigned value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Year(CBenchRandom& random) {
    return std::to_string(random.Between(1998, 2024));
}

std::string FolderName(CBenchRandom& random, Theme theme, std::size_t themeDepth) {
    if (random.Chance(0.03)) {
        return std::string(random.Pick(unicodeWords)) + " " + Year(random);
    }
    switch (theme) {
        case Theme::camera:
            if (themeDepth > 0 && random.Chance(0.4)) {
                return Number("%03uCANON", random.Between(100, 199));
            }
            return Year(random) + "-" + Number("%02u", random.Between(1, 12)) + "-" +
                   Number("%02u", random.Between(1, 28)) + " " + random.Pick(places);
        case Theme::music:
            if (themeDepth == 0) {
                return random.Pick(artists);
            }
            if (themeDepth == 2) {
                return Number("Disc %u", random.Between(1, 2));
            }
            return std::string(random.Pick(titleWords)) + " " + random.Pick(titleWords) + " (" +
                   Year(random) + ")";
        case Theme::code:
            if (random.Chance(0.2)) {
                return std::string(random.Pick(codeWords)) + "-" +
                       Number("%u", random.Between(0, 9)) + "." +
                       Number("%u", random.Between(0, 20));
            }
            return random.Chance(0.7) ? random.Pick(codeFolders) : random.Pick(codeWords);
        case Theme::documents:
            if (random.Chance(0.3)) {
                return Year(random);
            }
            return std::string(random.Pick(folderWords)) +
                   (random.Chance(0.4) ? " " + Year(random) : std::string());
        case Theme::mixed:
            break;
    }
    if (random.Chance(0.1)) {
        return random.Chance(0.5) ? "New folder" : Number("New folder (%u)", random.Between(2, 9));
    }
    return std::string(random.Pick(folderWords)) +
           (random.Chance(0.3) ? std::string(" ") + random.Pick(folderWords) : std::string());
}

std::string FileName(CBenchRandom& random, Theme theme, std::uint32_t index) {
    if (random.Chance(0.02)) {
        return std::string(random.Pick(unicodeWords)) + " " + random.Pick(docWords) +
               random.Pick(docExtensions);
    }
    switch (theme) {
        case Theme::camera:
            if (random.Chance(0.05)) {
                return Number("MVI_%04u.MOV", index % 10000);
            }
            return Number(random.Chance(0.5) ? "IMG_%04u.JPG" : "DSC%05u.JPG", index);
        case Theme::music:
            return Number("%02u - ", index % 100) + random.Pick(titleWords) + " " +
                   random.Pick(titleWords) + (random.Chance(0.8) ? ".mp3" : ".flac");
        case Theme::code: {
            std::string name = random.Pick(codeWords);
            if (random.Chance(0.5)) {
                name += std::string("_") + random.Pick(codeWords);
            }
            return name + random.Pick(codeExtensions);
        }
        case Theme::documents: {
            std::string name = random.Pick(docWords);
            std::uint32_t roll = random.Below(4);
            if (roll == 0) {
                name += " " + Year(random);
            } else if (roll == 1) {
                name += std::string(" ") + random.Pick(places);
            } else if (roll == 2) {
                name += Number(" v%u", random.Between(2, 9));
            }
            if (random.Chance(0.1)) {
                name += " final";
            }
            return name + random.Pick(docExtensions);
        }
        case Theme::mixed:
            break;
    }
    if (random.Chance(0.2)) {
        return random.Pick(miscNames);
    }
    return std::string(random.Pick(titleWords)) + random.Pick(miscExtensions);
}

// How many subfolders a folder gets: many near the root, fewer further down, so that most
// items sit four to eight levels deep and a few branches go much deeper. Music keeps to
// artist, album and disc; a camera's folders hold pictures, not more folders.
std::uint32_t SubfolderCount(CBenchRandom& random, Theme theme, std::size_t depth,
                             std::size_t themeDepth) {
    static const double means[] = {9.0, 4.0, 3.0, 2.2, 1.6, 1.3, 1.1, 0.9, 0.8, 0.7};
    if (depth >= 22) {
        return 0;
    }
    if (theme == Theme::camera) {
        return themeDepth == 0 && random.Chance(0.3) ? random.Between(1, 4) : 0;
    }
    if (theme == Theme::music) {
        if (themeDepth == 0) {
            return random.Between(1, 6);
        }
        return themeDepth == 1 && random.Chance(0.08) ? 2 : 0;
    }
    double mean = means[std::min<std::size_t>(depth, std::size(means) - 1)];
    // Geometric with that mean.
    double q = mean / (1.0 + mean);
    std::uint32_t count = 0;
    while (count < 40 && random.Chance(q)) {
        ++count;
    }
    return count;
}

std::uint32_t FileCount(CBenchRandom& random, Theme theme, std::size_t themeDepth) {
    double count = 0;
    switch (theme) {
        case Theme::camera:
            count = random.LogNormal(120, 0.8);
            break;
        case Theme::music:
            count = themeDepth == 0 ? random.Below(2) : random.Between(6, 22);
            break;
        case Theme::code:
            count = random.LogNormal(7, 1.0);
            break;
        case Theme::documents:
            count = random.LogNormal(10, 1.1);
            break;
        case Theme::mixed:
            count = random.LogNormal(5, 1.3);
            break;
    }
    return static_cast<std::uint32_t>(std::min(count, 5000.0));
}

// Names already used in one folder; a real folder cannot hold two entries of one name.
class CNameSet {
public:
    std::string Unique(std::string name) {
        if (used.insert(name).second) {
            return name;
        }
        std::string::size_type dot = name.rfind('.');
        if (dot == std::string::npos || dot == 0) {
            dot = name.size();
        }
        for (unsigned copy = 2;; ++copy) {
            std::string candidate =
                name.substr(0, dot) + " (" + std::to_string(copy) + ")" + name.substr(dot);
            if (used.insert(candidate).second) {
                return candidate;
            }
        }
    }

private:
    std::unordered_set<std::string> used;
};

void SetTimes(CBenchRandom& random, CCollDiskItem& item, std::int32_t around) {
    std::int32_t modify = around + static_cast<std::int32_t>(random.Below(30 * day));
    modify = std::min(modify, lastTime);
    item.modifyTime = modify;
    item.creationTime = modify - static_cast<std::int32_t>(random.Below(400 * day));
    item.accessTime = modify + static_cast<std::int32_t>(random.Below(200 * day));
}

struct COpenFolder {
    CCollDiskContent* content;
    std::size_t depth;
    Theme theme;
    std::size_t themeDepth;  // levels since the theme began
    std::int32_t time;
};

class CTreeMaker {
public:
    CTreeMaker(CBenchRandom& random, std::uint32_t items) : random(random), left(items) {}

    void Make(CCollDiskContent& root) {
        Populate({&root, 0, Theme::mixed, 0, RandomTime()}, true);
        while (left > 0) {
            if (open.empty()) {
                AddFolder(root, 0, RandomTheme(random), 0, RandomTime(), rootNames);
                continue;
            }
            // Mostly the folder made last, so branches grow deep as real ones do.
            std::size_t at = random.Chance(0.6) ? open.size() - 1 : random.Below(open.size());
            COpenFolder folder = open[at];
            open[at] = open.back();
            open.pop_back();
            CNameSet names;
            Populate(folder, false, &names);
        }
    }

private:
    std::int32_t RandomTime() {
        return firstTime + static_cast<std::int32_t>(random.Below(lastTime - firstTime - 30 * day));
    }

    void AddFolder(CCollDiskContent& content, std::size_t depth, Theme theme,
                   std::size_t themeDepth, std::int32_t time, CNameSet& names) {
        auto folder = std::make_unique<CCollDiskFolder>();
        folder->name = names.Unique(FolderName(random, theme, themeDepth));
        SetTimes(random, *folder, time);
        open.push_back({&folder->content, depth + 1, theme, themeDepth, folder->modifyTime});
        content.folders.Add(std::move(folder));
        --left;
    }

    void Populate(const COpenFolder& folder, bool isRoot, CNameSet* names = nullptr) {
        CNameSet& used = isRoot ? rootNames : *names;
        // A small disk has a folder or two at its root, a large one up to a dozen.
        std::uint32_t subfolders =
            isRoot ? std::min(random.Between(3, 12), 1 + left / 8)
                   : SubfolderCount(random, folder.theme, folder.depth, folder.themeDepth);
        bool keepTheme = folder.theme == Theme::music || folder.theme == Theme::camera;
        for (std::uint32_t i = 0; i < subfolders && left > 0; ++i) {
            if (!isRoot && (keepTheme || (folder.theme != Theme::mixed && random.Chance(0.75)))) {
                AddFolder(*folder.content, folder.depth, folder.theme, folder.themeDepth + 1,
                          folder.time, used);
            } else {
                AddFolder(*folder.content, folder.depth, RandomTheme(random), 0, folder.time, used);
            }
        }
        std::uint32_t files = std::min(FileCount(random, folder.theme, folder.themeDepth), left);
        std::uint32_t first = random.Below(9000);
        for (std::uint32_t i = 0; i < files; ++i) {
            auto file = std::make_unique<CCollDiskFile>();
            file->name = used.Unique(FileName(random, folder.theme, first + i));
            Sized sized = SizeOf(file->name);
            file->size = static_cast<std::uint32_t>(
                std::min(random.LogNormal(sized.median, sized.sigma), 4.2e9));
            SetTimes(random, *file, folder.time);
            folder.content->files.Add(std::move(file));
        }
        left -= files;
    }

    CBenchRandom& random;
    std::uint32_t left;
    std::vector<COpenFolder> open;
    CNameSet rootNames;
};

void CollectFiles(CCollDiskContent& content, std::vector<CCollDiskFile*>& files) {
    for (const auto& file : content.files) {
        files.push_back(file.get());
    }
    for (const auto& folder : content.folders) {
        CollectFiles(folder->content, files);
    }
}

void ThrowErrno(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

void WriteLevel(const CCollDiskContent& content, int parent) {
    for (const auto& file : content.files) {
        int fd = ::openat(parent, file->name.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0) {
            ThrowErrno(file->name);
        }
        struct timespec times[2] = {{file->accessTime, 0}, {file->modifyTime, 0}};
        if (::ftruncate(fd, file->size) != 0 || ::futimens(fd, times) != 0) {
            ThrowErrno(file->name);
        }
        ::close(fd);
    }
    for (const auto& folder : content.folders) {
        if (::mkdirat(parent, folder->name.c_str(), 0755) != 0) {
            ThrowErrno(folder->name);
        }
        int fd = ::openat(parent, folder->name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            ThrowErrno(folder->name);
        }
        WriteLevel(folder->content, fd);
        // After the children, which would change it.
        struct timespec times[2] = {{folder->accessTime, 0}, {folder->modifyTime, 0}};
        ::futimens(fd, times);
        ::close(fd);
    }
}

}  // namespace

void CTreeStats::Add(const CCollDiskContent& content, std::size_t depth) {
    if (itemsAtDepth.size() <= depth) {
        itemsAtDepth.resize(depth + 1);
    }
    std::size_t items = content.folders.size() + content.files.size();
    itemsAtDepth[depth] += items;
    largestFolder = std::max(largestFolder, static_cast<std::uint32_t>(items));
    folders += content.folders.size();
    files += content.files.size();
    for (const auto& file : content.files) {
        nameBytes += file->name.size();
        bytes += file->size;
    }
    for (const auto& folder : content.folders) {
        nameBytes += folder->name.size();
        Add(folder->content, depth + 1);
    }
}

std::string CTreeStats::Describe() const {
    std::uint64_t items = folders + files;
    std::uint64_t depthSum = 0;
    std::uint64_t seen = 0;
    std::size_t median = 0;
    for (std::size_t depth = 0; depth < itemsAtDepth.size(); ++depth) {
        depthSum += depth * itemsAtDepth[depth];
    }
    for (std::size_t depth = 0; depth < itemsAtDepth.size(); ++depth) {
        seen += itemsAtDepth[depth];
        if (seen * 2 >= items) {
            median = depth;
            break;
        }
    }
    char text[256];
    std::snprintf(text, sizeof text,
                  "%llu items (%llu folders, %llu files), depth median %zu mean %.1f max %zu, "
                  "largest folder %u, mean name %.1f bytes, %.1f GB",
                  static_cast<unsigned long long>(items), static_cast<unsigned long long>(folders),
                  static_cast<unsigned long long>(files), median,
                  items == 0 ? 0.0 : static_cast<double>(depthSum) / static_cast<double>(items),
                  itemsAtDepth.empty() ? 0 : itemsAtDepth.size() - 1, largestFolder,
                  items == 0 ? 0.0 : static_cast<double>(nameBytes) / static_cast<double>(items),
                  static_cast<double>(bytes) / 1e9);
    return text;
}

void MakeTree(CBenchRandom& random, std::uint32_t items, CCollDiskContent& content) {
    CTreeMaker(random, items).Make(content);
}

void MakeFlatFolder(CBenchRandom& random, const std::string& name, std::uint32_t files,
                    CCollDiskContent& content) {
    auto folder = std::make_unique<CCollDiskFolder>();
    folder->name = name;
    std::int32_t around = firstTime + static_cast<std::int32_t>(random.Below(5000 * day));
    SetTimes(random, *folder, around);
    CNameSet names;
    static const Theme themes[] = {Theme::camera, Theme::music, Theme::code, Theme::documents,
                                   Theme::mixed};
    for (std::uint32_t i = 0; i < files; ++i) {
        auto file = std::make_unique<CCollDiskFile>();
        file->name = names.Unique(FileName(random, random.Pick(themes), random.Below(100000)));
        Sized sized = SizeOf(file->name);
        file->size = static_cast<std::uint32_t>(
            std::min(random.LogNormal(sized.median, sized.sigma), 4.2e9));
        SetTimes(random, *file, around + static_cast<std::int32_t>(random.Below(3000 * day)));
        folder->content.files.Add(std::move(file));
    }
    content.folders.Add(std::move(folder));
}

void MakeBigFiles(CCollDiskContent& content, std::uint32_t every) {
    std::uint32_t count = 0;
    std::vector<CCollDiskContent*> pending{&content};
    while (!pending.empty()) {
        CCollDiskContent* level = pending.back();
        pending.pop_back();
        for (const auto& file : level->files) {
            if (++count % every == 0) {
                file->size += (std::uint64_t{4} + count % 60) << 30;
            }
        }
        for (std::size_t i = level->folders.size(); i > 0; --i) {
            pending.push_back(&level->folders[i - 1]->content);
        }
    }
}

void MarkFiles(CBenchRandom& random, CCollDiskContent& content, const std::string& word,
               std::uint32_t count) {
    std::vector<CCollDiskFile*> files;
    CollectFiles(content, files);
    count = std::min<std::uint32_t>(count, static_cast<std::uint32_t>(files.size()));
    for (std::uint32_t i = 0; i < count; ++i) {
        // A partial shuffle: each file is marked at most once.
        std::uint32_t pick = i + random.Below(static_cast<std::uint32_t>(files.size()) - i);
        std::swap(files[i], files[pick]);
        std::string& name = files[i]->name;
        std::string::size_type dot = name.rfind('.');
        if (dot == std::string::npos || dot == 0) {
            dot = name.size();
        }
        name.insert(dot, " " + word);
    }
}

void FillHeader(CBenchRandom& random, CCollDisk& disk) {
    disk.header.SetLabel(std::string(random.Pick(folderWords)) + "_" + Year(random));
    disk.header.serial = static_cast<std::uint32_t>(random.Next());
    disk.header.burnDate =
        firstTime + static_cast<std::int32_t>(random.Below(lastTime - firstTime));
    disk.header.SetDescription("Made up for the benchmarks");
    disk.ComputeTotals();
}

void WriteRealTree(const CCollDiskContent& content, const std::string& root) {
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        ThrowErrno(root);
    }
    WriteLevel(content, fd);
    ::close(fd);
}

void AppendPaths(const CCollDiskContent& content, const std::string& title, std::string& out) {
    struct Level {
        const CCollDiskContent* content;
        std::string prefix;
    };
    std::vector<Level> queue{{&content, title + ":\\"}};
    for (std::size_t at = 0; at < queue.size(); ++at) {
        const CCollDiskContent* level = queue[at].content;
        std::string prefix = queue[at].prefix;
        for (const auto& folder : level->folders) {
            out.append(prefix).append(folder->name) += '\n';
            queue.push_back({&folder->content, prefix + folder->name + "\\"});
        }
        for (const auto& file : level->files) {
            out.append(prefix).append(file->name) += '\n';
        }
    }
}

void AppendFileNames(const CCollDiskContent& content, std::string& out) {
    for (const auto& file : content.files) {
        out.append(file->name) += '\n';
    }
}

void WriteIndexUnsynced(CCollDisk& disk, const std::string& path) {
    disk.AssignOffsets();
    CFile file(path, CFile::Mode::create);
    CRecordWriter writer(file);
    disk.WriteIndex(writer);
    file.Close();
}
