#pragma once
#include <QWidget>
#include <string>

class QLabel;
class QPlainTextEdit;
struct TPreview;

// The pane below the message table: the first lines of the selected message, wrapped, and the
// names and sizes of its attachments (never fetched).
class TPreviewPane : public QWidget {
    Q_OBJECT
public:
    explicit TPreviewPane(QWidget* parent = nullptr);

    void ShowPreview(const TPreview& preview);
    // A word instead of a preview ("Reading..." or why there is none); UTF-8.
    void ShowNote(const std::string& note);
    void Clear();

    QString Text() const;
    QString Attachments() const;

private:
    QPlainTextEdit* text;
    QLabel* attachments;
};
