#pragma once
#include <QWidget>
#include <string>
#include <vector>

class QCheckBox;
class QTextEdit;

// The header viewer: the kept header lines of one message, read-only. It shows them as the
// server meant them (decoded, dot-stuffing undone, no terminator); "Raw" shows the kept lines
// exactly. Created hidden at start; it opens centred over its owner; closing it only hides it.
class THeaders : public QWidget {
    Q_OBJECT
public:
    explicit THeaders(QWidget* parent = nullptr);

    // Replaces the whole text, one view line per header line.
    void ShowLines(const std::vector<std::string>& lines);
    // The lines the view shows now (UTF-8 when decoded, the kept bytes when raw).
    std::vector<std::string> Lines() const;
    void SetRaw(bool raw);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Render();

    QTextEdit* rich;
    QCheckBox* raw;
    std::vector<std::string> kept;
};
