#include "platform/SafeFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

namespace kv {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view TemporaryEnding = ".kvspace-part";

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void SyncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Messages name the file alone: they are read in the console's one line.
std::string Name(const std::string& path) { return fs::path(path).filename().string(); }

// Why a write failed, as a player reads it.
std::string Reason(int error)
{
    switch (error) {
    case 0:  // a write that stops short without an error of its own ran out of room
    case ENOSPC: return "the disk is full";
    case EDQUOT: return "the disk quota is used up";
    case EFBIG: return "the file is larger than this disk allows";
    case EROFS: return "the disk is read-only";
    case EACCES:
    case EPERM: return "the folder may not be written to";
    default: return std::strerror(error);
    }
}

// The temporary name beside `path` with `middle` between the file's name
// and the fixed ending.
std::string TemporaryName(const std::string& path, std::string_view middle)
{
    const fs::path file(path);
    return (file.parent_path() / ("." + file.filename().string() + "." + std::string(middle) +
                                  std::string(TemporaryEnding)))
        .string();
}

// The rename alone; a name that was already the same file as `path` goes too.
std::optional<std::string> RenameOver(const std::string& temporary, const std::string& path)
{
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        return "cannot write " + Name(path) + ": " + Reason(reason);
    }
    // Renaming one of two names of a file over the other leaves both.
    ::unlink(temporary.c_str());
    return std::nullopt;
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

bool IsRegularFile(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// The file moved to `aside` unless a file is there already (false, errno
// EEXIST).
bool MoveWithoutReplacing(const std::string& path, const std::string& aside)
{
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system that cannot refuse to replace: look first.
    if (::access(aside.c_str(), F_OK) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(path.c_str(), aside.c_str()) == 0;
}

}  // namespace

std::string XdgFolder(const char* variable, const char* home, std::string_view fallback)
{
    // Relative folders in either variable are to be ignored, as the XDG
    // rules say.
    if (variable != nullptr && variable[0] == '/') return variable;
    if (home != nullptr && home[0] == '/') return std::string(home) + "/" + std::string(fallback);
    return "";
}

std::string SavesFolderPath(const char* dataHome, const char* home)
{
    const std::string data = XdgFolder(dataHome, home, ".local/share");
    return data.empty() ? "" : data + "/kvspace/saves";
}

FileRead ReadWholeFile(const std::string& path, std::size_t mostBytes)
{
    FileRead read;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
        read.Missing = true;
        read.Problem = "there is no such file";
        return read;
    }
    if (!fs::is_regular_file(status)) {
        read.Problem = "it is not a file";
        return read;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        read.Problem = std::string("cannot read it: ") + std::strerror(errno);
        return read;
    }
    // In pieces, so that a limit far above the file's size costs nothing.
    std::array<char, 65536> piece;
    while (file) {
        file.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        const auto got = static_cast<std::size_t>(file.gcount());
        if (got > mostBytes - read.Bytes.size()) {
            read.Bytes.clear();
            read.Problem = "the file is larger than it can be";
            return read;
        }
        read.Bytes.append(piece.data(), got);
    }
    if (file.bad()) {
        read.Bytes.clear();
        read.Problem = "cannot read it";
    }
    return read;
}

FolderLock::FolderLock(const std::string& folder)
{
    if (folder.empty()) {
        problem_ = "there is no home folder to keep it in";
        return;
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        problem_ = "cannot make the folder " + fs::path(folder).filename().string() + ": " + error.message();
        return;
    }
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        problem_ = "cannot open the folder " + fs::path(folder).filename().string() + ": " + Reason(errno);
        return;
    }
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(MostLockWaitMs);
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) return;  // no locks here: written unlocked
        if (std::chrono::steady_clock::now() >= giveUp) {
            problem_ = "another running game is writing in " + fs::path(folder).filename().string() +
                       "; try again";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0) ::close(fd_);
}

bool IsGameTemporary(std::string_view fileName)
{
    return fileName.size() > TemporaryEnding.size() + 1 && fileName.front() == '.' &&
           fileName.ends_with(TemporaryEnding);
}

void RemoveLeftovers(const std::string& folder)
{
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (IsGameTemporary(it->path().filename().string())) fs::remove(it->path(), ignored);
    }
}

std::optional<std::string> WriteTemporary(const std::string& path, std::string_view bytes, std::string& temporary)
{
    if (path.empty()) return std::string("there is no home folder to keep it in");
    std::string name = TemporaryName(path, "XXXXXX");
    const int fd = ::mkstemps(name.data(), static_cast<int>(TemporaryEnding.size()));
    if (fd < 0) return "cannot write in " + fs::path(path).parent_path().filename().string() + ": " + Reason(errno);
    errno = 0;
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        const int reason = written ? errno : writeError;
        ::unlink(name.c_str());
        return "cannot write " + Name(path) + ": " + Reason(reason);
    }
    temporary = std::move(name);
    return std::nullopt;
}

std::optional<std::string> CommitTemporary(const std::string& temporary, const std::string& path)
{
    if (auto problem = RenameOver(temporary, path)) return problem;
    SyncFolder(fs::path(path).parent_path());
    return std::nullopt;
}

// The link's rename is flushed with the folder by the rename that follows
// it in the same folder.
std::optional<std::string> KeepCopy(const std::string& path, const std::string& copy)
{
    if (IsRegularFile(path)) {
        if (SameFile(path, copy)) return std::nullopt;
        const std::string link = TemporaryName(copy, "link");
        ::unlink(link.c_str());
        if (::link(path.c_str(), link.c_str()) == 0) return RenameOver(link, copy);
    }
    const FileRead read = ReadWholeFile(path, SIZE_MAX);
    if (!read.Problem.empty()) return "cannot keep " + Name(path) + ": " + read.Problem;
    std::string temporary;
    if (auto problem = WriteTemporary(copy, read.Bytes, temporary)) return problem;
    return RenameOver(temporary, copy);
}

std::optional<std::string> KeepAside(const std::string& path, const std::string& aside)
{
    if (::link(path.c_str(), aside.c_str()) == 0) return std::nullopt;
    if (errno != EEXIST && MoveWithoutReplacing(path, aside)) return std::nullopt;
    return "cannot keep " + Name(path) + " as " + Name(aside) + ": " + Reason(errno);
}

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    if (path.empty()) return std::string("there is no home folder to keep it in");
    const FolderLock lock(fs::path(path).parent_path().string());
    if (!lock.Problem().empty()) return lock.Problem();
    RemoveLeftovers(fs::path(path).parent_path().string());
    std::string temporary;
    if (auto problem = WriteTemporary(path, bytes, temporary)) return problem;
    return CommitTemporary(temporary, path);
}

}  // namespace kv
