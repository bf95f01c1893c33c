#pragma once
#include <QWidget>
#include <string>
#include <vector>

class QTextEdit;

// The header viewer: the kept header lines of one message, read-only. Created hidden at start;
// closing it only hides it.
class THeaders : public QWidget {
    Q_OBJECT
public:
    explicit THeaders(QWidget* parent = nullptr);

    // Replaces the whole text, one view line per header line.
    void ShowLines(const std::vector<std::string>& lines);
    std::vector<std::string> Lines() const;

private:
    QTextEdit* rich;
};
