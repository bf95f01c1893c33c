#include "mail_fixture.h"

#include "tests/support/blocking_client.h"

#include <QKeyEvent>

using test_support::FakePop3Server;

namespace {

std::vector<test_support::FakeMessage> Five() {
    return {Numbered(1), Numbered(2), Numbered(3), Numbered(4), Numbered(5)};
}

// Five messages checked; each test then deletes in a second session.
class MailDeletionTest : public MailTest {
protected:
    MailDeletionTest() : server(Five(), "bob", "pw") {}
    void SetUp() override {
        MailTest::SetUp();
        StartWith(server);
        ASSERT_TRUE(CheckToEnd());
        ASSERT_TRUE(server.WaitConnections(1));
        ASSERT_EQ(Table().size(), 5u);
    }
    // The deletion's session, once it has ended.
    std::vector<std::string> DeletionCommands() {
        EXPECT_TRUE(server.WaitConnections(2));
        return server.Commands(1);
    }
    // Another client changes the mailbox behind the window's back.
    void DeleteElsewhere(int n) {
        test_support::BlockingClient client(server.Port());
        client.ReadLine();
        const std::vector<std::string> commands{"USER bob", "PASS pw", "DELE " + std::to_string(n),
                                                "QUIT"};
        for (const std::string& command : commands) {
            client.Send(command + "\r\n");
            client.ReadLine();
        }
        ASSERT_TRUE(server.WaitConnections(2));
    }
    std::vector<std::string> Numbers(const std::vector<std::string>& subjects) {
        std::vector<std::string> out;
        for (const std::string& s : subjects)
            out.push_back(s.substr(s.size() - 1));
        return out;
    }

    void Delete() { Find<QToolButton>("del_mail")->click(); }

    FakePop3Server server;
};

TEST_F(MailDeletionTest, OneRowIsCheckedThenDeletedAndTheTableClosesUp) {
    Select(2, 2);
    messages.answers = {TMsgResult::Yes};
    Delete();
    ASSERT_EQ(messages.requests.size(), 1u);
    EXPECT_EQ(messages.requests[0].Text,
              "Delete email with the following details?\n\r\n\rSubject :  Message 2\n\rFrom :  "
              "sender2@example.com\n\rDate :  Mon, 2 Jan 2024 10:00:00 +0000\n\rSize : 1 KB");
    EXPECT_EQ(messages.requests[0].Kind, TMsgKind::Confirmation);
    EXPECT_EQ(messages.requests[0].Caption, "Confirm");
    EXPECT_EQ(DeletionCommands(),
              (std::vector<std::string>{"USER bob", "PASS pw", "STAT", "TOP 2 0", "LIST 2",
                                        "DELE 2", "QUIT"}));
    EXPECT_EQ(Numbers(Subjects()), (std::vector<std::string>{"1", "3", "4", "5"}));
    EXPECT_EQ(Account().Rows.size(), 4u);
    EXPECT_EQ(server.Mailbox().size(), 4u);
    EXPECT_FALSE(Form().Checking);
    EXPECT_FALSE(Form().MailBusy);

    // The viewer on the new row 2 shows the former message 3.
    Select(2, 2);
    Form().gridDblClick();
    EXPECT_EQ(Viewer().Lines()[2], "Subject: Message 3");
}

TEST_F(MailDeletionTest, TheDeleteKeyWithShiftDeletesToo) {
    Select(5, 5);
    messages.answers = {TMsgResult::Yes};
    QTest::keyClick(&Form().Grid(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(DeletionCommands().at(5), "DELE 5");
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
    Select(3, 3);
    messages.answers = {TMsgResult::Yes};
    Delete();
    EXPECT_EQ(messages.Texts().back(),
              "That email has moved in the queue, please re-check this account");
    ASSERT_TRUE(server.WaitConnections(3));
    EXPECT_EQ(server.Commands(2), (std::vector<std::string>{"USER bob", "PASS pw", "STAT",
                                                            "TOP 3 0", "LIST 3", "QUIT"}));
    EXPECT_EQ(Table().size(), 5u);
    EXPECT_EQ(Account().Rows.size(), 5u);
}

TEST_F(MailDeletionTest, AMessageThatIsGoneIsReported) {
    DeleteElsewhere(5);
    Select(5, 5);
    messages.answers = {TMsgResult::Yes};
    Delete();
    EXPECT_EQ(messages.Texts().back(), "That email no longer seems to exist. Re-check account");
    EXPECT_EQ(Table().size(), 5u);
    EXPECT_FALSE(Form().Pop().Connected());
}

TEST_F(MailDeletionTest, SeveralRowsAreDeletedAfterTheWarningAndTheQuit) {
    Select(2, 4);
    messages.answers = {TMsgResult::Yes};
    Delete();
    ASSERT_EQ(messages.requests.size(), 1u);
    EXPECT_EQ(messages.requests[0].Text, "You are about to delete multiple emails, with no "
                                         "safety\n\rchecks. Are you sure you want to continue?");
    EXPECT_EQ(messages.requests[0].Caption, "Warning");
    EXPECT_EQ(DeletionCommands(), (std::vector<std::string>{"USER bob", "PASS pw", "STAT", "DELE 2",
                                                            "DELE 3", "DELE 4", "QUIT"}));
    EXPECT_EQ(Numbers(Subjects()), (std::vector<std::string>{"1", "5"}));
    EXPECT_EQ(Account().Headers.size(), 2u);
    EXPECT_EQ(server.Mailbox().size(), 2u);
}

TEST_F(MailDeletionTest, AFailurePartWayShowsTheTableAsTheCacheHoldsIt) {
    server.SetReply("DELE 3", "-ERR no such message\r\n");
    Select(2, 4);
    messages.answers = {TMsgResult::Yes};
    Delete();
    EXPECT_EQ(messages.Texts().back(), "One or more of the emails you selected is not longer on "
                                       "the server.\n\rPlease re-check this account and try again");
    EXPECT_EQ(DeletionCommands(), (std::vector<std::string>{"USER bob", "PASS pw", "STAT", "DELE 2",
                                                            "DELE 3", "QUIT"}));
    EXPECT_EQ(Numbers(Subjects()), (std::vector<std::string>{"1", "3", "4", "5"}));
    EXPECT_EQ(Account().Rows.size(), 4u);
}

TEST_F(MailDeletionTest, NoCheckOrDeletionStartsWhileADeletionWaits) {
    server.StallAt("DELE 2");
    Account().Timeout = 1;
    Select(2, 2);
    messages.answers = {TMsgResult::Yes};
    bool busySeen = false;
    WhenTrue([&] { return Form().MailBusy; },
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
    Select(1, 1);
    messages.answers = {TMsgResult::Yes};
    Delete();
    EXPECT_EQ(messages.Texts().back(), "Authentication failed");
    EXPECT_EQ(messages.requests.back().Kind, TMsgKind::Error);
    EXPECT_FALSE(Form().LoggedIn);
    EXPECT_EQ(server.Mailbox().size(), 5u);
}

class EmptyDeletionTest : public MailTest {
protected:
    void Delete() { Find<QToolButton>("del_mail")->click(); }
};

TEST_F(EmptyDeletionTest, TheEmptyRowOfAnUncheckedAccountDeletesNothing) {
    StartWith("127.0.0.1:1", "bob", "pw");
    messages.answers = {TMsgResult::Yes};
    Delete();
    QTest::keyClick(&Form().Grid(), Qt::Key_Delete);
    EXPECT_TRUE(messages.requests.empty());
    EXPECT_FALSE(Form().Checking);
}

} // namespace
