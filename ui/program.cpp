#include "ui/program.h"

#include "ui/header_viewer.h"
#include "ui/main_window.h"
#include "ui/status_dialog.h"

TProgram::TProgram()
    : Form1(std::make_unique<TForm1>()), Headers(new THeaders(Form1.get())),
      Status(new TStatus(Form1.get())) {
    Form1->AttachWindows(Headers, Status);
}

TProgram::~TProgram() = default;
