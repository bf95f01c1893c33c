#include "platform/translated_text.h"

#include <QCoreApplication>

std::string Translated(const char* context, const char* text, const char* disambiguation, int n) {
    return QCoreApplication::translate(context, text, disambiguation, n).toLatin1().toStdString();
}
