// Log-in, STAT, DELE and QUIT against scripted servers: the exact bytes sent and the events.
#include "platform/polling.h"
#include "pop3/pop3_reply.h"
#include "tests/pop3/pop3_test_support.h"
#include "tests/support/scripted_peer.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using test_support::Script;
using test_support::ScriptedPeer;

namespace {

// Greeting, USER, PASS and STAT all accepted. Scripts that test the events end without closing:
// a server that closes first makes the session report the peer's close as well as its own.
Script LoggedIn(const std::string& stat = "+OK 2 320\r\n") {
    return Conversation({"+OK ready\r\n", "+OK\r\n", "+OK\r\n"}).ReadLine().Send(stat);
}

} // namespace

TEST(Pop3Session, LogInCountsAndQuits) {
    ScriptedPeer peer(LoggedIn("+OK 3 4567\r\n").ReadLine().Send("+OK bye\r\n"));
    TPop3Client client;
    EXPECT_EQ(client.Port, 110);
    Prepare(client, peer);
    EventLog log;
    Record(client, log);
    bool busyInOnConnect = true;
    client.OnConnect = [&](QObject*) {
        busyInOnConnect = client.Busy();
        log.Add("OnConnect");
    };
    client.Connect();
    EXPECT_EQ(client.MessageCount(), 3);
    EXPECT_FALSE(busyInOnConnect);
    client.Disconnect();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), "USER bob\r\nPASS pw\r\nSTAT\r\nQUIT\r\n");
    EXPECT_EQ(log.entries, (std::vector<std::string>{"OnConnect", "OnDisconnect"}));
    EXPECT_FALSE(client.Connected());
}

TEST(Pop3Session, StatCountReadings) {
    struct Case {
        const char* reply;
        int32_t count;
    };
    for (const Case& c : {Case{"+OK 3 100\r\n", 3}, Case{"+OK 3\r\n", 0}, Case{"+OK  3 100\r\n", 0},
                          Case{"+OK\r\n", 0}}) {
        ScriptedPeer peer(LoggedIn(c.reply).ReadLine().Send("+OK\r\n").Close());
        TPop3Client client;
        Prepare(client, peer);
        client.Connect();
        EXPECT_EQ(client.MessageCount(), c.count) << c.reply;
        client.Disconnect();
    }
}

TEST(Pop3Session, NegativeGreetingQuitsAndFailsWithTheLine) {
    ScriptedPeer peer(Conversation({"-ERR busy\r\n", "+OK\r\n"}));
    TPop3Client client;
    Prepare(client, peer);
    EventLog log;
    Record(client, log);
    EXPECT_EQ(FailureOf([&] { client.Connect(); }), "-ERR busy\r\n");
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), "QUIT\r\n");
    EXPECT_EQ(log.entries, std::vector<std::string>{"OnDisconnect"});
    EXPECT_FALSE(client.Busy());
}

TEST(Pop3Session, GreetingOkAloneAndLowerCaseIndicator) {
    ScriptedPeer accepted(LoggedIn().ReadLine().Send("+OK\r\n").Close());
    ScriptedPeer refused(Conversation({"+ok hello\r\n", "+OK\r\n"}).Close());
    {
        TPop3Client client;
        Prepare(client, accepted);
        client.Connect();
        client.Disconnect();
    }
    TPop3Client client;
    Prepare(client, refused);
    EXPECT_EQ(FailureOf([&] { client.Connect(); }), "+ok hello\r\n");
}

TEST(Pop3Session, UserRejectedOnceThenAcceptedAfterHandler) {
    ScriptedPeer peer(
        Conversation({"+OK\r\n", "-ERR who?\r\n", "+OK\r\n", "+OK\r\n", "+OK 0 0\r\n", "+OK\r\n"}));
    TPop3Client client;
    Prepare(client, peer);
    EventLog log;
    Record(client, log);
    client.OnAuthenticationFailed = [&](bool& handled) {
        log.Add("OnAuthenticationFailed");
        client.UserID = "robert";
        handled = true;
    };
    client.Connect();
    client.Disconnect();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), "USER bob\r\nUSER robert\r\nPASS pw\r\nSTAT\r\nQUIT\r\n");
    EXPECT_EQ(log.entries,
              (std::vector<std::string>{"OnAuthenticationFailed", "OnConnect", "OnDisconnect"}));
}

TEST(Pop3Session, PasswordRejectedTwiceFailsAfterQuit) {
    ScriptedPeer peer(
        Conversation({"+OK\r\n", "+OK\r\n", "-ERR no\r\n", "+OK\r\n", "-ERR no\r\n", "+OK\r\n"})
            .Close());
    TPop3Client client;
    Prepare(client, peer);
    int asked = 0;
    client.OnAuthenticationFailed = [&](bool& handled) { handled = ++asked > 0; };
    EXPECT_EQ(FailureOf([&] { client.Connect(); }), "Authentication failed");
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), "USER bob\r\nPASS pw\r\nUSER bob\r\nPASS pw\r\nQUIT\r\n");
    EXPECT_EQ(asked, 1);
}

TEST(Pop3Session, RejectedLogInWithoutHandlerSkipsPass) {
    ScriptedPeer peer(Conversation({"+OK\r\n", "-ERR\r\n", "+OK\r\n"}).Close());
    TPop3Client client;
    Prepare(client, peer);
    EXPECT_EQ(FailureOf([&] { client.Connect(); }), "Authentication failed");
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), "USER bob\r\nQUIT\r\n");
}

TEST(Pop3Session, StatRejectedStillFiresOnConnect) {
    ScriptedPeer peer(LoggedIn("-ERR locked\r\n").ReadLine().Send("+OK\r\n"));
    TPop3Client client;
    Prepare(client, peer);
    EventLog log;
    Record(client, log);
    EXPECT_EQ(FailureOf([&] { client.Connect(); }), "-ERR locked\r\n");
    EXPECT_EQ(log.entries, (std::vector<std::string>{"OnDisconnect", "OnConnect"}));
    EXPECT_FALSE(client.Connected());
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), "USER bob\r\nPASS pw\r\nSTAT\r\nQUIT\r\n");
}

TEST(Pop3Session, MissingCredentials) {
    ScriptedPeer peer(
        Conversation({"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 0 0\r\n", "+OK\r\n"}).Close());
    TPop3Client client;
    client.Host = "127.0.0.1";
    client.Port = peer.Port();
    client.Password = "pw";
    EXPECT_EQ(FailureOf([&] { client.Connect(); }), "Authentication failed");
    int asked = 0;
    client.OnAuthenticationNeeded = [&](bool& handled) { handled = ++asked == 0; };
    EXPECT_EQ(FailureOf([&] { client.Connect(); }), "Authentication failed");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(peer.Connections(), 0u);

    // A handler that answers yes without filling in the name: the empty name goes out.
    client.OnAuthenticationNeeded = [&](bool& handled) { handled = ++asked > 0; };
    client.Connect();
    EXPECT_EQ(asked, 2);
    client.Disconnect();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), "USER \r\nPASS pw\r\nSTAT\r\nQUIT\r\n");
}

TEST(Pop3Session, UnsendableCredentialsAreRefusedBeforeAnythingIsSent) {
    ScriptedPeer peer(LoggedIn().ReadLine().Send("+OK\r\n").Close());
    struct Case {
        std::string user, password;
    };
    const std::string longest(248, 'p'); // "PASS " + 248 + CR LF = 255 octets
    for (const Case& c : {Case{"bob", "pw\r\nDELE 1"}, Case{"bob\nQUIT", "pw"},
                          Case{"bob", std::string("sec\0ret", 7)}, Case{"bob", longest + "p"},
                          Case{std::string(20000, 'u'), "pw"}}) {
        TPop3Client client;
        Prepare(client, peer);
        client.UserID = c.user;
        client.Password = c.password;
        EXPECT_EQ(FailureOf([&] { client.Connect(); }), "Authentication failed") << c.password;
        EXPECT_FALSE(client.Busy());
    }
    EXPECT_EQ(peer.Connections(), 0u);
    TPop3Client client;
    Prepare(client, peer);
    client.Password = longest;
    client.Connect();
    client.Disconnect();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), "USER bob\r\nPASS " + longest + "\r\nSTAT\r\nQUIT\r\n");
}

TEST(Pop3Session, LineBreakFromTheRetryHandlerIsRefusedToo) {
    ScriptedPeer peer(Conversation({"+OK\r\n", "-ERR\r\n", "+OK\r\n"}).Close());
    TPop3Client client;
    Prepare(client, peer);
    client.OnAuthenticationFailed = [&](bool& handled) {
        client.UserID = "bob\r\nDELE 1";
        handled = true;
    };
    EXPECT_EQ(FailureOf([&] { client.Connect(); }), "Authentication failed");
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), "USER bob\r\nQUIT\r\n");
}

TEST(Pop3Session, DeleteNeedsOkAsTheWholeFirstField) {
    ScriptedPeer peer(LoggedIn()
                          .ReadLine()
                          .Send("+OK message 1 deleted\r\n")
                          .ReadLine()
                          .Send("+OK\r\n")
                          .ReadLine()
                          .Send("-ERR no such message\r\n")
                          .ReadLine()
                          .Send("+OK\r\n"));
    TPop3Client client;
    Prepare(client, peer);
    EventLog log;
    Record(client, log);
    client.Connect();
    log.entries.clear();
    client.DeleteMailMessage(1);
    EXPECT_EQ(FailureOf([&] { client.DeleteMailMessage(2); }), ""); // "+OK" alone
    EXPECT_EQ(FailureOf([&] { client.DeleteMailMessage(-7); }), "-ERR no such message\r\n");
    EXPECT_FALSE(client.Busy());
    client.Disconnect();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0),
              "USER bob\r\nPASS pw\r\nSTAT\r\nDELE 1\r\nDELE 2\r\nDELE -7\r\nQUIT\r\n");
    EXPECT_EQ(log.entries,
              (std::vector<std::string>{"OnSuccess", "OnSuccess", "OnFailure", "OnDisconnect"}));
}

TEST(Pop3Session, DeleteReplyRule) {
    for (const char* yes : {"+OK\r\n", "+OK\n", "+OK", "+OK deleted\r\n"})
        EXPECT_TRUE(PositiveDeleReply(yes)) << yes;
    for (const char* no : {"+OKAY\r\n", "-ERR +OK\r\n", "x+OK\r\n", "+ok\r\n", "\r\n"})
        EXPECT_FALSE(PositiveDeleReply(no)) << no;
}

TEST(Pop3Session, RefusedQuitStillCloses) {
    ScriptedPeer peer(LoggedIn().ReadLine().Send("-ERR cannot\r\n").Stall(3000));
    TPop3Client client;
    Prepare(client, peer);
    client.Connect();
    EXPECT_EQ(FailureOf([&] { client.Disconnect(); }), "-ERR cannot\r\n");
    EXPECT_FALSE(client.Connected());
}

TEST(Pop3Session, NotConnectedCallsFail) {
    TPop3Client client;
    EXPECT_EQ(FailureOf([&] { client.DeleteMailMessage(1); }), "Not Connected");
    EXPECT_EQ(FailureOf([&] { client.List(); }), "Not Connected");
    EXPECT_EQ(FailureOf([&] { client.GetSummary(1); }), "Not Connected");
    EXPECT_FALSE(client.Busy());
}

TEST(Pop3Session, AbortWhileBusyCancelsTheWait) {
    ScriptedPeer peer(LoggedIn().ReadLine().Stall(3000));
    TPop3Client client;
    Prepare(client, peer);
    client.Connect();
    std::thread aborter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        client.Cancel(); // what Abort does while busy
    });
    EXPECT_EQ(FailureOf([&] { client.DeleteMailMessage(1); }), "Socket readln aborted");
    aborter.join();
    EXPECT_FALSE(client.Busy());
}

TEST(Pop3Session, ServerDroppingDuringLogInEndsTheWait) {
    ScriptedPeer peer(Script().Send("+OK\r\n").ReadLine().Close());
    TPop3Client client;
    Prepare(client, peer);
    EXPECT_EQ(FailureOf([&] { client.Connect(); }), "Socket readln failed: connection closed");
    EXPECT_FALSE(client.Connected());
    EXPECT_FALSE(client.Busy());
}

// The server refuses and closes at once: its reason, not the clean-up QUIT's failure, is what
// the caller sees.
TEST(Pop3Session, TheFirstFailureIsTheOneReported) {
    struct Case {
        Script script;
        std::string failure;
    };
    for (const Case& c : {Case{Script().Send("-ERR busy\r\n").Close(), "-ERR busy\r\n"},
                          Case{Conversation({"+OK\r\n", "+OK\r\n", "-ERR no\r\n"}).Close(),
                               "Authentication failed"}}) {
        for (int run = 0; run < 5; ++run) {
            ScriptedPeer peer(c.script);
            TPop3Client client;
            Prepare(client, peer);
            EXPECT_EQ(FailureOf([&] { client.Connect(); }), c.failure);
            EXPECT_FALSE(client.Connected());
        }
    }
}

// A refused log-in on a worker, while this thread runs the notifications (and so closes the
// socket on the server's close): each time the reason is the refusal, and a later log-in works.
TEST(Pop3Session, RefusedLogInsOnAWorkerNeverShareTheSocket) {
    constexpr int Runs = 300;
    std::vector<Script> scripts(Runs, Conversation({"+OK\r\n", "+OK\r\n", "-ERR no\r\n"}).Close());
    scripts.push_back(LoggedIn().ReadLine().Send("+OK\r\n").Close());
    ScriptedPeer peer(scripts);
    TPop3Client client;
    Prepare(client, peer);
    auto onWorker = [&] {
        std::string failure;
        std::atomic<bool> done{false};
        std::thread worker([&] {
            failure = FailureOf([&] { client.Connect(); });
            done = true;
        });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done && std::chrono::steady_clock::now() < deadline)
            ProcessMessagesStep();
        worker.join();
        return failure;
    };
    int refused = 0;
    for (int i = 0; i < Runs; ++i)
        refused += onWorker() == "Authentication failed";
    EXPECT_EQ(refused, Runs);
    client.Password = "right";
    EXPECT_EQ(onWorker(), "");
    EXPECT_TRUE(client.Connected());
    client.Disconnect();
}
