#include "platform/DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/LoadError.h"

namespace kv {

namespace {

// Closes the descriptor when reading ends, however it ends.
class OpenFile {
public:
    explicit OpenFile(const std::string& path) : fd_(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~OpenFile()
    {
        if (fd_ >= 0) close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int Descriptor() const { return fd_; }

private:
    int fd_;
};

std::string WhyNotOpened(int error)
{
    if (error == ENOENT || error == ENOTDIR) return "file not found";
    if (error == EACCES || error == EPERM) return "the file may not be read (no permission)";
    return std::string("cannot open the file: ") + std::strerror(error);
}

// What a path that is not a regular file names instead, in the player's words.
std::string WhatItIs(mode_t mode)
{
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "something else";
}

}  // namespace

std::vector<uint8_t> ReadDataFile(const std::string& realPath, const std::string& shownPath, std::size_t maxBytes)
{
    const OpenFile file(realPath);
    if (file.Descriptor() < 0) throw LoadError(shownPath, WhyNotOpened(errno));
    struct stat status {};
    if (fstat(file.Descriptor(), &status) != 0) throw LoadError(shownPath, WhyNotOpened(errno));
    if (!S_ISREG(status.st_mode)) throw LoadError(shownPath, "not a file but " + WhatItIs(status.st_mode));
    const auto size = static_cast<uintmax_t>(status.st_size);
    if (size > maxBytes)
        throw LoadError(shownPath, "the file has " + std::to_string(size) + " bytes, more than the " +
                                       std::to_string(maxBytes) + " such a file may have");
    std::vector<uint8_t> bytes;
    NamingTheFileWhenMemoryRunsOut(shownPath, [&] { bytes.resize(static_cast<std::size_t>(size)); });
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = read(file.Descriptor(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw LoadError(shownPath, std::string("read error: ") + std::strerror(errno));
        if (got == 0) break;  // the file shrank while it was read
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace kv
