// Reading and writing initialisation files.
#include "files/profile_file.h"
#include "tests/support/full_disk.h"

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <sys/stat.h>

namespace {

class ProfileFile : public testing::Test {
protected:
    std::string Path(const std::string& name = "tarsel.ini") const {
        return dir_.path().toStdString() + "/" + name;
    }
    void Put(const std::string& bytes, const std::string& name = "tarsel.ini") const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Content(const std::string& name = "tarsel.ini") const {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string Get(const std::string& section, const std::string& key,
                    const std::string& fallback = "-") const {
        return GetPrivateProfileString(section, key, fallback, Path());
    }
    bool Write(const std::string& section, const std::string& key, const std::string& value) const {
        return WritePrivateProfileString(section, key, value, Path());
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(ProfileFile, MissingFileSectionOrKeyReadsAsTheDefault) {
    EXPECT_EQ(Get("general", "col1", "119"), "119");
    Put("[general]\r\ncol1=1\r\n");
    EXPECT_EQ(Get("other", "col1", "7"), "7");
    EXPECT_EQ(Get("general", "col2", "8"), "8");
    EXPECT_EQ(Get("general", "col2", "trailing  "), "trailing"); // as the Windows call does
    EXPECT_EQ(Get("general", "col2", ""), "");
}

TEST_F(ProfileFile, SectionsAndKeysIgnoreCaseAndSurroundingBlanks) {
    Put("[General]\r\nCol1=119\r\n  WINDOW_POS  =  10,20  \r\n[ spaced ] trailing text\r\nk=v\r\n");
    EXPECT_EQ(Get("general", "col1"), "119");
    EXPECT_EQ(Get("GENERAL", "window_pos"), "10,20");
    EXPECT_EQ(Get("Spaced", "K"), "v");
}

TEST_F(ProfileFile, KeysBelongToTheirOwnSection) {
    Put("top=0\n[a]\nk=1\n[b]\nk=2\n");
    EXPECT_EQ(Get("a", "k"), "1");
    EXPECT_EQ(Get("b", "k"), "2");
    EXPECT_EQ(Get("a", "top"), "-");
}

TEST_F(ProfileFile, OnlyTheFirstSectionOfANameAndTheFirstKeyCount) {
    Put("[a]\nk=1\nk=2\n[b]\n[A]\nk=3\nother=4\n");
    EXPECT_EQ(Get("a", "k"), "1");
    EXPECT_EQ(Get("a", "other"), "-");
}

TEST_F(ProfileFile, CommentsAreNotKeysAndQuotesComeOff) {
    Put("[s]\n;k=commented\nq=\"  quoted  \"\nr='x'\nhalf=\"x\nnovalue\nempty=\n");
    EXPECT_EQ(Get("s", "k"), "-");
    EXPECT_EQ(Get("s", "q"), "  quoted  ");
    EXPECT_EQ(Get("s", "r"), "x");
    EXPECT_EQ(Get("s", "half"), "\"x");
    EXPECT_EQ(Get("s", "novalue"), "");
    EXPECT_EQ(Get("s", "empty"), "");
}

TEST_F(ProfileFile, ValueKeepsEqualsSignsAndEightBitBytes) {
    Put("[s]\nk=a=b\xe9\xff\n");
    EXPECT_EQ(Get("s", "k"), "a=b\xe9\xff");
    ASSERT_TRUE(Write("s", "k2", "\x80\xfe=z"));
    EXPECT_EQ(Get("s", "k2"), "\x80\xfe=z");
}

TEST_F(ProfileFile, WritingCreatesTheFileWithCrLfLines) {
    ASSERT_TRUE(Write("general", "col1", "119"));
    EXPECT_EQ(Content(), "[general]\r\ncol1=119\r\n");
    ASSERT_TRUE(Write("general", "col2", "145"));
    EXPECT_EQ(Content(), "[general]\r\ncol1=119\r\ncol2=145\r\n");
}

TEST_F(ProfileFile, ReplacingAKeyKeepsEveryOtherByte) {
    const std::string before = "; settings\n[other]\ncol1=x\n\n[General]\n  Col1 = 7 ; old\n"
                               "weird line \xe9\nwindow_max=0\n\n[tail]\nz=1";
    Put(before);
    ASSERT_TRUE(Write("general", "COL1", "119"));
    std::string expected = before;
    expected.replace(expected.find("  Col1 = 7 ; old"), 16, "Col1=119");
    EXPECT_EQ(Content(), expected);
    EXPECT_EQ(Get("other", "col1"), "x");
}

TEST_F(ProfileFile, NewKeyGoesAtTheEndOfItsSectionInTheFilesLineStyle) {
    Put("[general]\ncol1=1\n\n[next]\nk=v\n");
    ASSERT_TRUE(Write("general", "panel2", "153"));
    EXPECT_EQ(Content(), "[general]\ncol1=1\npanel2=153\n\n[next]\nk=v\n");
}

TEST_F(ProfileFile, NewSectionIsAppendedAfterAFinalLineWithoutLineEnd) {
    Put("[a]\r\nk=1");
    ASSERT_TRUE(Write("general", "window_max", "1"));
    EXPECT_EQ(Content(), "[a]\r\nk=1\r\n\r\n[general]\r\nwindow_max=1\r\n");
    Put("[a]\nk=1");
    ASSERT_TRUE(Write("a", "j", "2"));
    EXPECT_EQ(Content(), "[a]\nk=1\nj=2\n");
}

TEST_F(ProfileFile, RefusesLineBreaksAnEmptyKeyAndAMissingDirectory) {
    EXPECT_FALSE(Write("general", "col1", "1\r\ncol2=2"));
    EXPECT_FALSE(Write("gen\neral", "col1", "1"));
    EXPECT_FALSE(Write("general", "", "1"));
    EXPECT_FALSE(std::ifstream(Path()).good()); // nothing was created
    EXPECT_FALSE(WritePrivateProfileString("general", "col1", "1", Path("missing/tarsel.ini")));
}

TEST_F(ProfileFile, TheWindowSettingsRoundTrip) {
    const std::pair<const char*, const char*> settings[] = {{"col1", "119"},
                                                            {"col2", "145"},
                                                            {"col3", "151"},
                                                            {"col4", "53"},
                                                            {"col5", "64"},
                                                            {"window_pos", "100,50"},
                                                            {"window_size", "640,409"},
                                                            {"window_max", "0"},
                                                            {"panel2", "153"}};
    for (auto [key, value] : settings)
        ASSERT_TRUE(Write("general", key, value));
    ASSERT_TRUE(Write("general", "col3", "200"));
    for (auto [key, value] : settings)
        EXPECT_EQ(Get("general", key), std::string(key) == "col3" ? "200" : value) << key;
    EXPECT_EQ(Content().find("[general]"), 0u);
    EXPECT_EQ(Content().find("[general]", 1), std::string::npos);
}

TEST_F(ProfileFile, WritingTheSameValueAgainLeavesTheFileAlone) {
    Put("[general]\ncol1 = 119 \n");
    ASSERT_TRUE(Write("general", "col1", "119"));
    EXPECT_EQ(Content(), "[general]\ncol1 = 119 \n");
    ASSERT_TRUE(Write("general", "col1", "120"));
    EXPECT_EQ(Content(), "[general]\ncol1=120\n");
}

// A full disk, on a small tmpfs where the machine lets the test mount one, and under a file-size
// limit: the write is refused and the file keeps every byte.
TEST_F(ProfileFile, AFullDiskLeavesTheFileAsItWas) {
    const std::string old = "[general]\r\ncol1=119\r\n";
    for (const bool tmpfs : {true, false}) {
        SCOPED_TRACE(tmpfs ? "tmpfs" : "size limit");
        const std::string where = Path(tmpfs ? "tmpfs" : "limited");
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(where)));
        std::optional<test_support::SmallTmpfs> disk;
        if (tmpfs && !disk.emplace(where).Mounted()) continue; // not allowed here
        const std::string file = where + "/tarsel.ini";
        std::ofstream(file, std::ios::binary) << old;
        bool written = true;
        if (disk) {
            disk->Fill();
            written = WritePrivateProfileString("general", "col2", "145", file);
        } else {
            test_support::FileSizeLimit limit(8);
            written = WritePrivateProfileString("general", "col2", "145", file);
        }
        EXPECT_FALSE(written);
        std::ifstream in(file, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), old);
        EXPECT_EQ(QDir(QString::fromStdString(where)).entryList({"tarsel*"}, QDir::Files),
                  QStringList{"tarsel.ini"});
    }
}

// Under umask 000 a new file is writable by its owner only; an existing one keeps its mode.
TEST_F(ProfileFile, ANewFileIsNotWritableByOthers) {
    const mode_t saved = ::umask(0);
    const bool created = Write("general", "col1", "119");
    struct stat info {};
    const int readNew = ::stat(Path().c_str(), &info);
    const mode_t newMode = info.st_mode & 0777;
    ::chmod(Path().c_str(), 0664);
    const bool rewritten = Write("general", "col1", "120");
    ::umask(saved);
    ASSERT_TRUE(created && rewritten && readNew == 0);
    EXPECT_EQ(newMode, 0644u);
    ASSERT_EQ(::stat(Path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0664u);
}
