#include "app/config_folder.h"

#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
TEST(ConfigFolder, ChoiceFollowsTheOptionsAndTheBaseDirectoryRules) {
    struct Case {
        bool launcher;
        const char* named;
        const char* configHome;
        const char* home;
        const char* expected;
    };
    for (const Case& c : {
             Case{false, "", "/x", "/h", ""},          // shell: working directory
             Case{true, "", "/x", "/h", "/x/vellion"}, // launcher
             Case{true, "", nullptr, "/h", "/h/.config/vellion"},
             Case{true, "", "", "/h", "/h/.config/vellion"},    // empty is unset
             Case{true, "", "rel", "/h", "/h/.config/vellion"}, // relative is ignored
             Case{true, "", nullptr, nullptr, ""},
             Case{true, "/n", "/x", "/h", "/n"}, // a named folder wins
             Case{false, "rel/n", nullptr, nullptr, "rel/n"},
         })
        EXPECT_EQ(ChooseConfigFolder(c.launcher, c.named, c.configHome, c.home).path, c.expected)
            << c.launcher << " " << c.named;
}

mode_t ModeOf(const std::string& path) {
    struct stat s {};
    return ::stat(path.c_str(), &s) == 0 ? (s.st_mode & 07777) : 0;
}

TEST(ConfigFolder, EnteringMakesMissingFoldersOwnerOnlyAndLeavesOthersAlone) {
    const auto start = std::filesystem::current_path();
    QTemporaryDir tmp;
    const std::string root = tmp.path().toStdString();
    ::chmod(root.c_str(), 0755);
    const std::string folder = root + "/a/b";
    EXPECT_EQ(EnterConfigFolder({folder}), "");
    EXPECT_EQ(std::filesystem::current_path(), folder);
    EXPECT_EQ(ModeOf(root + "/a"), 0700u);
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(root), 0755u);

    ::chmod(folder.c_str(), 0750); // an existing folder keeps the mode its owner gave it
    EXPECT_EQ(EnterConfigFolder({folder}), "");
    EXPECT_EQ(ModeOf(folder), 0750u);

    EXPECT_EQ(EnterConfigFolder({}), ""); // the working directory stays where it is
    EXPECT_EQ(std::filesystem::current_path(), folder);

    const std::string file = root + "/file";
    FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_EQ(EnterConfigFolder({file}), "Cannot use the folder " + file + ": Not a directory");
    EXPECT_EQ(EnterConfigFolder({file + "/sub"}),
              "Cannot create the folder " + file + "/sub: Not a directory");
    std::filesystem::current_path(start);
}
} // namespace
