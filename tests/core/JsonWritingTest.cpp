#include "core/JsonFile.h"
#include "core/JsonWriting.h"
#include "core/SaveTextFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Text(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// A fresh, empty folder of the test's own.
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

// Saves in a child process that may make no file larger than limit bytes.
// With SIGXFSZ ignored the write fails part-way through and the save says
// so (exit status 1); otherwise the signal kills the child in the middle of
// the write. The wait status.
int SaveWithinSizeLimit(const fs::path& path, const std::string& text, rlim_t limit, bool killed)
{
    const pid_t child = fork();
    if (child == 0) {
        const rlimit noCore{0, 0};
        const rlimit size{limit, limit};
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
    EXPECT_EQ(Text(path), R"({"a":{"b":[1,{"c":0.5}]},"d":"x"})");
    struct stat saved {};
    ASSERT_EQ(stat(path.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_mode & 0777, 0600u) << "a replaced file keeps who may read it";

    // A number JSON cannot hold is named, and nothing is written.
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()}) {
        document["a"]["b"][1]["c"].SetDouble(bad);
        EXPECT_FALSE(fb::SaveJsonFile(path, document, fb::JsonLayout::Indented, error));
        EXPECT_NE(error.find(path + ": a.b[1].c is "), std::string::npos) << error;
        EXPECT_EQ(Text(path), R"({"a":{"b":[1,{"c":0.5}]},"d":"x"})");
    }

    // A target that cannot be replaced, and a folder that is not there.
    document["a"]["b"][1]["c"].SetDouble(2.0);
    fs::create_directory(folder / "taken.json");
    std::ofstream(folder / "taken.json" / "inside") << "kept";
    EXPECT_FALSE(fb::SaveJsonFile((folder / "taken.json").string(), document, fb::JsonLayout::Compact, error));
    EXPECT_NE(error.find("taken.json"), std::string::npos) << error;
    EXPECT_EQ(Text(folder / "taken.json" / "inside"), "kept");
    EXPECT_FALSE(fb::SaveJsonFile((folder / "none" / "a.json").string(), document, fb::JsonLayout::Compact, error));
    // Nor is a FIFO written into, or replaced, even through a link.
    ASSERT_EQ(mkfifo((folder / "pipe.json").c_str(), 0600), 0);
    fs::create_symlink("pipe.json", folder / "to-pipe.json");
    EXPECT_FALSE(SaveTextFile((folder / "to-pipe.json").string(), "{}", error));
    EXPECT_NE(error.find("to-pipe.json, a link to " + (folder / "pipe.json").string() + ": it is a FIFO"),
              std::string::npos)
        << error;
    EXPECT_TRUE(fs::is_fifo(folder / "pipe.json"));
    EXPECT_TRUE(fs::is_symlink(folder / "to-pipe.json"));

    EXPECT_EQ(Names(folder), (std::vector<std::string>{"pipe.json", "set.json", "taken.json", "to-pipe.json"}))
        << "no scratch file stays behind";
    fs::remove_all(folder);
}

TEST(JsonWritingTest, ASaveCutShortLeavesTheOldFileWholeAndTheNextSaveClearsWhatAKilledOneLeft)
{
    const fs::path folder = NewFolder("cut-short");
    const std::string old(64 * 1024, 'o');
    const std::string text(48 * 1024, 'n');
    std::ofstream(folder / "set.json") << old;

    // The limit lies below the old file's size: writing the old file in
    // place would cut it off there.
    const int failed = SaveWithinSizeLimit(folder / "set.json", text, 16 * 1024, false);
    EXPECT_TRUE(WIFEXITED(failed) && WEXITSTATUS(failed) == 1) << "the save says it failed: " << failed;
    EXPECT_TRUE(Text(folder / "set.json") == old) << "the old file reads back whole";
    EXPECT_EQ(Names(folder), std::vector<std::string>{"set.json"}) << "no scratch file stays behind";

    // Killed part-way through, a save leaves its scratch file, which the next
    // save of that file removes; files that are not its own stay.
    for (const char* name : {"set.json", "other.json"}) {
        const int killed = SaveWithinSizeLimit(folder / name, text, 16 * 1024, true);
        EXPECT_TRUE(WIFSIGNALED(killed) && WTERMSIG(killed) == SIGXFSZ) << killed;
    }
    for (const char* lookalike : {"set.json.vbsave-Ab12Cd", ".vbsave-Ab12Cd", "set.json.Ab12Cd"})
        std::ofstream(folder / lookalike) << "not a scratch file";
    ASSERT_EQ(Names(folder).size(), 6u) << "set.json, two scratch files and three lookalikes";
    EXPECT_TRUE(Text(folder / "set.json") == old) << "the old file reads back whole";

    std::string error;
    ASSERT_TRUE(SaveTextFile((folder / "set.json").string(), text, error)) << error;
    EXPECT_TRUE(Text(folder / "set.json") == text);
    std::vector<std::string> left = Names(folder);
    EXPECT_EQ(left.size(), 5u) << "one leftover of set.json is gone";
    ASSERT_TRUE(SaveTextFile((folder / "other.json").string(), text, error)) << error;
    left = Names(folder);
    EXPECT_EQ(left, (std::vector<std::string>{".vbsave-Ab12Cd", "other.json", "set.json", "set.json.Ab12Cd",
                                              "set.json.vbsave-Ab12Cd"}));

    // What a save clears away is never what another save is writing.
    std::atomic<int> saved = 0;
    std::vector<std::thread> savers;
    for (int thread = 0; thread < 8; ++thread) {
        savers.emplace_back([&, thread] {
            std::string failure;
            for (int round = 0; round < 25; ++round)
                saved += SaveTextFile((folder / "set.json").string(), std::string(4096, 'a' + thread), failure);
        });
    }
    for (std::thread& saver : savers)
        saver.join();
    EXPECT_EQ(saved, 200);
    const std::string last = Text(folder / "set.json");
    EXPECT_TRUE(last.size() == 4096 && last == std::string(4096, last[0])) << "one save's text, whole";
    EXPECT_EQ(Names(folder), left);
    fs::remove_all(folder);
}

// A link stays a link and the file it names gets the text, keeping what it
// was; a new file is as private as the umask says; any name saves.
TEST(JsonWritingTest, ASaveThroughALinkWritesTheFileItNamesAndKeepsItsMode)
{
    const fs::path folder = NewFolder("links");
    fs::create_directories(folder / "checkout" / "assets");
    fs::create_directories(folder / "game");
    const fs::path real = folder / "checkout" / "assets" / "set.json";
    std::ofstream(real) << "old";
    chmod(real.c_str(), 0640);
    fs::create_symlink("../checkout/assets", folder / "game" / "assets");
    fs::create_symlink("set.json", folder / "checkout" / "assets" / "linked.json");
    std::string error;
    ASSERT_TRUE(SaveTextFile((folder / "game" / "assets" / "linked.json").string(), "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(folder / "checkout" / "assets" / "linked.json"));
    EXPECT_EQ(Text(real), "new");
    EXPECT_EQ(StatusOf(real).st_mode & 07777, 0640u);
    EXPECT_EQ(Names(folder / "checkout" / "assets"), (std::vector<std::string>{"linked.json", "set.json"}));

    // A dangling link gets its file, with the mode the umask leaves.
    fs::create_symlink("made.json", folder / "game" / "dangling.json");
    const mode_t oldMask = umask(077);
    const bool made = SaveTextFile((folder / "game" / "dangling.json").string(), "made", error);
    std::string madeError = error;
    umask(022);
    const bool opened = SaveTextFile((folder / "game" / "open.json").string(), "open", error);
    umask(oldMask);
    ASSERT_TRUE(made && opened) << madeError << error;
    EXPECT_TRUE(fs::is_symlink(folder / "game" / "dangling.json"));
    EXPECT_EQ(Text(folder / "game" / "made.json"), "made");
    EXPECT_EQ(StatusOf(folder / "game" / "made.json").st_mode & 07777, 0600u);
    EXPECT_EQ(StatusOf(folder / "game" / "open.json").st_mode & 07777, 0644u);

    // Links round in a circle are refused.
    fs::create_symlink("loop-b.json", folder / "game" / "loop-a.json");
    fs::create_symlink("loop-a.json", folder / "game" / "loop-b.json");
    EXPECT_FALSE(SaveTextFile((folder / "game" / "loop-a.json").string(), "x", error));
    EXPECT_NE(error.find("loop-a.json"), std::string::npos) << error;

    for (const std::size_t length : {250u, 255u}) {
        const fs::path longName = folder / (std::string(length - 5, 'n') + ".json");
        EXPECT_TRUE(SaveTextFile(longName.string(), "long", error)) << length << ": " << error;
        EXPECT_EQ(Text(longName), "long");
    }
    fs::remove_all(folder);
}

TEST(JsonWritingTest, AReplacedFileKeepsItsOwnerAndGroup)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can give a file another owner to keep";
    const fs::path folder = NewFolder("owner");
    const fs::path real = folder / "set.json";
    std::ofstream(real) << "old";
    ASSERT_EQ(chown(real.c_str(), 4321, 8765), 0);
    chmod(real.c_str(), 0604);
    fs::create_symlink("set.json", folder / "link.json");
    std::string error;
    ASSERT_TRUE(SaveTextFile((folder / "link.json").string(), "new", error)) << error;
    const struct stat saved = StatusOf(real);
    EXPECT_EQ(saved.st_uid, 4321u);
    EXPECT_EQ(saved.st_gid, 8765u);
    EXPECT_EQ(saved.st_mode & 07777, 0604u);
    EXPECT_EQ(Text(real), "new");
    fs::remove_all(folder);
}

} // namespace
