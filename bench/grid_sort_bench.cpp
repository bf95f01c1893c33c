// Sorting the message table by each column beside a plain QTableWidget holding the same shown
// texts, in one run. The ratio is what the table's own keys (dates, sizes, message numbers kept
// with their rows) cost over Qt's text comparison. Target: at most 1.2 for every column.
//
//   QT_QPA_PLATFORM=offscreen grid_sort_bench [rows] [rounds]
#include "bench/median.h"
#include "widgets/message_grid.h"

#include <QApplication>
#include <QTableWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Row i of a mailbox: varied dates, senders with and without names, subjects and sizes.
std::vector<std::string> Header(int i) {
    const std::string n = std::to_string(i * 7919 % 100003);
    const std::string date = "Date: Mon, " + std::to_string(1 + i % 28) + " " + Months[i % 12] +
                             " " + std::to_string(2000 + i % 25) + " " +
                             std::to_string(10 + i % 13) + ":" + std::to_string(10 + i % 50) +
                             ":00 +0000";
    const std::string from = i % 3 == 0 ? "From: user" + n + "@example.com"
                                        : "From: \"Sender " + n + "\" <s" + n + "@example.com>";
    return {date, from, "Subject: Report " + n + " of the week", "Message-ID: <" + n + "@x>"};
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::vector<std::string> lines;
    std::vector<std::vector<std::string>> headers;
    for (int i = 0; i < rows; ++i) {
        headers.push_back(Header(i));
        const std::string size = std::to_string(1 + i * 31 % 5000);
        lines.push_back(headers.back()[0].substr(6) + TMessageGrid::Separator +
                        headers.back()[1].substr(6) + TMessageGrid::Separator +
                        headers.back()[2].substr(9) + TMessageGrid::Separator + size +
                        TMessageGrid::Separator + headers.back()[3].substr(12));
    }
    TMessageGrid grid;
    grid.ShowRows(lines, std::vector<THeaderLines>(headers.begin(), headers.end()));
    QTableWidget plain(rows, TMessageGrid::Columns);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < TMessageGrid::Columns; ++column)
            plain.setItem(row, column,
                          new QTableWidgetItem(QString::fromStdString(
                              grid.ShownCell(column, grid.MessageAt(row + 1)))));
    bool within = true;
    for (int column = 0; column < TMessageGrid::Columns; ++column) {
        std::vector<double> ours;
        std::vector<double> peer;
        for (int round = 0; round < rounds; ++round)
            for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
                ours.push_back(Seconds([&] { grid.SetSort(column, order); }));
                peer.push_back(Seconds([&] { plain.sortItems(column, order); }));
            }
        const double ratio = Median(ours) / Median(peer);
        within = within && ratio <= 1.2;
        std::printf("column %d: table %.1f ms, plain QTableWidget %.1f ms, ratio %.2f\n", column,
                    Median(ours) * 1000, Median(peer) * 1000, ratio);
    }
    std::printf("%d rows: %s\n", rows, within ? "every ratio at most 1.2" : "a ratio above 1.2");
    return within ? 0 : 1;
}
