#pragma once

// Installs the widget-backed answer to the system's message boxes (QMessageBox), titled with
// the application title unless the request names a caption.
void InstallQtMessageBoxHandler();
