#include "core/JsonFile.h"
#include "core/JsonWriting.h"
#include "core/SaveTextFile.h"
#include "support/FileText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;


fs::path NewFolder(const std::string& name)
{
    const fs::path folder = fs::temp_directory_path() / ("vendrabolt-" + name + "-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The wait status of a save in a child that may make no file over limit
// bytes: with SIGXFSZ ignored the write fails part-way (exit status 1),
// otherwise the signal kills the child in the middle of it.
int SaveWithinSizeLimit(const fs::path& path, const std::string& text, rlim_t limit, bool killed)
{
    const pid_t child = fork();
    if (child == 0) {
        const rlimit noCore{0, 0}, size{limit, limit};
        setrlimit(RLIMIT_CORE, &noCore);
        setrlimit(RLIMIT_FSIZE, &size);
        signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
        std::string error;
        _exit(SaveTextFile(path.string(), text, error) ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    return status;
}

struct stat StatusOf(const fs::path& path)
{
    struct stat status {};
    EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
    return status;
}

TEST(JsonWritingTest, AFileIsWrittenWholeOrLeftAsItWas)
{
    const fs::path folder = NewFolder("writing");
    const std::string path = (folder / "set.json").string();
    std::ofstream(path) << "{\"old\": true}";
    chmod(path.c_str(), 0600);

    rapidjson::Document document;
    std::string error;
    ASSERT_TRUE(fb::ParseJson(R"({"a": {"b": [1, {"c": 0.5}]}, "d": "x"})", "test", document, error)) << error;
    ASSERT_TRUE(fb::SaveJsonFile(path, document, fb::JsonLayout::Compact, error)) << error;
    EXPECT_EQ(FileText(path), R"({"a":{"b":[1,{"c":0.5}]},"d":"x"})");
    struct stat saved {};
    ASSERT_EQ(stat(path.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_mode & 0777, 0600u) << "a replaced file keeps who may read it";

    // A number JSON cannot hold is named, and nothing is written.
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()}) {
        document["a"]["b"][1]["c"].SetDouble(bad);
        EXPECT_FALSE(fb::SaveJsonFile(path, document, fb::JsonLayout::Indented, error));
        EXPECT_NE(error.find(path + ": a.b[1].c is "), std::string::npos) << error;
        EXPECT_EQ(FileText(path), R"({"a":{"b":[1,{"c":0.5}]},"d":"x"})");
    }

    // A target that cannot be replaced, and a folder that is not there.
    document["a"]["b"][1]["c"].SetDouble(2.0);
    fs::create_directory(folder / "taken.json");
    std::ofstream(folder / "taken.json" / "inside") << "kept";
    EXPECT_FALSE(fb::SaveJsonFile((folder / "taken.json").string(), document, fb::JsonLayout::Compact, error));
    EXPECT_NE(error.find("taken.json"), std::string::npos) << error;
    EXPECT_EQ(FileText(folder / "taken.json" / "inside"), "kept");
    EXPECT_FALSE(fb::SaveJsonFile((folder / "none" / "a.json").string(), document, fb::JsonLayout::Compact, error));
    // Nor is a FIFO, even through a link.
    ASSERT_EQ(mkfifo((folder / "pipe.json").c_str(), 0600), 0);
    fs::create_symlink("pipe.json", folder / "to-pipe.json");
    EXPECT_FALSE(SaveTextFile((folder / "to-pipe.json").string(), "{}", error));
    EXPECT_NE(error.find("to-pipe.json, a link to " + (folder / "pipe.json").string() + ": it is a FIFO"),
              std::string::npos)
        << error;
    EXPECT_TRUE(fs::is_fifo(folder / "pipe.json") && fs::is_symlink(folder / "to-pipe.json"));

    // Nor is a file its saver may not write, though the folder would let a
    // rename replace it (root may write any file: the child saves as nobody).
    fs::permissions(folder, fs::perms::all);
    const std::string kept = (folder / "kept.json").string();
    std::ofstream(kept) << "kept";
    const uid_t saver = geteuid() == 0 ? 65534 : geteuid();
    ASSERT_TRUE(chown(kept.c_str(), saver, static_cast<gid_t>(-1)) == 0 && chmod(kept.c_str(), 0444) == 0);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(saver) != 0 || setuid(saver) != 0))
            _exit(2);
        _exit(SaveTextFile(kept, "new", error) || error.find(kept + ": Permission denied") == std::string::npos);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_EQ(status, 0) << "refused, with the reason";
    EXPECT_EQ(FileText(kept), "kept");
    EXPECT_TRUE((StatusOf(kept).st_mode & 07777) == 0444 && StatusOf(kept).st_uid == saver);
    EXPECT_EQ(Names(folder),
              (std::vector<std::string>{"kept.json", "pipe.json", "set.json", "taken.json", "to-pipe.json"}))
        << "no scratch file stays behind";
    fs::remove_all(folder);
}

TEST(JsonWritingTest, ASaveCutShortLeavesTheOldFileWholeAndTheNextSaveClearsWhatAKilledOneLeft)
{
    const fs::path folder = NewFolder("cut-short");
    const std::string old(64 * 1024, 'o'), text(48 * 1024, 'n');
    std::ofstream(folder / "set.json") << old;
    // Below the old file's size: a save that wrote in place would cut it off.
    const int failed = SaveWithinSizeLimit(folder / "set.json", text, 16 * 1024, false);
    EXPECT_TRUE(WIFEXITED(failed) && WEXITSTATUS(failed) == 1) << failed;
    EXPECT_TRUE(FileText(folder / "set.json") == old) << "the old file reads back whole";
    EXPECT_EQ(Names(folder), std::vector<std::string>{"set.json"}) << "no scratch file stays behind";

    // A killed save's scratch file goes with the next save of its file; no other does.
    for (const char* name : {"set.json", "other.json"})
        EXPECT_EQ(WTERMSIG(SaveWithinSizeLimit(folder / name, text, 16 * 1024, true)), SIGXFSZ);
    std::ofstream(folder / "set.json.vbsave-Ab12Cd") << "not a scratch file";
    ASSERT_EQ(Names(folder).size(), 4u);
    std::string error;
    ASSERT_TRUE(SaveTextFile((folder / "set.json").string(), text, error)) << error;
    EXPECT_EQ(Names(folder).size(), 3u);
    ASSERT_TRUE(SaveTextFile((folder / "other.json").string(), text, error)) << error;
    const std::vector<std::string> left = {"other.json", "set.json", "set.json.vbsave-Ab12Cd"};
    EXPECT_EQ(Names(folder), left);

    // What a save clears away is never what another save is writing.
    std::atomic<int> saved = 0;
    std::vector<std::thread> savers(8);
    for (std::thread& saver : savers)
        saver = std::thread([&] {
            std::string failure;
            for (int round = 0; round < 25; ++round)
                saved += SaveTextFile((folder / "set.json").string(), text, failure);
        });
    std::for_each(savers.begin(), savers.end(), [](std::thread& saver) { saver.join(); });
    EXPECT_EQ(saved, 200);
    EXPECT_EQ(Names(folder), left);
    fs::remove_all(folder);
}

// The file a link names gets the text and keeps what it was, as the link
// stays; a new file is as private as the umask says; any name saves.
TEST(JsonWritingTest, ASaveThroughALinkWritesTheFileItNamesAndKeepsItsOwnerAndMode)
{
    const fs::path folder = NewFolder("links");
    fs::create_directories(folder / "checkout" / "assets");
    fs::create_directories(folder / "game");
    const fs::path real = folder / "checkout" / "assets" / "set.json";
    std::ofstream(real) << "old";
    chmod(real.c_str(), 0640);
    const bool root = geteuid() == 0;
    ASSERT_TRUE(!root || chown(real.c_str(), 4321, 8765) == 0);
    fs::create_symlink("../checkout/assets", folder / "game" / "assets");
    fs::create_symlink("set.json", folder / "checkout" / "assets" / "linked.json");
    std::string error;
    ASSERT_TRUE(SaveTextFile((folder / "game" / "assets" / "linked.json").string(), "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(folder / "checkout" / "assets" / "linked.json"));
    EXPECT_EQ(FileText(real), "new");
    const struct stat saved = StatusOf(real);
    EXPECT_EQ(saved.st_mode & 07777, 0640u);
    EXPECT_EQ(Names(folder / "checkout" / "assets"), (std::vector<std::string>{"linked.json", "set.json"}));

    // A dangling link gets its file, with the mode the umask leaves.
    fs::create_symlink("made.json", folder / "game" / "dangling.json");
    const mode_t oldMask = umask(077);
    const bool made = SaveTextFile((folder / "game" / "dangling.json").string(), "made", error);
    umask(oldMask);
    ASSERT_TRUE(made) << error;
    EXPECT_TRUE(fs::is_symlink(folder / "game" / "dangling.json"));
    EXPECT_EQ(FileText(folder / "game" / "made.json"), "made");
    EXPECT_EQ(StatusOf(folder / "game" / "made.json").st_mode & 07777, 0600u);
    for (const std::size_t length : {250u, 255u}) {
        const fs::path longName = folder / (std::string(length - 5, 'n') + ".json");
        EXPECT_TRUE(SaveTextFile(longName.string(), "long", error) && FileText(longName) == "long") << length << error;
    }
    fs::remove_all(folder);
    if (!root)
        GTEST_SKIP() << "only root can give the file another owner and group to keep";
    EXPECT_EQ(saved.st_uid, 4321u);
    EXPECT_EQ(saved.st_gid, 8765u);
}

} // namespace
