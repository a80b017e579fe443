#include "platform/SafeFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace kv {

namespace {

namespace fs = std::filesystem;

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

std::string Reason(int error)
{
    // A write that stops short without an error of its own ran out of room.
    return std::strerror(error != 0 ? error : ENOSPC);
}

// A temporary file of `path` as WriteTemporary names it: the file's name, a
// dot and mkstemp's six letters and digits.
bool IsTemporaryOf(const fs::path& candidate, const std::string& name)
{
    const std::string other = candidate.filename().string();
    if (other.size() != name.size() + 7 || other.compare(0, name.size() + 1, name + ".") != 0) return false;
    return std::all_of(other.end() - 6, other.end(), [](unsigned char c) { return std::isalnum(c) != 0; });
}

// A writer killed between its temporary file and the rename leaves the
// temporary behind; the next write of the same file removes it.
void RemoveStrayTemporaries(const std::string& path)
{
    const fs::path file(path);
    const std::string name = file.filename().string();
    std::error_code error;
    for (fs::directory_iterator it(file.parent_path(), error), end; !error && it != end; it.increment(error))
        if (IsTemporaryOf(it->path(), name)) fs::remove(it->path(), error);
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

std::optional<std::string> WriteTemporary(const std::string& path, std::string_view bytes, std::string& temporary)
{
    if (path.empty()) return std::string("there is no home folder to keep it in");
    const fs::path folder = fs::path(path).parent_path();
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return "cannot make the folder " + folder.filename().string() + ": " + error.message();
    RemoveStrayTemporaries(path);
    std::string name = path + ".XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return "cannot write in " + folder.filename().string() + ": " + std::strerror(errno);
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
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        return "cannot write " + Name(path) + ": " + Reason(reason);
    }
    SyncFolder(fs::path(path).parent_path());
    return std::nullopt;
}

std::optional<std::string> KeepCopy(const std::string& path, const std::string& copy)
{
    const std::string link = copy + ".link";
    ::unlink(link.c_str());
    if (::link(path.c_str(), link.c_str()) != 0) {
        const FileRead read = ReadWholeFile(path, SIZE_MAX);
        if (!read.Problem.empty()) return "cannot keep " + Name(path) + ": " + read.Problem;
        return WriteFileAtomically(copy, read.Bytes);
    }
    return CommitTemporary(link, copy);
}

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    std::string temporary;
    if (auto problem = WriteTemporary(path, bytes, temporary)) return problem;
    return CommitTemporary(temporary, path);
}

}  // namespace kv
