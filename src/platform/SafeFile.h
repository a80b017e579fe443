// Files the game writes for the player and must never lose: each is written
// whole to a temporary file beside the real one, flushed to the disk and
// renamed over it, so that a crash, a full disk or a pulled plug leaves the
// old file or the new one, never half of one. Failures come back as a reason
// the caller can show; nothing here throws.
//
// The game's temporary files are named so that no player would choose the
// name: a dot, the real file's name, a dot, a few letters or digits and the
// fixed ending ".kvspace-part" (".slot1.sav.a1B2c3.kvspace-part"). Every
// write holds the lock of its folder (FolderLock) from its temporary file to
// the rename, and the leftovers of a killed writer are removed under that
// same lock, so no game removes a temporary another running game is still
// writing, and no player's own file ("slot1.sav.backup") is ever taken for one.
//
// Saved games live in the user's XDG data folder:
// $XDG_DATA_HOME/kvspace/saves/, or ~/.local/share/kvspace/saves/.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// A folder by the XDG rules: the folder an XDG variable names (its value
// given, which may be null), or, where it is unset, empty or relative, the
// fallback (".local/share", ".config") inside the home folder. Empty when
// neither names an absolute folder.
std::string XdgFolder(const char* variable, const char* home, std::string_view fallback);

// The saves folder from the environment's XDG_DATA_HOME and HOME by that rule.
std::string SavesFolderPath(const char* dataHome, const char* home);

// What reading a file gave: its bytes, or the reason it could not be read.
struct FileRead {
    std::string Bytes;
    std::string Problem;  // empty when the file was read
    bool Missing = false; // there is no such file: not a fault in itself
};

// Reads a whole regular file of at most `mostBytes`.
FileRead ReadWholeFile(const std::string& path, std::size_t mostBytes);

// How long a writer waits for another running game to finish its write in
// the same folder before it gives up with a reason.
constexpr int MostLockWaitMs = 2000;

// The exclusive lock of a folder (made when needed) while this lives: two
// running games write the same folder in turn. A folder whose file system
// has no locks is written without one, as atomically as ever.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    // Why the folder cannot be written; empty when it is held.
    const std::string& Problem() const { return problem_; }

private:
    int fd_ = -1;
    std::string problem_;
};

// True for a name the game gives its temporary files, and no other.
bool IsGameTemporary(std::string_view fileName);

// Removes the game's temporary files in `folder` that killed writers left.
// The caller holds the folder's lock.
void RemoveLeftovers(const std::string& folder);

// The first half of a safe write: `bytes` in a new temporary file beside
// `path`, flushed to the disk. On success `temporary` names it; on failure
// nothing is left behind. The caller holds the folder's lock.
std::optional<std::string> WriteTemporary(const std::string& path, std::string_view bytes, std::string& temporary);

// The second half: the temporary file renamed over `path`, and the folder's
// entry flushed so that the rename survives a crash. On failure the
// temporary file is removed and `path` is as it was.
std::optional<std::string> CommitTemporary(const std::string& temporary, const std::string& path);

// Makes `copy` hold what `path` holds now, replacing it in one step: a second
// name of the same file where `path` is a regular file (a hard link, which
// writes nothing), otherwise a real copy of what `path` shows, so that a
// symbolic link never becomes the copy. On failure `copy` is as it was. The
// caller holds the folder's lock.
std::optional<std::string> KeepCopy(const std::string& path, const std::string& copy);

// Gives the file at `path` the name `aside` as well (a hard link), or moves
// it there where no link can be made; an existing `aside` is never replaced.
// The reason when neither could be done.
std::optional<std::string> KeepAside(const std::string& path, const std::string& aside);

// Both halves under the folder's lock, with the folder's leftovers removed
// first: `path` holds `bytes` afterwards, or is as it was.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace kv
