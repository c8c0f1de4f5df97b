#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "FileEffects.h"
#include "Map.h"
#include "MapFile.h"
#include "TestFolder.h"

namespace {

// Eleven rows of twenty cells, each row its own tile, as the engine writes them.
std::string cleanRows(const std::string& lineEnd = "\n")
{
    std::string text;
    for (int row = 0; row < MAP_ROWS; ++row)
        text += std::string(MAP_COLUMNS, static_cast<char>('B' + row)) + lineEnd;
    return text;
}

std::string withCell(std::string text, size_t offset, char code)
{
    text[offset] = code;
    return text;
}

namespace fs = std::filesystem;

struct FileCase
{
    const char* shape;
    std::string bytes;
    StatusKind opened;
    bool keptAsBackup;
    std::string saved;
};

} // namespace

TEST(EditorMapFile, KeepsTheOriginalBeforeTheFirstSaveWouldLoseAnythingOfIt)
{
    const size_t row4Column2 = 4 * (MAP_COLUMNS + 1) + 2;
    const std::vector<FileCase> cases = {
        {"as the writer writes it", cleanRows(), StatusKind::Info, false, cleanRows()},
        {"comment lines", "## hills\n" + cleanRows(), StatusKind::Info, true, cleanRows()},
        {"carriage returns", cleanRows("\r\n"), StatusKind::Info, true, cleanRows()},
        {"text after the last row", cleanRows() + "notes\n", StatusKind::Info, true, cleanRows()},
        {"a damaged cell", withCell(cleanRows(), row4Column2, '@'), StatusKind::Error, true,
         withCell(cleanRows(), row4Column2, 'A')},
    };
    for (const FileCase& test : cases) {
        SCOPED_TRACE(test.shape);
        TestFolder folder;
        folder.write("map.dat", test.bytes);
        Map map{};
        MapFile file(folder.file("map.dat"));
        EXPECT_EQ(file.load(map).kind, test.opened);

        const Status saved = file.save(map);
        EXPECT_EQ(saved.kind, StatusKind::Saved) << saved.text;
        EXPECT_EQ(saved.text.find("map.dat~") != std::string::npos, test.keptAsBackup) << saved.text;
        EXPECT_EQ(folder.read("map.dat"), test.saved);
        EXPECT_EQ(fs::exists(folder.file("map.dat~")), test.keptAsBackup);
        if (test.keptAsBackup) {
            EXPECT_EQ(folder.read("map.dat~"), test.bytes);
            file.save(map);
            EXPECT_EQ(folder.read("map.dat~"), test.bytes) << "a second save keeps the original's copy";
        }
    }
}

namespace {

// The map as saved by the cases below: cell 0,0 painted with tile 5, over
// the file's rows or, for a new map, over empty ones.
const std::string kSaved = withCell(cleanRows(), 0, 'F');
const std::string kSavedNew = [] {
    std::string rows;
    for (int row = 0; row < MAP_ROWS; ++row)
        rows += std::string(MAP_COLUMNS, 'A') + "\n";
    return withCell(rows, 0, 'F');
}();
// A comment line long enough that keeping it takes more than kFullAfter bytes.
const std::string kCommented = "## " + std::string(8000, '-') + "\n" + cleanRows();
const rlim_t kFullAfter = 4096;

// A disk that fills up after kFullAfter bytes of any one file: writes past
// that fail (and SIGXFSZ, which would end the process, is ignored meanwhile).
class FullDisk
{
public:
    FullDisk() : oldHandler(signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit full = {kFullAfter, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &full);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, oldHandler);
    }

private:
    rlimit old;
    void (*oldHandler)(int);
};

// What a link says, or nothing when the path is no link.
std::string linkText(const std::string& path)
{
    std::error_code notALink;
    return fs::read_symlink(path, notALink).string();
}

mode_t modeOf(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// The temporary files of a save, which must never be left behind.
std::vector<std::string> leftovers(const TestFolder& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder.path()))
        if (entry.path().extension().string().size() == 7 &&
            entry.path().stem().string().find(".dat") != std::string::npos)
            found.push_back(entry.path().string());
    return found;
}

// A save's effects in the only order a crash cannot catch half done: each new
// file on disk before it takes its name, and that name on disk (its folder
// flushed) before the save is over; a map written in place only once its
// backup is all on disk, and flushed after.
void expectSafeOrder(const FileEffects& effects, const std::string& target, bool inPlace)
{
    using E = FileEffects;
    const std::string folder = fs::path(target).parent_path(), backup = target + "~";
    const auto inOrder = [](size_t earlier, size_t later) { return earlier < later && later != std::string::npos; };
    const auto movedIn = [&](const std::string& file) {
        EXPECT_TRUE(inOrder(effects.first(E::Flush, file), effects.first(E::Rename, file))) << file;
        EXPECT_TRUE(inOrder(effects.first(E::Rename, file), effects.last(E::Flush, folder))) << file;
    };
    if (effects.first(E::Rename, backup) != std::string::npos)
        movedIn(backup);
    if (!inPlace)
        return movedIn(target);
    EXPECT_TRUE(inOrder(effects.last(E::Flush, folder), effects.first(E::Write, target))) << "the backup first";
    EXPECT_TRUE(inOrder(effects.last(E::Write, target), effects.last(E::Flush, target))) << "then the map, flushed";
}

struct SaveCase
{
    const char* shape;
    // Lays out the folder and returns the map's path in it.
    std::function<std::string(const TestFolder&)> prepare;
    StatusKind opened;
    bool diskFull;
    StatusKind saved;
    // Checks what the folder holds after the save; the saved status comes along.
    std::function<void(const TestFolder&, const Status&)> check;
    // Changes the file between the load and the save, which is then refused once.
    std::function<void(const TestFolder&)> changeOnDisk = nullptr;
};

std::string plainMap(const TestFolder& folder)
{
    folder.write("map.dat", cleanRows());
    return folder.file("map.dat");
}

const std::vector<SaveCase> kSaveCases = {
    {"a plain map: on disk before it takes its name, the name on disk before the save is over", plainMap,
     StatusKind::Info, false, StatusKind::Saved,
     [](const TestFolder& folder, const Status&) { EXPECT_EQ(folder.read("map.dat"), kSaved); }},
    {"changed on disk since the load: refused, then saved over, the change kept as the backup", plainMap,
     StatusKind::Info, false, StatusKind::Saved,
     [](const TestFolder& folder, const Status& saved) {
         EXPECT_EQ(folder.read("map.dat"), kSaved);
         EXPECT_EQ(folder.read("map.dat~"), kCommented);
         EXPECT_NE(saved.text.find("changed"), std::string::npos) << saved.text;
     },
     [](const TestFolder& folder) { folder.write("map.dat", kCommented); }},
    {"a read error: said, and never written over",
     [](const TestFolder&) { return std::string("/proc/self/mem"); },
     StatusKind::Error, false, StatusKind::Error,
     [](const TestFolder&, const Status& saved) {
         EXPECT_NE(saved.text.find("could not be read"), std::string::npos) << saved.text;
     }},
    {"through a symbolic link: the target saved, the link kept",
     [](const TestFolder& folder) {
         folder.write("real/target.dat", cleanRows());
         fs::create_symlink("real/target.dat", folder.file("link.dat"));
         return folder.file("link.dat");
     },
     StatusKind::Info, false, StatusKind::Saved,
     [](const TestFolder& folder, const Status&) {
         EXPECT_EQ(linkText(folder.file("link.dat")), "real/target.dat");
         EXPECT_EQ(folder.read("real/target.dat"), kSaved);
     }},
    {"through a link to nothing yet: the target created",
     [](const TestFolder& folder) {
         fs::create_directories(folder.file("real"));
         fs::create_symlink(folder.file("real/new.dat"), folder.file("link.dat"));
         return folder.file("link.dat");
     },
     StatusKind::Info, false, StatusKind::Saved,
     [](const TestFolder& folder, const Status&) {
         EXPECT_TRUE(fs::is_symlink(folder.file("link.dat")));
         EXPECT_EQ(folder.read("real/new.dat"), kSavedNew);
     }},
    {"a hard link: the other name sees the save, the original kept",
     [](const TestFolder& folder) {
         folder.write("map.dat", cleanRows());
         fs::create_hard_link(folder.file("map.dat"), folder.file("other.dat"));
         return folder.file("map.dat");
     },
     StatusKind::Info, false, StatusKind::Saved,
     [](const TestFolder& folder, const Status& saved) {
         EXPECT_EQ(folder.read("other.dat"), kSaved);
         EXPECT_EQ(fs::hard_link_count(folder.file("map.dat")), 2u);
         EXPECT_EQ(folder.read("map.dat~"), cleanRows());
         EXPECT_NE(saved.text.find("in place"), std::string::npos) << saved.text;
     }},
    {"a link planted as the backup: not followed, nothing saved",
     [](const TestFolder& folder) {
         folder.write("victim.txt", "not a map\n");
         folder.write("map.dat", kCommented);
         fs::create_symlink(folder.file("victim.txt"), folder.file("map.dat~"));
         return folder.file("map.dat");
     },
     StatusKind::Info, false, StatusKind::Error,
     [](const TestFolder& folder, const Status& saved) {
         EXPECT_EQ(folder.read("victim.txt"), "not a map\n");
         EXPECT_TRUE(fs::is_symlink(folder.file("map.dat~")));
         EXPECT_EQ(folder.read("map.dat"), kCommented);
         EXPECT_NE(saved.text.find("map.dat~"), std::string::npos) << saved.text;
     }},
    {"mode 0600: the map and its backup stay 0600",
     [](const TestFolder& folder) {
         folder.write("map.dat", kCommented);
         chmod(folder.file("map.dat").c_str(), 0600);
         return folder.file("map.dat");
     },
     StatusKind::Info, false, StatusKind::Saved,
     [](const TestFolder& folder, const Status&) {
         EXPECT_EQ(folder.read("map.dat"), kSaved);
         EXPECT_EQ(modeOf(folder.file("map.dat")), 0600u);
         EXPECT_EQ(modeOf(folder.file("map.dat~")), 0600u);
     }},
    {"a new map: the umask decides its mode",
     [](const TestFolder& folder) { return folder.file("new.dat"); },
     StatusKind::Info, false, StatusKind::Saved,
     [](const TestFolder& folder, const Status&) {
         EXPECT_EQ(folder.read("new.dat"), kSavedNew);
         EXPECT_EQ(modeOf(folder.file("new.dat")), 0640u) << "umask 027";
     }},
    {"owned by another user: owner and group kept (as root)",
     [](const TestFolder& folder) {
         folder.write("map.dat", kCommented);
         if (geteuid() == 0 && chown(folder.file("map.dat").c_str(), 4242, 4343) != 0)
             ADD_FAILURE() << "root cannot chown";
         return folder.file("map.dat");
     },
     StatusKind::Info, false, StatusKind::Saved,
     [](const TestFolder& folder, const Status& saved) {
         EXPECT_EQ(folder.read("map.dat"), kSaved);
         if (geteuid() != 0)
             return; // only root can give a file away, so there is nothing to keep
         for (const char* name : {"map.dat", "map.dat~"}) {
             struct stat info;
             ASSERT_EQ(stat(folder.file(name).c_str(), &info), 0) << name;
             EXPECT_EQ(info.st_uid, 4242u) << name;
             EXPECT_EQ(info.st_gid, 4343u) << name;
         }
         EXPECT_EQ(saved.text.find("in place"), std::string::npos) << "root replaces the file: " << saved.text;
     }},
    {"the disk full while keeping the original: no backup, nothing saved",
     [](const TestFolder& folder) {
         folder.write("map.dat", kCommented);
         return folder.file("map.dat");
     },
     StatusKind::Info, true, StatusKind::Error,
     [](const TestFolder& folder, const Status& saved) {
         EXPECT_FALSE(fs::exists(folder.file("map.dat~")));
         EXPECT_EQ(folder.read("map.dat"), kCommented);
         EXPECT_NE(saved.text.find("File too large"), std::string::npos) << saved.text;
     }},
    {"a FIFO: refused without waiting, left as it is",
     [](const TestFolder& folder) { return folder.fifo("map.dat"); },
     StatusKind::Error, false, StatusKind::Error,
     [](const TestFolder& folder, const Status&) { EXPECT_TRUE(fs::is_fifo(folder.file("map.dat"))); }},
};

} // namespace

TEST(EditorMapFile, SavesRespectLinksOwnersAndModesAndLeaveNothingHalfDone)
{
    const mode_t oldMask = umask(027);
    for (const SaveCase& test : kSaveCases) {
        SCOPED_TRACE(test.shape);
        TestFolder folder;
        Map map{};
        const std::string path = test.prepare(folder);
        MapFile file(path);
        EXPECT_EQ(file.load(map).kind, test.opened);
        map.setTileAt(0, 0, 5);
        if (test.changeOnDisk) {
            test.changeOnDisk(folder);
            EXPECT_EQ(file.save(map).kind, StatusKind::Error) << "not at the first asking";
        }
        std::unique_ptr<FullDisk> full(test.diskFull ? new FullDisk : nullptr);
        FileEffects effects;
        const Status saved = file.save(map);
        full.reset();
        EXPECT_EQ(saved.kind, test.saved) << saved.text;
        test.check(folder, saved);
        if (saved.kind == StatusKind::Saved)
            expectSafeOrder(effects, fs::canonical(path), saved.text.find("in place") != std::string::npos);
        EXPECT_EQ(leftovers(folder), std::vector<std::string>{});
    }
    umask(oldMask);
}
