// The certificate dialog, and the trust decision with its pins, also asked from a worker.
#include "dialogs/certificate_dialog.h"
#include "mail/certificate_trust.h"
#include "pop3/pop3_client.h"
#include "secrets/pin_store.h"
#include "tests/pop3/pop3_test_support.h"
#include "tests/support/scripted_peer.h"
#include "tests/support/temp_working_dir.h"
#include "tests/support/test_certs.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {
TCertificateReport Report(const std::string& fingerprint) {
    return {"the certificate is self-signed", "CN=mail.example",         "CN=mail.example",
            "2026-01-01 00:00:00 UTC",        "2027-01-01 00:00:00 UTC", fingerprint};
}

struct Asked {
    std::string server;
    bool changed;
    bool onUiThread;
};

class CertificateTrustTest : public test_support::TempWorkingDirTest {
protected:
    void SetUp() override {
        TempWorkingDirTest::SetUp();
        SetCertificateQuestion(
            [this](const std::string& server, const TCertificateReport&, bool changed) {
                asked.push_back({server, changed, QThread::currentThread() == qApp->thread()});
                return answer;
            });
    }
    void TearDown() override {
        SetCertificateQuestion({});
        TempWorkingDirTest::TearDown();
    }

    // Decides on a worker thread while this one serves the user interface (at most 5 s).
    bool TrustFromWorker(const TCertificateReport& report, std::function<bool()> abandoned = {}) {
        std::atomic<bool> finished{false};
        bool trusted = false;
        std::thread worker([&] {
            trusted = TrustCertificate("localhost:995", report, abandoned);
            finished = true;
        });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!finished && std::chrono::steady_clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        worker.join();
        QCoreApplication::processEvents(); // a question given up must not be asked late
        return trusted;
    }

    std::vector<Asked> asked;
    bool answer = false;
};

TEST_F(CertificateTrustTest, RefusedTrustedSilentThenAskedAgainWhenChanged) {
    const struct {
        const char* fingerprint;
        bool answer;
        bool trusted;
        int asks;     // questions so far
        bool changed; // what the last question said
    } steps[] = {
        {"AA:01", false, false, 1, false}, // refused: nothing pinned
        {"AA:01", true, true, 2, false},   // trusted and pinned
        {"AA:01", false, true, 2, false},  // accepted silently
        {"AA:02", false, false, 3, true},  // the server's certificate changed
        {"AA:02", true, true, 4, true},    {"AA:02", false, true, 4, true},
    };
    for (const auto& step : steps) {
        answer = step.answer;
        EXPECT_EQ(TrustFromWorker(Report(step.fingerprint)), step.trusted) << step.fingerprint;
        ASSERT_EQ(asked.size(), static_cast<size_t>(step.asks)) << step.fingerprint;
        EXPECT_EQ(asked.back().changed, step.changed);
        EXPECT_EQ(asked.back().server, "localhost:995");
        EXPECT_TRUE(asked.back().onUiThread);
    }
    TPinStore pins;
    ASSERT_TRUE(pins.Load());
    EXPECT_EQ(pins.Check("localhost:995", "AA:02"), TPinStore::TPin::Same);
}

TEST_F(CertificateTrustTest, AnAbandonedWaitAsksNothing) {
    answer = true;
    EXPECT_FALSE(TrustFromWorker(Report("AA:01"), [] { return true; }));
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(QFile::exists("mail.pin"));
}

// Each certificate that fails verification, presented by a scripted server over TLS: refused,
// trusted, accepted silently, then asked again once the server presents another one.
TEST_F(CertificateTrustTest, EachBadCertificateOverAConnection) {
    using test_support::Script;
    TTlsChannel::TrustAlsoAuthority(test_support::CertPath("ca"));
    for (const char* cert : {"expired", "otherhost", "selfsigned"}) {
        SCOPED_TRACE(cert);
        asked.clear();
        const struct {
            const char* cert;
            bool answer;
            bool connects;
            size_t asks;
            bool changed;
        } steps[] = {{cert, false, false, 1, false},
                     {cert, true, true, 2, false},
                     {cert, false, true, 2, false},
                     {"selfsigned2", false, false, 3, true}};
        std::vector<Script> scripts;
        for (const auto& step : steps) {
            Script script;
            script.Tls(step.cert);
            if (step.connects) LogInAndQuit(script);
            scripts.push_back(script);
        }
        test_support::ScriptedPeer peer(scripts);
        TPop3Client client;
        client.Host = "127.0.0.1";
        client.Port = peer.Port();
        client.Security = TTransportSecurity::Tls;
        client.TimeOut = 5000;
        client.UserID = "bob";
        client.Password = "pw";
        const std::string server = "127.0.0.1:" + std::to_string(peer.Port());
        client.OnUntrustedCertificate = [&](const TCertificateReport& report) {
            return TrustCertificate(server, report, [&] { return client.Canceled(); });
        };
        for (size_t i = 0; i < std::size(steps); ++i) {
            answer = steps[i].answer;
            std::string failure = "(did not end)";
            std::atomic<bool> finished{false};
            std::thread worker([&] {
                try {
                    client.Connect();
                    failure.clear();
                } catch (const std::exception& error) {
                    failure = error.what();
                }
                finished = true;
            });
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!finished && std::chrono::steady_clock::now() < deadline)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            worker.join();
            if (steps[i].connects) {
                EXPECT_EQ(failure, "") << i;
                client.Disconnect();
            } else {
                EXPECT_EQ(failure.rfind("Certificate not trusted: the certificate ", 0), 0u)
                    << failure;
                EXPECT_EQ(peer.Received(i), "") << "nothing may pass before the decision";
            }
            EXPECT_FALSE(client.Connected());
            ASSERT_EQ(asked.size(), steps[i].asks) << i;
            EXPECT_EQ(asked.back().changed, steps[i].changed) << i;
            EXPECT_EQ(asked.back().server, server);
            EXPECT_TRUE(asked.back().onUiThread);
        }
    }
}

TEST(CertificateDialog, ShowsTheCertificateAndTrustsOnlyWhenAsked) {
    for (const bool changed : {false, true}) {
        TCertificateDialog dialog("localhost:995", Report("AB:CD"), changed);
        auto text = [&](const char* name) { return dialog.findChild<QLabel*>(name)->text(); };
        EXPECT_TRUE(text("reason").startsWith("The certificate of localhost:995 is not trusted: "
                                              "the certificate is self-signed."));
        EXPECT_EQ(text("reason").contains("changed"), changed);
        EXPECT_TRUE(text("trust_effect").contains("accepted for localhost:995 from now on"));
        EXPECT_EQ(text("subject"), "CN=mail.example");
        EXPECT_EQ(text("issuer"), "CN=mail.example");
        EXPECT_EQ(text("valid_from"), "2026-01-01 00:00:00 UTC");
        EXPECT_EQ(text("valid_until"), "2027-01-01 00:00:00 UTC");
        EXPECT_EQ(text("fingerprint"), "AB:CD");
        dialog.show();
        const QRect screen = dialog.screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(dialog.frameGeometry())) << "on screen at any scale factor";
        QTest::mouseClick(dialog.findChild<QPushButton*>(changed ? "trust" : "cancel"),
                          Qt::LeftButton);
        EXPECT_EQ(dialog.result(), changed ? QDialog::Accepted : QDialog::Rejected);
    }
}

// The dialog as the check shows it: a key press on whatever has the focus pins nothing.
TEST_F(CertificateTrustTest, SpaceOrReturnOnTheShownDialogPinsNothing) {
    SetCertificateQuestion({});
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        bool focusOnCancel = false, leftOpen = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) return;
            focusOnCancel = dialog->focusWidget() == dialog->findChild<QPushButton*>("cancel");
            QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, key);
            QTimer::singleShot(0, [&, dialog = QPointer<QWidget>(dialog)] {
                leftOpen = dialog && dialog->isVisible();
                if (leftOpen) static_cast<QDialog*>(dialog.data())->reject();
            });
        });
        EXPECT_FALSE(TrustCertificate("localhost:995", Report("AA:01"))) << key;
        EXPECT_TRUE(focusOnCancel);
        EXPECT_FALSE(leftOpen) << key;
        EXPECT_FALSE(QFile::exists("mail.pin"));
    }
}

} // namespace
