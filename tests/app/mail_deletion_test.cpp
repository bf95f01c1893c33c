#include "mail_fixture.h"

#include "mime/mail_date.h"

#include <QKeyEvent>

using test_support::FakePop3Server;

namespace {

std::vector<test_support::FakeMessage> Five() {
    return {Numbered(1), Numbered(2), Numbered(3), Numbered(4), Numbered(5)};
}

// Two messages that only their Received lines and subjects tell apart: the same date, and an
// identifier under a name the summary does not read.
std::vector<test_support::FakeMessage> Twins() {
    auto twin = [](const std::string& n) {
        return test_support::FakeMessage{"Received: by relay" + n +
                                             "\nDate: Mon, 1 Jan 2024 10:00:00 +0000\n"
                                             "Message-Id: <twin@x>\nSubject: Twin " +
                                             n,
                                         "x"};
    };
    return {twin("1"), twin("2")};
}

const char* const MovedText = "That email has moved in the queue, please re-check this account";

// Messages checked (the five of Five() unless told otherwise); each test then deletes in a
// second session.
class MailDeletionTest : public MailTest {
protected:
    explicit MailDeletionTest(std::vector<test_support::FakeMessage> mailbox = Five(),
                              const std::function<void(FakePop3Server&)>& quirk = {})
        : server(std::move(mailbox), "bob", "pw") {
        if (quirk) quirk(server);
    }
    void SetUp() override {
        MailTest::SetUp();
        StartWith(server);
        ASSERT_TRUE(CheckToEnd());
        ASSERT_TRUE(server.WaitConnections(1));
        ASSERT_EQ(Table().size(), server.Mailbox().size());
    }
    // The deletion's session, once it has ended.
    std::vector<std::string> DeletionCommands() {
        EXPECT_TRUE(server.WaitConnections(2));
        return server.Commands(1);
    }
    // Another client changes the mailbox behind the window's back.
    void DeleteElsewhere(int n) {
        ::DeleteElsewhere(server.Port(), "bob", "pw", n);
        ASSERT_TRUE(server.WaitConnections(2));
    }
    std::vector<std::string> Numbers(const std::vector<std::string>& subjects) {
        std::vector<std::string> out;
        for (const std::string& s : subjects)
            out.push_back(s.substr(s.size() - 1));
        return out;
    }

    void Delete() { Find<QToolButton>("del_mail")->click(); }
    // Selects the rows from..to, clicks Delete and answers Yes to the question.
    void DeleteAnsweringYes(int from, int to) {
        Select(from, to);
        messages.answers = {TMsgResult::Yes};
        Delete();
    }

    FakePop3Server server;
};

TEST_F(MailDeletionTest, OneRowIsCheckedThenDeletedAndTheTableClosesUp) {
    DeleteAnsweringYes(2, 2);
    ASSERT_EQ(messages.requests.size(), 1u);
    EXPECT_EQ(messages.requests[0].Text,
              "Delete email with the following details?\n\r\n\rSubject : Message 2\n\rFrom : "
              "sender2@example.com\n\rDate : " +
                  LocalDateText(*ParseMailDate("Mon, 2 Jan 2024 10:00:00 +0000")) +
                  "\n\rSize : 1 KB");
    EXPECT_EQ(messages.requests[0].Kind, TMsgKind::Confirmation);
    EXPECT_EQ(messages.requests[0].Caption, "Confirm");
    EXPECT_EQ(DeletionCommands(),
              (std::vector<std::string>{"USER bob", "PASS pw", "STAT", "TOP 2 0", "LIST 2",
                                        "UIDL 2", "DELE 2", "QUIT"}));
    EXPECT_EQ(Numbers(Subjects()), (std::vector<std::string>{"1", "3", "4", "5"}));
    EXPECT_EQ(Account().Rows.size(), 4u);
    EXPECT_EQ(server.Mailbox().size(), 4u);
    EXPECT_FALSE(Form().Mail().Flags().Checking);
    EXPECT_FALSE(Form().Mail().Flags().MailBusy);

    // The selection goes on from the row that took the deleted one's place, message 3, and
    // the viewer on it shows that message.
    EXPECT_EQ(Form().Grid().CurrentMessage(), 2);
    EXPECT_EQ(Form().Grid().SelectedMessages(), std::vector<int>{2});
    Form().gridDblClick();
    EXPECT_EQ(Viewer().Lines()[1], "Subject: Message 3");
}

TEST_F(MailDeletionTest, TheDeleteKeyWithShiftDeletesToo) {
    Select(5, 5);
    messages.answers = {TMsgResult::Yes};
    QTest::keyClick(&Form().Grid(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(DeletionCommands().at(6), "DELE 5");
    EXPECT_EQ(Table().size(), 4u);
}

TEST_F(MailDeletionTest, AnsweringNoSendsNothing) {
    Select(3, 3);
    Delete(); // the script answers No
    Select(2, 4);
    Delete();
    EXPECT_EQ(messages.requests.size(), 2u);
    EXPECT_EQ(messages.requests[1].Kind, TMsgKind::Warning);
    QTest::qWait(50);
    EXPECT_EQ(server.Connections(), 1u);
    EXPECT_EQ(Table().size(), 5u);
}

TEST_F(MailDeletionTest, AMessageThatMovedIsNotDeleted) {
    DeleteElsewhere(1);
    DeleteAnsweringYes(3, 3);
    EXPECT_EQ(messages.Texts().back(), MovedText);
    ASSERT_TRUE(server.WaitConnections(3));
    EXPECT_EQ(server.Commands(2), (std::vector<std::string>{"USER bob", "PASS pw", "STAT",
                                                            "TOP 3 0", "LIST 3", "QUIT"}));
    EXPECT_EQ(Table().size(), 5u);
    EXPECT_EQ(Account().Rows.size(), 5u);
}

TEST_F(MailDeletionTest, AMessageThatIsGoneIsReported) {
    DeleteElsewhere(5);
    DeleteAnsweringYes(5, 5);
    EXPECT_EQ(messages.Texts().back(), "That email no longer seems to exist. Re-check account");
    EXPECT_EQ(Table().size(), 5u);
    EXPECT_FALSE(Form().Mail().Pop().Connected());
}

TEST_F(MailDeletionTest, SeveralRowsAreEachCheckedThenDeletedAndCounted) {
    DeleteAnsweringYes(2, 4);
    ASSERT_EQ(messages.requests.size(), 2u);
    EXPECT_EQ(messages.requests[0].Text,
              "You are about to delete multiple emails. Each one is checked first, and\n\rone "
              "that has moved in the queue is kept. Are you sure you want to continue?");
    EXPECT_EQ(messages.requests[0].Caption, "Warning");
    EXPECT_EQ(messages.requests[0].Buttons, TMsgButtons::YesNo);
    EXPECT_EQ(messages.requests[1].Text, "Deleted 3 of the 3 emails you selected.");
    EXPECT_EQ(DeletionCommands(),
              (std::vector<std::string>{"USER bob", "PASS pw", "STAT", "TOP 2 0", "LIST 2",
                                        "UIDL 2", "DELE 2", "TOP 3 0", "LIST 3", "UIDL 3", "DELE 3",
                                        "TOP 4 0", "LIST 4", "UIDL 4", "DELE 4", "QUIT"}));
    EXPECT_EQ(Numbers(Subjects()), (std::vector<std::string>{"1", "5"}));
    EXPECT_EQ(Account().Headers.size(), 2u);
    EXPECT_EQ(Account().Uids, (std::vector<std::string>{"uid-1", "uid-5"}));
    EXPECT_EQ(server.Mailbox().size(), 2u);
}

// Another client deleted a message after the check: rows that no longer match are kept.
TEST_F(MailDeletionTest, SeveralRowsKeepThoseThatMoved) {
    struct Case {
        int elsewhere;
        std::vector<std::string> commands; // after the log-in
        std::string report;
        std::vector<std::string> table;
    };
    const std::string moved = " had moved in the queue and w";
    const std::vector<Case> cases = {
        {3,
         {"TOP 2 0", "LIST 2", "UIDL 2", "DELE 2", "TOP 3 0", "LIST 3", "TOP 4 0", "LIST 4"},
         "Deleted 1 of the 3 emails you selected.\n\r2" + moved +
             "ere not deleted.\n\rPlease re-check this account",
         {"1", "3", "4", "5"}},
        {1,
         {"TOP 1 0", "LIST 1", "TOP 2 0", "LIST 2"},
         "Deleted 0 of the 2 emails you selected.\n\r2" + moved +
             "ere not deleted.\n\rPlease re-check this account",
         {"1", "3", "4", "5"}},
    };
    // Rows 2 to 4 once message 3 went; then rows 1 and 2 once message 1 went too.
    const std::pair<int, int> selections[] = {{2, 4}, {1, 2}};
    size_t connection = 1;
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        DeleteElsewhere(cases[i].elsewhere);
        ++connection;
        Select(selections[i].first, selections[i].second);
        messages.requests.clear();
        messages.answers = {TMsgResult::Yes};
        Delete();
        ASSERT_TRUE(server.WaitConnections(connection + 1));
        std::vector<std::string> expected{"USER bob", "PASS pw", "STAT"};
        expected.insert(expected.end(), cases[i].commands.begin(), cases[i].commands.end());
        expected.push_back("QUIT");
        EXPECT_EQ(server.Commands(connection++), expected);
        ASSERT_EQ(messages.requests.size(), 2u);
        EXPECT_EQ(messages.requests[1].Text, cases[i].report);
        EXPECT_EQ(Numbers(Subjects()), cases[i].table);
    }
}

// How a server answers UIDL: as RFC 1939 says, without the message number in "UIDL n", not at
// all, or with a listing but no usable "UIDL n" (the whole header then decides).
struct UidlForm {
    const char* name;
    std::function<void(FakePop3Server&)> quirk;
    bool asksUidl; // "UIDL n" is sent in the deletion's check
};

void PrintTo(const UidlForm& form, std::ostream* out) {
    *out << form.name;
}

const UidlForm UidlForms[] = {
    {"Numbered", {}, true},
    {"Bare", [](FakePop3Server& s) { s.LeaveNumberOutOfUidl(); }, true},
    {"None", [](FakePop3Server& s) { s.SetReply("UIDL", "-ERR unknown command\r\n"); }, false},
    {"Unusable",
     [](FakePop3Server& s) {
         s.SetReply("UIDL 1", "+OK\r\n");
         s.SetReply("UIDL 2", "-ERR not now\r\n");
     },
     true},
};

// The same date and no readable identifier: the server's unique identifier, or without a usable
// one the whole header, tells whether the row still stands for the message.
class TwinDeletionTest : public MailDeletionTest, public testing::WithParamInterface<UidlForm> {
protected:
    TwinDeletionTest() : MailDeletionTest(Twins(), GetParam().quirk) {}
};

TEST_P(TwinDeletionTest, OnlyTheSameMessageIsDeleted) {
    const bool uidl = GetParam().asksUidl;
    // Row 1 after another client deleted message 1: the message is now the other twin.
    DeleteElsewhere(1);
    DeleteAnsweringYes(1, 1);
    EXPECT_EQ(messages.Texts().back(), MovedText);
    ASSERT_TRUE(server.WaitConnections(3));
    std::vector<std::string> expected{"USER bob", "PASS pw", "STAT", "TOP 1 0", "LIST 1"};
    if (uidl) expected.push_back("UIDL 1");
    expected.push_back("QUIT");
    EXPECT_EQ(server.Commands(2), expected);
    ASSERT_EQ(server.Mailbox().size(), 1u);
    EXPECT_EQ(Account().Rows.size(), 2u);

    // Row 2, whose message the server now numbers 1, is no longer there as message 2.
    DeleteAnsweringYes(2, 2);
    EXPECT_EQ(messages.Texts().back(), "That email no longer seems to exist. Re-check account");
    EXPECT_EQ(server.Mailbox().size(), 1u);
}

TEST_P(TwinDeletionTest, AnUnchangedMailboxStillDeletes) {
    DeleteAnsweringYes(2, 2);
    std::vector<std::string> expected{"USER bob", "PASS pw", "STAT", "TOP 2 0", "LIST 2"};
    if (GetParam().asksUidl) expected.push_back("UIDL 2");
    expected.insert(expected.end(), {"DELE 2", "QUIT"});
    EXPECT_EQ(DeletionCommands(), expected);
    ASSERT_EQ(server.Mailbox().size(), 1u);
    EXPECT_EQ(server.Mailbox()[0].header.substr(0, 18), "Received: by relay");
    EXPECT_EQ(Subjects(), std::vector<std::string>{" Twin 1"});
}

INSTANTIATE_TEST_SUITE_P(UidlForms, TwinDeletionTest, testing::ValuesIn(UidlForms),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(MailDeletionTest, AFailurePartWayShowsTheTableAsTheCacheHoldsIt) {
    server.SetReply("DELE 3", "-ERR no such message\r\n");
    DeleteAnsweringYes(2, 4);
    EXPECT_EQ(messages.Texts().back(), "One or more of the emails you selected is not longer on "
                                       "the server.\n\rPlease re-check this account and try again");
    EXPECT_EQ(DeletionCommands(), (std::vector<std::string>{
                                      "USER bob", "PASS pw", "STAT", "TOP 2 0", "LIST 2", "UIDL 2",
                                      "DELE 2", "TOP 3 0", "LIST 3", "UIDL 3", "DELE 3", "QUIT"}));
    EXPECT_EQ(Numbers(Subjects()), (std::vector<std::string>{"1", "3", "4", "5"}));
    EXPECT_EQ(Account().Rows.size(), 4u);
}

TEST_F(MailDeletionTest, NoCheckOrDeletionStartsWhileADeletionWaits) {
    server.StallAt("DELE 2");
    Account().Timeout = 1;
    Select(2, 2);
    messages.answers = {TMsgResult::Yes};
    bool busySeen = false;
    WhenTrue([&] { return Form().Mail().Flags().MailBusy; },
             [&] {
                 busySeen = true;
                 Find<QToolButton>("check_mail")->click();
                 Delete();
                 Find<QToolButton>("del_acc")->click();
             });
    Delete();
    EXPECT_TRUE(busySeen);
    // The question and the failure; the timed-out read closed the session, so no QUIT waits
    // in vain after it, and nothing nested.
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{messages.requests[0].Text,
                                        "That email no longer seems to exist. Re-check account"}));
    EXPECT_FALSE(Status().isVisible());
    EXPECT_EQ(Form().Accounts().Count(), 1);
    ASSERT_TRUE(server.WaitConnections(2));
    EXPECT_EQ(server.Connections(), 2u);
}

TEST_F(MailDeletionTest, AFailedLogInIsShownAndDeletesNothing) {
    Account().Password = "wrong";
    DeleteAnsweringYes(1, 1);
    EXPECT_EQ(messages.Texts().back(), "Authentication failed");
    EXPECT_EQ(messages.requests.back().Kind, TMsgKind::Error);
    EXPECT_FALSE(Form().Mail().Flags().LoggedIn);
    EXPECT_EQ(server.Mailbox().size(), 5u);
}

class EmptyDeletionTest : public MailTest {
protected:
    void Delete() { Find<QToolButton>("del_mail")->click(); }
    // Selects the rows from..to, clicks Delete and answers Yes to the question.
    void DeleteAnsweringYes(int from, int to) {
        Select(from, to);
        messages.answers = {TMsgResult::Yes};
        Delete();
    }
};

TEST_F(EmptyDeletionTest, TheEmptyRowOfAnUncheckedAccountDeletesNothing) {
    StartWith("127.0.0.1:1", "bob", "pw");
    messages.answers = {TMsgResult::Yes};
    Delete();
    QTest::keyClick(&Form().Grid(), Qt::Key_Delete);
    EXPECT_TRUE(messages.requests.empty());
    EXPECT_FALSE(Form().Mail().Flags().Checking);
}

} // namespace
