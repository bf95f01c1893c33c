#pragma once
#include <QWidget>
#include <string>
#include <vector>

class QCheckBox;
class QTextEdit;

// The header viewer: the kept header lines of one message, read-only, titled with its sender
// and subject. It shows them as a reader does (From, To, Subject, Date first, decoded); "Raw"
// shows the kept lines exactly, without the reply's terminator. Created hidden at start; it
// opens beside its owner; Escape or closing it only hides it.
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
    void keyPressEvent(QKeyEvent* event) override;

private:
    static constexpr QSize Roomy{560, 420}; // about 25 header lines of 80 characters
    void Render();

    QTextEdit* rich;
    QCheckBox* raw;
    std::vector<std::string> kept;
};
