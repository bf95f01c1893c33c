// What the real servers of the interop fixtures do differently, each played by a scripted server
// so that the client's answer to it holds without them.
#include "tests/pop3/pop3_test_support.h"

#include <gtest/gtest.h>

TEST(Pop3ServerQuirks, RejectedPasswords) {
    struct Case {
        const char* server;
        Script script;
        std::string failure; // a prefix of the failure text
    };
    const Case cases[] = {
        // Courier and Dovecot answer a wrong password after a pause (seconds, here shortened)
        // and let the client try again.
        {"late rejection",
         Talk(
             {{"", "+OK Hello there."}, {"USER bob", "+OK Password required."}, {"PASS wrong", ""}})
             .Wait(300)
             .Talk({{"", "-ERR Login failed."}, {"USER bob", "+OK"}, {"PASS wrong", ""}})
             .Wait(300)
             .Talk({{"", "-ERR Login failed."}, {"QUIT", "+OK Bye-bye."}}),
         "Authentication failed"},
        // popa3d greets with "+OK" alone and hangs up after a wrong password: the retry finds
        // the connection gone, before or after its USER went out.
        {"rejection and hang-up",
         Talk({{"", "+OK"},
               {"USER bob", "+OK"},
               {"PASS wrong", "-ERR Authentication failed (bad password?)"}})
             .Close(),
         "Socket "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server);
        ScriptedPeer peer(c.script);
        TPop3Client client;
        Prepare(client, peer, "wrong");
        int asked = 0;
        client.OnAuthenticationFailed = [&](bool& handled) { handled = ++asked > 0; };
        EXPECT_EQ(FailureOf([&] { client.Connect(); }).rfind(c.failure, 0), 0u);
        EXPECT_EQ(asked, 1);
        EXPECT_FALSE(client.Connected());
        EXPECT_FALSE(client.Busy());
    }
}

TEST(Pop3ServerQuirks, HeadersAreTakenAsTheServerSendsThem) {
    struct Case {
        const char* server;
        std::string top;
        std::string subject;
    };
    const Case cases[] = {
        // Dovecot and popa3d send 8-bit header bytes as stored.
        {"8-bit bytes",
         "+OK\r\nSubject: Gr\xfc\xdf"
         "e aus K\xf6ln\r\n\r\n.",
         " Gr\xfc\xdf"
         "e aus K\xf6ln"},
        // Courier sends a notice of its own in their place to a client that did not announce
        // UTF-8; LIST still gives the stored message's size.
        {"notice in place of the header",
         "+OK headers follow.\r\nFrom: Mail Delivery Subsystem <postmaster>\r\n"
         "Subject: Cannot display Unicode content\r\nMime-Version: 1.0\r\n\r\n.",
         " Cannot display Unicode content"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server);
        ScriptedPeer peer(LoggedIn("+OK 1 280", {{"TOP 1 0", c.top}, {"LIST 1", "+OK 1 280"}}));
        TPop3Client client;
        Prepare(client, peer);
        client.Connect();
        client.GetSummary(1);
        EXPECT_EQ(client.Summary().Subject, c.subject);
        EXPECT_EQ(client.Summary().Bytes, 280);
    }
}
