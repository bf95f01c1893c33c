#include "app/program.h"

#include "app/main_window.h"
#include "dialogs/header_viewer.h"
#include "dialogs/status_dialog.h"

TProgram::TProgram()
    : Form1(std::make_unique<TForm1>()), Headers(new THeaders(Form1.get())),
      Status(new TStatus(Form1.get())) {
    Form1->AttachWindows(Headers, Status);
}

TProgram::~TProgram() = default;
