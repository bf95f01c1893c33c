// Log-in, STAT, DELE and QUIT, each test a conversation with a scripted server.
#include "platform/polling.h"
#include "pop3/pop3_reply.h"
#include "tests/pop3/pop3_test_support.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

// STAT's count is the first number of RFC 1939's "+OK nn mm" and 0 in any other positive reply;
// a refused STAT still fires OnConnect, after the session closed. Conversations that test the
// events end without closing: a server that closes first makes the session report the peer's
// close as well as its own.
TEST(Pop3Session, LogInCountsAndQuits) {
    const std::vector<std::string> events = {"OnConnect", "OnDisconnect"};
    const struct {
        const char* stat;
        int32_t count;
        const char* failure;
        std::vector<std::string> events;
    } cases[] = {
        {"+OK 3 4567", 3, "", events},
        {"+OK 3", 0, "", events},
        {"+OK  3 100", 0, "", events},
        {"+OK", 0, "", events},
        {"-ERR locked", 0, "-ERR locked\r\n", {"OnDisconnect", "OnConnect"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stat);
        ScriptedPeer peer(LoggedIn(c.stat, {Quit}));
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
        EXPECT_EQ(FailureOf([&] {
                      client.Connect();
                      EXPECT_EQ(client.MessageCount(), c.count);
                      client.Disconnect();
                  }),
                  c.failure);
        EXPECT_FALSE(busyInOnConnect);
        EXPECT_EQ(log.entries, c.events);
        EXPECT_FALSE(client.Connected());
    }
}

// Only a greeting that begins with "+OK" leads to a log-in; after any other the client quits.
TEST(Pop3Session, Greetings) {
    const struct {
        const char* greeting;
        std::vector<Exchange> talk;
        const char* failure;
        std::vector<std::string> events;
    } cases[] = {
        {"+OK", LogIn(), "", {"OnConnect", "OnDisconnect"}},
        {"-ERR busy", {}, "-ERR busy\r\n", {"OnDisconnect"}},
        {"+ok hello", {}, "+ok hello\r\n", {"OnDisconnect"}},
    };
    for (const auto& c : cases) {
        ScriptedPeer peer(Talk({{"", c.greeting}}).Talk(c.talk).Talk({Quit}));
        TPop3Client client;
        Prepare(client, peer);
        EventLog log;
        Record(client, log);
        EXPECT_EQ(FailureOf([&] {
                      client.Connect();
                      client.Disconnect();
                  }),
                  c.failure);
        EXPECT_EQ(log.entries, c.events) << c.greeting;
        EXPECT_FALSE(client.Busy());
    }
}

TEST(Pop3Session, UserRejectedOnceThenAcceptedAfterHandler) {
    ScriptedPeer peer(Talk({{"", "+OK"},
                            {"USER bob", "-ERR who?"},
                            {"USER robert", "+OK"},
                            {"PASS pw", "+OK"},
                            {"STAT", "+OK 0 0"},
                            Quit}));
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
    EXPECT_EQ(log.entries,
              (std::vector<std::string>{"OnAuthenticationFailed", "OnConnect", "OnDisconnect"}));
}

// A refused log-in is tried again only when the handler says so, never a second time, and
// never with a name that would break the command line.
TEST(Pop3Session, RefusedLogIns) {
    const struct {
        const char* name;
        const char* retryAs; // the name the handler gives; nullptr: no handler
        std::vector<Exchange> talk;
    } cases[] = {
        {"password refused twice",
         "bob",
         {{"", "+OK"},
          {"USER bob", "+OK"},
          {"PASS pw", "-ERR no"},
          {"USER bob", "+OK"},
          {"PASS pw", "-ERR no"},
          Quit}},
        {"no handler", nullptr, {{"", "+OK"}, {"USER bob", "-ERR"}, Quit}},
        {"a line break from the handler",
         "bob\r\nDELE 1",
         {{"", "+OK"}, {"USER bob", "-ERR"}, Quit}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPeer peer(Talk(c.talk).Close());
        TPop3Client client;
        Prepare(client, peer);
        int asked = 0;
        if (c.retryAs)
            client.OnAuthenticationFailed = [&](bool& handled) {
                ++asked;
                client.UserID = c.retryAs;
                handled = true;
            };
        EXPECT_EQ(FailureOf([&] { client.Connect(); }), "Authentication failed");
        EXPECT_EQ(asked, c.retryAs ? 1 : 0);
    }
}

TEST(Pop3Session, MissingCredentials) {
    // A handler that answers yes without filling in the name: the empty name goes out.
    ScriptedPeer peer(
        Talk({{"", "+OK"}, {"USER ", "+OK"}, {"PASS pw", "+OK"}, {"STAT", "+OK 0 0"}, Quit})
            .Close());
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
    client.OnAuthenticationNeeded = [&](bool& handled) { handled = ++asked > 0; };
    client.Connect();
    EXPECT_EQ(asked, 2);
    client.Disconnect();
}

TEST(Pop3Session, UnsendableCredentialsAreRefusedBeforeAnythingIsSent) {
    const std::string longest(248, 'p'); // "PASS " + 248 + CR LF = 255 octets
    ScriptedPeer peer(Talk({{"", "+OK"},
                            {"USER bob", "+OK"},
                            {"PASS " + longest, "+OK"},
                            {"STAT", "+OK 0 0"},
                            Quit})
                          .Close());
    struct Case {
        std::string user, password;
    };
    for (const Case& c : {Case{"bob", "pw\r\nDELE 1"}, Case{"bob\nQUIT", "pw"},
                          Case{"bob", std::string("sec\0ret", 7)}, Case{"bob", longest + "p"},
                          Case{std::string(20000, 'u'), "pw"}}) {
        TPop3Client client;
        Prepare(client, peer, c.password);
        client.UserID = c.user;
        EXPECT_EQ(FailureOf([&] { client.Connect(); }), "Authentication failed") << c.password;
        EXPECT_FALSE(client.Busy());
    }
    EXPECT_EQ(peer.Connections(), 0u);
    TPop3Client client;
    Prepare(client, peer, longest);
    client.Connect();
    client.Disconnect();
}

// RFC 1939 leaves the text after "+OK" free; "+OKAY" or "+ok" is not a positive reply. The
// number goes out as given, a negative one too.
TEST(Pop3Session, DeleteNeedsOkAsTheWholeFirstField) {
    ScriptedPeer peer(LoggedIn("+OK 2 320", {{"DELE 1", "+OK message 1 deleted"},
                                             {"DELE 2", "+OK"},
                                             {"DELE -7", "-ERR no such message"},
                                             Quit}));
    TPop3Client client;
    Prepare(client, peer);
    EventLog log;
    Record(client, log);
    client.Connect();
    log.entries.clear();
    client.DeleteMailMessage(1);
    EXPECT_EQ(FailureOf([&] { client.DeleteMailMessage(2); }), "");
    EXPECT_EQ(FailureOf([&] { client.DeleteMailMessage(-7); }), "-ERR no such message\r\n");
    EXPECT_FALSE(client.Busy());
    client.Disconnect();
    EXPECT_EQ(log.entries,
              (std::vector<std::string>{"OnSuccess", "OnSuccess", "OnFailure", "OnDisconnect"}));
    for (const char* yes : {"+OK\r\n", "+OK\n", "+OK", "+OK deleted\r\n"})
        EXPECT_TRUE(PositiveDeleReply(yes)) << yes;
    for (const char* no : {"+OKAY\r\n", "-ERR +OK\r\n", "x+OK\r\n", "+ok\r\n", "\r\n"})
        EXPECT_FALSE(PositiveDeleReply(no)) << no;
}

TEST(Pop3Session, RefusedQuitStillCloses) {
    ScriptedPeer peer(LoggedIn("+OK 0 0", {{"QUIT", "-ERR cannot"}}).Stall(3000));
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
    ScriptedPeer peer(LoggedIn("+OK 1 10", {{"DELE 1", ""}}).Stall(3000));
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
    ScriptedPeer peer(Talk({{"", "+OK"}, {"USER bob", ""}}).Close());
    TPop3Client client;
    Prepare(client, peer);
    EXPECT_EQ(FailureOf([&] { client.Connect(); }), "Socket readln failed: connection closed");
    EXPECT_FALSE(client.Connected());
    EXPECT_FALSE(client.Busy());
}

// The server refuses and closes at once: its reason, not the clean-up QUIT's failure, is what
// the caller sees.
TEST(Pop3Session, TheFirstFailureIsTheOneReported) {
    const std::pair<Script, std::string> cases[] = {
        {Talk({{"", "-ERR busy"}}).Close(), "-ERR busy\r\n"},
        {Talk({{"", "+OK"}, {"USER bob", "+OK"}, {"PASS pw", "-ERR no"}}).Close(),
         "Authentication failed"},
    };
    for (const auto& [script, failure] : cases) {
        for (int run = 0; run < 5; ++run) {
            ScriptedPeer peer(script);
            TPop3Client client;
            Prepare(client, peer);
            EXPECT_EQ(FailureOf([&] { client.Connect(); }), failure);
            EXPECT_FALSE(client.Connected());
        }
    }
}

// A refused log-in on a worker, while this thread runs the notifications (and so closes the
// socket on the server's close): each time the reason is the refusal, and a later log-in works.
TEST(Pop3Session, RefusedLogInsOnAWorkerNeverShareTheSocket) {
    constexpr int Runs = 300;
    std::vector<Script> scripts(
        Runs, Talk({{"", "+OK"}, {"USER bob", "+OK"}, {"PASS pw", "-ERR no"}}).Close());
    scripts.push_back(
        Talk({{"", "+OK"}, {"USER bob", "+OK"}, {"PASS right", "+OK"}, {"STAT", "+OK 0 0"}, Quit})
            .Close());
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
