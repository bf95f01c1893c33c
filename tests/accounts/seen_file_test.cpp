#include "accounts/account_list.h"
#include "accounts/seen_file.h"
#include "tests/support/temp_working_dir.h"

#include <QFile>
#include <optional>
#include <sys/stat.h>

namespace {
using Ids = std::vector<std::string>;
const std::string Head = "Vellion seen 1\n";

class SeenFileTest : public test_support::TempWorkingDirTest {
protected:
    static std::string Read(const std::string& name) {
        QFile file(QString::fromStdString(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
    }
    static void Write(const std::string& name, const std::string& text) {
        QFile file(QString::fromStdString(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    static TAccount Account(const std::string& server, const std::string& user) {
        TAccount account;
        account.Server = server;
        account.User = user;
        return account;
    }
};

// The first check of a run, with the mailbox's seen file as an earlier run (or something else)
// left it: what is announced, and the file the check leaves.
struct Start {
    const char* what;
    std::optional<std::string> before;
    Ids ids;
    std::vector<int> arrived;
    std::string after;
};

TEST_F(SeenFileTest, TheFirstCheckOfARunStartsFromTheFile) {
    const std::string baseline = Head + "=uidl:a\n=uidl:b\nend 2\n";
    const std::string later = "Vellion seen 2\nwhatever it holds\n";
    const std::vector<Start> starts = {
        {"no file: a baseline", std::nullopt, {"uidl:a", "uidl:b"}, {}, baseline},
        {"a later version's: kept", later, {"uidl:a", "uidl:b"}, {}, later},
        {"arrived while closed",
         Head + "=uidl:a\nend 1\n",
         {"uidl:a", "uidl:b", "uidl:c"},
         {2, 3},
         Head + "=uidl:a\n+uidl:b\n+uidl:c\nend 3\n"},
        {"gone elsewhere: pruned", baseline, {"uidl:b"}, {}, Head + "=uidl:b\nend 1\n"},
        {"not viewed before the restart",
         Head + "+uidl:a\nend 1\n",
         {"uidl:a"},
         {},
         Head + "+uidl:a\nend 1\n"},
        {"bytes escaped",
         Head + "=uidl:a%20b%25\nend 1\n",
         {"uidl:a b%", "uidl:c\n"},
         {2},
         Head + "=uidl:a%20b%25\n+uidl:c%0A\nend 2\n"},
        {"cut", Head + "=uidl:a\n=uid", {"uidl:a", "uidl:b"}, {}, baseline},
        {"cut at a line end", Head + "=uidl:a\n", {"uidl:a", "uidl:b"}, {}, baseline},
        {"wrong count", Head + "=uidl:a\nend 2\n", {"uidl:a", "uidl:b"}, {}, baseline},
        {"unknown mark", Head + "?uidl:a\nend 1\n", {"uidl:a", "uidl:b"}, {}, baseline},
        {"bad escape", Head + "=uidl:%4\nend 1\n", {"uidl:a", "uidl:b"}, {}, baseline},
        {"twice the same", Head + "=uidl:a\n=uidl:a\nend 2\n", {"uidl:a", "uidl:b"}, {}, baseline},
        {"no version", "=uidl:a\nend 1\n", {"uidl:a", "uidl:b"}, {}, baseline},
        {"empty", "", {"uidl:a", "uidl:b"}, {}, baseline},
    };
    for (const Start& start : starts) {
        SCOPED_TRACE(start.what);
        TAccount account = Account("Mail.Example:995", "ann");
        const std::string name = SeenFileName(MailboxOf(account));
        QFile::remove(QString::fromStdString(name));
        if (start.before) Write(name, *start.before);
        EXPECT_EQ(RecordCheckKept(account, start.ids), start.arrived);
        EXPECT_EQ(Read(name), start.after);
        // The next check of the run goes on from memory.
        EXPECT_EQ(RecordCheckKept(account, Ids{start.ids.back(), "uidl:z"}), std::vector<int>{2});
    }
    struct stat info {};
    ASSERT_EQ(stat(SeenFileName(MailboxOf(Account("mail.example:995", "ann"))).c_str(), &info), 0)
        << "the host's letter case names the same mailbox";
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(SeenFileTest, ViewingIsKeptAndARemovedAccountTakesItsFile) {
    TAccounts accounts;
    ASSERT_TRUE(accounts.Add("Home", "pop.example", "ann", "", false));
    ASSERT_TRUE(accounts.Add("Work", "pop.example", "bob", "", false));
    ASSERT_TRUE(accounts.Add("Again", "pop.example", "bob", "", false)); // the same mailbox
    for (int i = 0; i < accounts.Count(); ++i)
        RecordCheckKept(accounts.At(i), {"uidl:a"});
    TAccount& home = accounts.At(0);
    EXPECT_EQ(RecordCheckKept(home, {"uidl:a", "uidl:b"}), std::vector<int>{2});
    MarkViewedKept(home);
    const std::string homeFile = SeenFileName(MailboxOf(home));
    const std::string bobFile = SeenFileName(MailboxOf(accounts.At(1)));
    EXPECT_EQ(Read(homeFile), Head + "=uidl:a\n=uidl:b\nend 2\n");

    // Pointed at another mailbox, the account starts from that one's file.
    home.User = "bob";
    EXPECT_EQ(RecordCheckKept(home, {"uidl:a", "uidl:c"}), std::vector<int>{2});
    home.User = "ann";
    Write("mail-0123456789abcdef.seen.txt", "not ours");

    ASSERT_TRUE(accounts.Delete(-1, "Work"));
    DropUnusedSeen(accounts);
    EXPECT_NE(Read(bobFile), "<missing>") << "Again still reads it";
    ASSERT_TRUE(accounts.Delete(-1, "Again"));
    DropUnusedSeen(accounts);
    EXPECT_EQ(Read(bobFile), "<missing>");
    EXPECT_EQ(Read(homeFile), Head + "=uidl:a\n=uidl:b\nend 2\n");
    EXPECT_EQ(Read("mail-0123456789abcdef.seen.txt"), "not ours");
}
} // namespace
