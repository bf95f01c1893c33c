#include "files/single_instance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// Another start of the program, on a thread of its own: the first one answers on this thread's
// event loop while the other waits for it.
bool AnotherStartFinds(const std::string& name) {
    std::atomic<bool> found = false;
    std::unique_ptr<QThread> other(
        QThread::create([&] { found = TSingleInstance(name).AnotherRuns(); }));
    other->start();
    const QDeadlineTimer deadline(10000);
    while (!other->wait(5) && !deadline.hasExpired())
        QCoreApplication::processEvents();
    return other->isFinished() && found;
}

// What a crashed program leaves: the socket's file, with nobody listening.
void LeaveStaleSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof(address.sun_path));
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
}

TEST(SingleInstance, ASecondStartRaisesTheFirstAndACrashedOnesSocketIsTakenOver) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string name = dir.filePath("instance").toStdString();
    {
        TSingleInstance first(name);
        int raised = 0;
        first.OnRaise = [&] { ++raised; };
        ASSERT_FALSE(first.AnotherRuns());
        struct stat info {};
        ASSERT_EQ(stat(name.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0077, 0u) << "only the user may ask";
        EXPECT_TRUE(AnotherStartFinds(name));
        EXPECT_TRUE(AnotherStartFinds(name));
        EXPECT_EQ(raised, 2);
    }
    EXPECT_FALSE(AnotherStartFinds(name)) << "the first has ended";

    ::unlink(name.c_str());
    LeaveStaleSocket(name);
    TSingleInstance restarted(name);
    ASSERT_FALSE(restarted.AnotherRuns());
    EXPECT_TRUE(AnotherStartFinds(name));
}

TEST(SingleInstance, TheNameIsTheUsersAndTheFolders) {
    QTemporaryDir runtime; // owner-only, as the user's runtime folder must be
    ASSERT_TRUE(runtime.isValid());
    const QByteArray before = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    const std::string a = TSingleInstance::SocketName("/home/ann/.config/vellion");
    EXPECT_EQ(a.rfind(runtime.path().toStdString() + "/vellion-", 0), 0u) << a;
    EXPECT_NE(a, TSingleInstance::SocketName("/home/ann/mail"));
    EXPECT_EQ(a, TSingleInstance::SocketName("/home/ann/.config/vellion"));
    qputenv("XDG_RUNTIME_DIR", before);
}
} // namespace
