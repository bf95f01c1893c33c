#include "signin/browser.h"

#include <QProcess>

bool TCommandBrowser::Open(const std::string& url) {
    return QProcess::startDetached(QString::fromStdString(program), {QString::fromStdString(url)});
}
