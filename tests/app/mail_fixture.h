#pragma once
#include "dialogs/header_viewer.h"
#include "dialogs/status_dialog.h"
#include "mail/mail_check.h"
#include "pop3/pop3_client.h"
#include "tests/support/blocking_client.h"
#include "tests/support/fake_pop3_server.h"
#include "ui_fixture.h"

#include <QTest>
#include <QToolButton>
#include <string>
#include <vector>

using Cells = std::vector<std::string>;

// A message that LIST reports as exactly `size` bytes (headers joined by LF).
inline test_support::FakeMessage SizedMessage(const std::string& header, size_t size) {
    test_support::FakeMessage message{header, "x"};
    const size_t withOneByte = test_support::WireForm(message).size();
    message.body.assign(size + 1 - withOneByte, 'x');
    return message;
}

inline test_support::FakeMessage Numbered(int n, size_t size = 300) {
    const std::string k = std::to_string(n);
    return SizedMessage("Date: Mon, " + k + " Jan 2024 10:00:00 +0000\nFrom: sender" + k +
                            "@example.com\nSubject: Message " + k + "\nMessage-ID: <" + k +
                            "@example.com>",
                        size);
}

// Another client deletes message n behind the window's back (the deletion takes effect at its
// QUIT, which has been answered when this returns).
inline void DeleteElsewhere(uint16_t port, const std::string& user, const std::string& password,
                            int n) {
    test_support::BlockingClient client(port);
    client.ReadLine();
    for (const std::string& command :
         {"USER " + user, "PASS " + password, "DELE " + std::to_string(n), std::string("QUIT")}) {
        client.Send(command + "\r\n");
        client.ReadLine();
    }
}

// A window whose account points at a local server; helpers to check, select and read the table.
class MailTest : public UiTest {
protected:
    void StartWith(const std::string& server, const std::string& user, const std::string& password,
                   bool savePassword = true) {
        WriteAccounts({{"Box", server, user, password, savePassword}});
        Start();
    }
    void StartWith(const test_support::FakePop3Server& pop, const std::string& password = "pw") {
        StartWith(Server(pop), "bob", password);
    }
    static std::string Server(const test_support::FakePop3Server& pop) {
        return "127.0.0.1:" + std::to_string(pop.Port());
    }
    TStatus& Status() { return *program->Status; }
    THeaders& Viewer() { return *program->Headers; }
    TAccount& Account() { return *Form().Accounts().Current(); }
    void ClickCheck() { Find<QToolButton>("check_mail")->click(); }
    bool WorkerRunning() { return Form().Mail().Check().WorkerRunning(); }

    // A check to its end: the status dialog closed by FinishCheck.
    bool CheckToEnd() {
        ClickCheck();
        return QTest::qWaitFor(
            [&] {
                return !WorkerRunning() && !Status().isVisible() &&
                       Form().Mail().Flags().ThreadHandle == 0;
            },
            10000);
    }
    // A check whose worker ended with this status text.
    bool CheckStopsAt(const std::string& text) {
        ClickCheck();
        return QTest::qWaitFor([&] { return !WorkerRunning() && Status().Text() == text; }, 10000);
    }

    std::vector<Cells> Table() {
        std::vector<Cells> rows;
        TMessageGrid& grid = Form().Grid();
        for (int row = 1; row < grid.RowCount(); ++row) {
            Cells cells;
            for (int column = 0; column < TMessageGrid::Columns; ++column)
                cells.push_back(grid.Cell(column, row));
            rows.push_back(cells);
        }
        return rows;
    }
    std::vector<std::string> Subjects() {
        std::vector<std::string> subjects;
        for (const Cells& row : Table())
            subjects.push_back(row[2]);
        return subjects;
    }
    // Runs act once when ready() holds, looking every 10 ms for at most 10 s; it runs inside
    // whatever event processing is going on, a check's nested waits included.
    static void WhenTrue(std::function<bool()> ready, std::function<void()> act) {
        auto tries = std::make_shared<int>(0);
        auto poll = std::make_shared<std::function<void()>>();
        *poll = [=] {
            if (ready()) {
                act();
                *poll = nullptr; // breaks the cycle
                return;
            }
            if (++*tries < 1000)
                QTimer::singleShot(10, [poll] {
                    if (*poll) (*poll)();
                });
        };
        QTimer::singleShot(0, [poll] { (*poll)(); });
    }
    void Select(int first, int last) {
        TMessageGrid& grid = Form().Grid();
        grid.clearSelection();
        grid.setCurrentCell(first - 1, 0);
        grid.setRangeSelected({first - 1, 0, last - 1, TMessageGrid::Columns - 1}, true);
    }
};
