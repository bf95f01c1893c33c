#pragma once
#include <QCoreApplication>
#include <memory>

class QSplitter;
class QTimer;
struct TAccount;
class TAccounts;
class TBodyPanels;
struct TDesktopSettings;
class TMailOperations;
class TMailPreview;
class TMessageGrid;
class TPreviewPane;

// The main window's preview pane: the first lines of the current message, read on a connection
// of its own (preview/mail_preview.h) once the selection has rested a moment, so that running
// through the table with the keys opens no connection per row passed. It puts the table above
// the pane in a splitter of the table side.
class TWindowPreview {
    Q_DECLARE_TR_FUNCTIONS(TForm1)
public:
    TWindowPreview(TBodyPanels& body, TMessageGrid& table, TAccounts& list, TMailOperations& ops,
                   const TDesktopSettings& settings);
    ~TWindowPreview();
    TWindowPreview(const TWindowPreview&) = delete;
    TWindowPreview& operator=(const TWindowPreview&) = delete;

    // A new selection: what is shown goes, and the current row is read once it settles.
    void Schedule();
    // A check or a deletion takes the mailbox: a preview on its way is given up.
    void Stop();

    QSplitter& Split() const { return *tableSplit; }
    TPreviewPane& Pane() const { return *previewPane; }
    TMailPreview& Reader() const { return *preview; }

private:
    // A preview the check read with the headers is shown at once; otherwise it is read now,
    // never while another mail operation holds the mailbox.
    void ReadPreview();
    bool ShowCheckedPreview(const TAccount* account);

    TMessageGrid* grid;
    TAccounts* accounts;
    TMailOperations* mail;
    const TDesktopSettings& desktop;
    QSplitter* tableSplit = nullptr; // the table above the preview
    TPreviewPane* previewPane = nullptr;
    std::unique_ptr<TMailPreview> preview;
    QTimer* previewTimer = nullptr;
};
