#pragma once
#include <memory>

class TForm1;
class THeaders;
class TStatus;

// The program's three windows, created in the order of start-up: the main window (which reads
// its settings and accounts as it is created), then the header viewer and the status dialog,
// both hidden.
struct TProgram {
    TProgram();
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    std::unique_ptr<TForm1> Form1;
    THeaders* Headers = nullptr; // owned by Form1 (a window of its own)
    TStatus* Status = nullptr;   // owned by Form1 (a window of its own)
};
