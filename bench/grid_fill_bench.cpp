// The message table filled with 20,000 messages of realistic headers, as a check fills it (row by
// row, painted every 50 ms), then sorted, painted at the top and the bottom and shown again from
// the cache, beside a plain QTableWidget given the same shown texts and tooltips the same way.
// Each side runs in a process of its own, so that its CPU time and its peak memory are its own;
// the figures are the medians of the rounds. Targets: CPU and memory each at most 1.0 of the
// plain table's.
//
//   QT_QPA_PLATFORM=offscreen grid_fill_bench [rows] [rounds]
#include "bench/median.h"
#include "bench/messy_header.h"
#include "mime/header_text.h"
#include "mime/mail_date.h"
#include "mime/shown_header.h"
#include "widgets/batched_repaint.h"
#include "widgets/message_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

struct TFigures {
    double cpuSeconds = 0;
    double peakMB = 0; // above the resident memory before the table was made
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double PeakMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

double ResidentMB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096 / (1024 * 1024);
}

struct TMailbox {
    std::vector<std::vector<std::string>> headers;
    std::vector<std::string> rows;
    std::vector<THeaderLines> cached; // the headers as the account keeps them
};

TMailbox Mailbox(int count) {
    TMailbox box;
    for (int i = 0; i < count; ++i) {
        box.headers.push_back(messy::Header(i));
        box.rows.push_back(messy::Row(box.headers.back(), i));
        box.cached.emplace_back(box.headers.back());
    }
    return box;
}

std::vector<std::string> Cells(std::string line) {
    std::vector<std::string> cells;
    for (size_t at; (at = line.find(TMessageGrid::Separator)) != std::string::npos;) {
        cells.push_back(line.substr(0, at));
        line.erase(0, at + 1);
    }
    cells.push_back(line);
    return cells;
}

// Shown on the screen, painted at the top and at the bottom.
void Paint(QAbstractItemView& view) {
    view.scrollToTop();
    view.viewport()->repaint();
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    view.viewport()->repaint();
    QCoreApplication::processEvents();
}

void RunGrid(const TMailbox& box) {
    TMessageGrid grid;
    grid.SetHeadings();
    grid.resize(1000, 700);
    grid.show();
    QCoreApplication::processEvents();
    {
        TMessageGrid::TFilling filling(grid);
        for (int message = 1; message <= static_cast<int>(box.rows.size()); ++message) {
            grid.SetRowCount(message + 1);
            grid.SetRow(message, box.rows[message - 1], box.cached[message - 1]);
            filling.Changed();
            QCoreApplication::processEvents(); // what the check's waits do
        }
    }
    grid.Sort();
    Paint(grid);
    grid.SetSort(0, Qt::AscendingOrder);
    Paint(grid);
    grid.ShowRows(box.rows, box.cached); // the account shown again from the cache
    Paint(grid);
}

// What the table shows of a message: text and tooltip per column.
std::array<std::pair<QString, QString>, TMessageGrid::Columns>
ShownTexts(const std::vector<std::string>& header, const std::string& row) {
    const TShownHeader shown = ShownHeader(header);
    const std::vector<std::string> cells = Cells(row);
    auto q = [](const std::string& utf8) { return QString::fromStdString(utf8); };
    const auto moment = shown.Moment ? shown.Moment : ParseMailDate(cells[0]);
    const QString date = moment ? q(LocalDateText(*moment)) : QString();
    const QString from =
        q(shown.From.Shown.empty() ? DecodeHeaderText(cells[1]) : shown.From.Shown);
    const QString subject = q(shown.Subject.empty() ? DecodeHeaderText(cells[2]) : shown.Subject);
    return {{{date, q(shown.DateText)},
             {from, shown.From.Tooltip.empty() ? from : q(shown.From.Tooltip)},
             {subject, subject},
             {q(cells[3]), QString()},
             {q(shown.MessageId), q(shown.MessageId)}}};
}

void RunPlain(
    const TMailbox& box,
    const std::vector<std::array<std::pair<QString, QString>, TMessageGrid::Columns>>& texts) {
    QTableWidget table(0, TMessageGrid::Columns);
    table.setHorizontalHeaderLabels({"Date", "From", "Subject", "Size (KB)", "MessageID"});
    table.verticalHeader()->hide(); // as the message table: no column of row numbers
    table.resize(1000, 700);
    table.show();
    QCoreApplication::processEvents();
    auto fill = [&](int row) {
        for (int column = 0; column < TMessageGrid::Columns; ++column) {
            auto* item = new QTableWidgetItem(texts[row][column].first);
            item->setToolTip(texts[row][column].second);
            table.setItem(row, column, item);
        }
    };
    {
        TBatchedRepaint batches(table);
        for (int row = 0; row < static_cast<int>(box.rows.size()); ++row) {
            table.setRowCount(row + 1);
            fill(row);
            batches.Changed();
            QCoreApplication::processEvents();
        }
    }
    table.sortItems(0);
    Paint(table);
    table.sortItems(1);
    Paint(table);
    table.setRowCount(0);
    table.setRowCount(static_cast<int>(box.rows.size()));
    for (int row = 0; row < static_cast<int>(box.rows.size()); ++row)
        fill(row);
    table.sortItems(1);
    Paint(table);
}

// One side in this process: prints "<cpu seconds> <peak MB>".
int RunSide(int argc, char** argv, bool grid, int rows) {
    QApplication app(argc, argv);
    const TMailbox box = Mailbox(rows);
    std::vector<std::array<std::pair<QString, QString>, TMessageGrid::Columns>> texts;
    if (!grid)
        for (int i = 0; i < rows; ++i)
            texts.push_back(ShownTexts(box.headers[i], box.rows[i]));
    const double before = ResidentMB();
    const double start = CpuSeconds();
    if (grid)
        RunGrid(box);
    else
        RunPlain(box, texts);
    std::printf("%.4f %.2f\n", CpuSeconds() - start, PeakMB() - before);
    return 0;
}

TFigures RunChild(const char* self, const char* side, int rows) {
    const std::string command =
        std::string(self) + " --side " + side + " " + std::to_string(rows) + " 2>/dev/null";
    TFigures figures;
    if (FILE* out = popen(command.c_str(), "r")) {
        if (std::fscanf(out, "%lf %lf", &figures.cpuSeconds, &figures.peakMB) != 2)
            figures = {-1, -1};
        pclose(out);
    }
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 3 && std::strcmp(argv[1], "--side") == 0)
        return RunSide(argc, argv, std::strcmp(argv[2], "grid") == 0, std::atoi(argv[3]));
    const int rows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::vector<double> gridCpu, gridMemory, plainCpu, plainMemory;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    for (int round = 0; round < rounds; ++round) {
        const TFigures ours = RunChild(self.c_str(), "grid", rows);
        const TFigures peer = RunChild(self.c_str(), "plain", rows);
        if (ours.cpuSeconds < 0 || peer.cpuSeconds < 0) {
            std::fprintf(stderr, "a side failed\n");
            return 1;
        }
        gridCpu.push_back(ours.cpuSeconds);
        gridMemory.push_back(ours.peakMB);
        plainCpu.push_back(peer.cpuSeconds);
        plainMemory.push_back(peer.peakMB);
    }
    const double cpu = Median(gridCpu) / Median(plainCpu);
    const double memory = Median(gridMemory) / Median(plainMemory);
    std::printf("%d rows, %d rounds (medians)\n", rows, rounds);
    std::printf("message table   CPU %.3f s, peak memory +%.1f MB\n", Median(gridCpu),
                Median(gridMemory));
    std::printf("plain QTableWidget CPU %.3f s, peak memory +%.1f MB\n", Median(plainCpu),
                Median(plainMemory));
    std::printf("ratio CPU %.2f, memory %.2f\n", cpu, memory);
    return cpu <= 1.0 && memory <= 1.0 ? 0 : 1;
}
