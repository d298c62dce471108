// Where the program's files for its user are read and written: its folder in the user's data,
// with a file left in the current directory by an older version read until the folder has one.

#include "platform/UserFiles.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <set>

namespace vk {
namespace {

TEST(UserFiles, TheFoldersFileIsReadFirstThenOneLeftInTheCurrentDirectory) {
    const std::filesystem::path folder = std::filesystem::path("data") / "Varnokle";
    const std::filesystem::path own = folder / "vk.set";
    struct Case {
        std::set<std::filesystem::path> files;
        std::filesystem::path read;
    };
    const Case cases[] = {
        {{}, own},                          // neither: the folder's, made at the first write
        {{"vk.set"}, "vk.set"},             // an older version's: read until the folder has one
        {{own}, own},                       // the folder's
        {{own, "vk.set"}, own},             // both: the folder's, the older one no more
        {{folder / "other", "other"}, own}, // another file's copies change nothing
    };
    for (const Case& c : cases) {
        const auto exists = [&](const std::filesystem::path& path) { return c.files.contains(path); };
        EXPECT_EQ(UserFileToRead(folder, "vk.set", exists), c.read) << c.files.size();
        // No folder (the system names none): the current directory, as it always was.
        EXPECT_EQ(UserFileToRead({}, "vk.set", exists), std::filesystem::path("vk.set"));
    }
}

TEST(UserFiles, WritingGoesIntoTheFolderWhichIsMadeWhenMissing) {
    test::TempTree tree;
    const auto folder = tree.PathOf("AppData/Roaming/Varnokle");
    EXPECT_EQ(UserFileToWrite(folder, "vk.set"), folder / "vk.set");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(UserFileToWrite(folder, "vk.set"), folder / "vk.set") << "a folder that is there";
    EXPECT_EQ(UserFileToWrite({}, "vk.set"), std::filesystem::path("vk.set"));

    // Selected for the program: the same folder for its reads and writes.
    SelectUserDataFolder(folder);
    EXPECT_EQ(UserFileToWrite("unknoun.txt"), folder / "unknoun.txt");
    EXPECT_EQ(UserFileToRead("vk.set"), folder / "vk.set");
    SelectUserDataFolder({});
    EXPECT_EQ(UserFileToRead("vk.set"), std::filesystem::path("vk.set"));
}

TEST(UserFiles, TheSystemsFolderIsTheProgramsOwnInTheUsersData) {
    const std::filesystem::path folder = SystemUserDataFolder(L"Varnokle");
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(folder.is_absolute()) << folder;
    EXPECT_EQ(folder.filename(), std::filesystem::path("Varnokle"));
#ifdef _WIN32
    EXPECT_EQ(folder.parent_path().filename(), std::filesystem::path("Roaming")) << folder;
#endif
}

} // namespace
} // namespace vk
