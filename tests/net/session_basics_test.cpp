// The session's behaviour that needs no peer: texts, fields, levels, resolving.
#include "net/nth_word.h"
#include "net/socket_session.h"
#include "platform/host_lookup.h"

#include <QCoreApplication>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <thread>

namespace {

// Resolves every name through the given function for the life of the object.
struct ResolverScope {
    explicit ResolverScope(THostResolver resolver) { SetHostResolver(std::move(resolver)); }
    ~ResolverScope() { SetHostResolver({}); }
};

std::string Loopback() {
    uint32_t address = htonl(INADDR_LOOPBACK);
    return std::string(reinterpret_cast<const char*>(&address), 4);
}

std::string Dotted(uint32_t networkOrder) {
    in_addr address{networkOrder};
    return inet_ntoa(address);
}

} // namespace

TEST(SocketErrorText, KnownUnknownAndZero) {
    EXPECT_EQ(SocketErrorText(10061), "10061:Connection refused");
    EXPECT_EQ(SocketErrorText(10004), "10004:Interrupted system call");
    EXPECT_EQ(SocketErrorText(11004), "11004:Valid name, no data record of requested type");
    EXPECT_EQ(SocketErrorText(10072), "Unknown Error No. 10072");
    EXPECT_EQ(SocketErrorText(0), "");
}

TEST(NthWord, FieldsBetweenSingleDelimiters) {
    const std::string reply = "+OK 2 320\r\n";
    EXPECT_EQ(NthWord(reply, ' ', 1), "+OK");
    EXPECT_EQ(NthWord(reply, ' ', 2), "2");
    EXPECT_EQ(NthWord(reply, ' ', 3), "320\r\n");
    EXPECT_EQ(NthWord(reply, ' ', 4), "");
    EXPECT_EQ(NthWord("+OK  3", ' ', 2), "");
    EXPECT_EQ(NthWord("+OK  3", ' ', 3), "3");
    EXPECT_EQ(NthWord(" a", ' ', 1), "");
    EXPECT_EQ(NthWord("", ' ', 1), "");
    EXPECT_EQ(NthWord("abc", ' ', 0), "");
}

TEST(SocketSession, CountsInstancesAndDescribesTheLibrary) {
    const int before = TSocketSession::InstanceCount();
    {
        TSocketSession first;
        TSocketSession second;
        EXPECT_EQ(TSocketSession::InstanceCount(), before + 2);
        const auto& lines = (before == 0 ? first : first).InfoLines();
        if (before == 0) {
            ASSERT_EQ(lines.size(), 6u);
            EXPECT_EQ(lines[0], "Version= 1.1");
            EXPECT_EQ(lines[2].rfind("Description= ", 0), 0u);
            EXPECT_EQ(lines[5].rfind("Max Udp pack size= ", 0), 0u);
        }
        EXPECT_TRUE(second.InfoLines().empty());
        EXPECT_FALSE(first.Connected());
    }
    EXPECT_EQ(TSocketSession::InstanceCount(), before);
}

TEST(SocketSession, ReportsOnlyTextsWithinTheLevel) {
    TSocketSession session;
    std::vector<std::string> seen;
    session.OnStatus = [&](QObject*, const std::string& text) { seen.push_back(text); };
    session.Cancel(); // level 8
    EXPECT_TRUE(seen.empty());
    session.ReportLevel = 8;
    session.Cancel();
    ASSERT_EQ(seen, std::vector<std::string>{"Canceling"});
    EXPECT_EQ(session.LastStatus(), "Canceling");
    session.ReportLevel = 4;
    session.Disconnect(); // "Disconnecting" is level 8, "Request Close Socket" level 4
    EXPECT_EQ(seen.back(), "Request Close Socket");
    EXPECT_EQ(seen.size(), 2u);
}

TEST(SocketSession, ZeroAddressAsksOnInvalidHostOnce) {
    TSocketSession session;
    session.Host = "0.0.0.0";
    session.Port = 1;
    EXPECT_THROW(
        {
            try {
                session.Connect();
            } catch (const ESockError& e) {
                EXPECT_STREQ(e.what(), "Null Remote Address");
                throw;
            }
        },
        ESockError);
    int asked = 0;
    session.OnInvalidHost = [&](bool& handled) {
        ++asked;
        handled = true;
    };
    EXPECT_THROW(session.Connect(), ESockError);
    EXPECT_EQ(asked, 1);
}

TEST(SocketSession, UnhandledInvalidHostFailsWithoutSecondLookup) {
    std::atomic<int> lookups{0};
    ResolverScope scope([&](const std::string&, std::string&) {
        ++lookups;
        return 11001;
    });
    TSocketSession session;
    session.Host = "no.such.host";
    session.Port = 1;
    bool askedOnce = false;
    session.OnInvalidHost = [&](bool& handled) {
        askedOnce = !askedOnce && (handled = false, true);
    };
    try {
        session.Connect();
        FAIL() << "connected to an unknown host";
    } catch (const ESockError& e) {
        EXPECT_STREQ(e.what(), "Null Remote Address");
    }
    EXPECT_TRUE(askedOnce);
    EXPECT_EQ(lookups, 1);

    // Handled without changing the host: exactly one more lookup, then the same failure.
    session.OnInvalidHost = [](bool& handled) { handled = true; };
    EXPECT_THROW(session.Connect(), ESockError);
    EXPECT_EQ(lookups, 3);
}

TEST(SocketSession, FailedLookupLeavesNoAddressAndSuccessFiresOnHostResolved) {
    ResolverScope scope([](const std::string& name, std::string& addresses) {
        if (name != "good.example") return 11001;
        addresses = Loopback();
        return 0;
    });
    TSocketSession session;
    int resolved = 0;
    session.OnHostResolved = [&](QObject*) { ++resolved; };
    session.Host = "bad.example";
    try {
        session.ResolveRemoteHost();
        FAIL();
    } catch (const ESockError& e) {
        EXPECT_STREQ(e.what(), "Host Lookup Failed");
    }
    EXPECT_EQ(session.RemoteAddress().Address, 0u);
    EXPECT_EQ(resolved, 0);
    session.Host = "good.example";
    session.ResolveRemoteHost();
    EXPECT_EQ(Dotted(session.RemoteAddress().Address), "127.0.0.1");
    EXPECT_EQ(resolved, 1);
}

TEST(SocketSession, DottedHostNeedsNoLookupTimerOrEvent) {
    std::atomic<int> lookups{0};
    ResolverScope scope([&](const std::string&, std::string&) { return ++lookups, 11001; });
    TSocketSession session;
    session.ReportLevel = 8;
    std::vector<std::string> seen;
    session.OnStatus = [&](QObject*, const std::string& text) { seen.push_back(text); };
    bool resolved = false;
    session.OnHostResolved = [&](QObject*) { resolved = true; };
    session.Host = "127.0.0.1";
    session.ResolveRemoteHost();
    EXPECT_EQ(Dotted(session.RemoteAddress().Address), "127.0.0.1");
    EXPECT_EQ(seen, std::vector<std::string>{"Resolve Host"});
    EXPECT_FALSE(resolved);
    EXPECT_EQ(lookups, 0);
}

TEST(SocketSession, NamedHostResolvesThroughTheSystem) {
    TSocketSession session;
    session.Host = "localhost";
    bool resolved = false;
    session.OnHostResolved = [&](QObject*) { resolved = true; };
    session.ResolveRemoteHost();
    EXPECT_TRUE(resolved);
    EXPECT_EQ(Dotted(session.RemoteAddress().Address), "127.0.0.1");
}

TEST(SocketSession, LookupTimesOutWithoutConnectionFailedEvent) {
    ResolverScope scope([](const std::string&, std::string& addresses) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        addresses = Loopback();
        return 0;
    });
    TSocketSession session;
    session.Host = "slow.example";
    session.TimeOut = 50;
    bool failedEvent = false;
    session.OnConnectionFailed = [&](QObject*) { failedEvent = true; };
    try {
        session.Connect();
        FAIL();
    } catch (const ESockError& e) {
        EXPECT_STREQ(e.what(), "Host Lookup Timed Out");
    }
    EXPECT_TRUE(session.TimedOut());
    EXPECT_FALSE(failedEvent);
}

TEST(SocketSession, LookupWithoutLimitEndsOnCancel) {
    ResolverScope scope([](const std::string&, std::string& addresses) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        addresses = Loopback();
        return 0;
    });
    TSocketSession session;
    session.Host = "slow.example";
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        session.Cancel();
    });
    try {
        session.ResolveRemoteHost();
        ADD_FAILURE() << "the lookup was not cancelled";
    } catch (const ESockError& e) {
        EXPECT_STREQ(e.what(), "Host Lookup Canceled");
    }
    canceller.join();
}

TEST(SocketSession, LateLookupReplyAfterDestructionIsDropped) {
    std::atomic<bool> replied{false};
    ResolverScope scope([&](const std::string&, std::string& addresses) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        addresses = Loopback();
        replied = true;
        return 0;
    });
    {
        TSocketSession session;
        session.Host = "late.example";
        session.TimeOut = 10;
        EXPECT_THROW(session.ResolveRemoteHost(), ESockError);
    }
    // The reply arrives for a window that is gone; the sanitizer build checks that nothing
    // is written into freed memory.
    for (int i = 0; i < 100 && !replied; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    QCoreApplication::processEvents();
    EXPECT_TRUE(replied);
}

TEST(SocketSession, OverlongHostIsRefusedNotCut) {
    std::atomic<int> lookups{0};
    ResolverScope scope([&](const std::string&, std::string& addresses) {
        ++lookups;
        addresses = Loopback();
        return 0;
    });
    TSocketSession session;
    session.Host = std::string(127, 'a');
    EXPECT_NO_THROW(session.ResolveRemoteHost());
    session.Host = std::string(128, 'a');
    EXPECT_THROW(session.ResolveRemoteHost(), ESockError);
    EXPECT_EQ(lookups, 1);
}

TEST(SocketSession, NegativeTimeOutIsARangeError) {
    TSocketSession session;
    session.Host = "slow.example";
    session.TimeOut = -1;
    EXPECT_THROW(session.ResolveRemoteHost(), Exception);
}

TEST(SocketSession, CertifyConnectAsksOnce) {
    TSocketSession session;
    EXPECT_THROW(session.CertifyConnect(), Exception);
    int asked = 0;
    session.OnConnectionRequired = [&](bool& handled) { handled = ++asked > 0; };
    try {
        session.CertifyConnect();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Not Connected");
    }
    EXPECT_EQ(asked, 1);
}

TEST(SocketSession, TimeOutFromSecondsSaturates) {
    EXPECT_EQ(TSocketSession::TimeOutFromSeconds(90), 90000);
    EXPECT_EQ(TSocketSession::TimeOutFromSeconds(0), 0);
    EXPECT_EQ(TSocketSession::TimeOutFromSeconds(2147483), 2147483000);
    EXPECT_EQ(TSocketSession::TimeOutFromSeconds(2147484), INT32_MAX);
    EXPECT_EQ(TSocketSession::TimeOutFromSeconds(INT32_MAX), INT32_MAX);
    EXPECT_EQ(TSocketSession::TimeOutFromSeconds(-5), -5000);
    EXPECT_EQ(TSocketSession::TimeOutFromSeconds(INT32_MIN), INT32_MIN);
}
