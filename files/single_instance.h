#pragma once
#include <QObject>
#include <functional>
#include <memory>
#include <string>

class QLocalServer;

// One program per user and folder of files: a second start asks the first to show its window
// and ends, so that two programs never write the same files. The first listens on a local
// socket named after the user and the folder; a socket a crashed program left behind answers
// nobody and is taken over.
class TSingleInstance : public QObject {
public:
    // The socket's name for a folder, in the user's runtime folder ($XDG_RUNTIME_DIR, or the
    // owner-only one Qt makes in the temporary folder without it).
    static std::string SocketName(const std::string& folder);

    explicit TSingleInstance(std::string name);
    ~TSingleInstance() override;

    // True when another program listens on the name; it has been asked to show its window.
    // Otherwise this one listens from now on (false), and runs OnRaise for each later start.
    bool AnotherRuns();

    std::function<void()> OnRaise;

private:
    void Answer();

    std::string name;
    std::unique_ptr<QLocalServer> server;
};
