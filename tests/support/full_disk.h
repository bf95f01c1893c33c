#pragma once
// Full and read-only file systems for tests of saving, header-only so that any test can use it.
#include <csignal>
#include <fcntl.h>
#include <linux/capability.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace test_support {

// A small tmpfs mounted on an empty directory for the life of the object, where the process may
// mount (as root); Mounted() tells. Fill() then uses up its space.
class SmallTmpfs {
public:
    explicit SmallTmpfs(std::string dir) : dir_(std::move(dir)) {
        mounted_ = ::mount("tmpfs", dir_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallTmpfs() {
        if (mounted_) ::umount2(dir_.c_str(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool Mounted() const { return mounted_; }
    // Writes a filler file until the file system refuses a byte more (64 KB take 16 pages).
    void Fill() const {
        const int fd = ::open((dir_ + "/filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0) return;
        const std::string block(4096, 'f');
        for (int i = 0; i < 64 && ::write(fd, block.data(), block.size()) > 0; ++i) {
        }
        ::close(fd);
    }

private:
    std::string dir_;
    bool mounted_ = false;
};

// No file of this process grows beyond `bytes` while the object lives; a write past the limit
// fails (SIGXFSZ ignored) as it would on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*handler_)(int);
};

// The calling thread obeys file permissions while the object lives, even as root: the
// capabilities that override them leave its effective set (they stay permitted).
class FilePermissionsApply {
public:
    FilePermissionsApply() {
        ::syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            reduced[cap / 32].effective &= ~(1u << (cap % 32));
        ::syscall(SYS_capset, &header_, reduced);
    }
    ~FilePermissionsApply() { ::syscall(SYS_capset, &header_, saved_); }
    FilePermissionsApply(const FilePermissionsApply&) = delete;
    FilePermissionsApply& operator=(const FilePermissionsApply&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};

} // namespace test_support
