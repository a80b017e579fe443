// Files the game writes for the player and must never lose: each is written
// whole to a temporary file beside the real one, flushed to the disk and
// renamed over it, so that a crash, a full disk or a pulled plug leaves the
// old file or the new one, never half of one. Failures come back as a reason
// the caller can show; nothing here throws.
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

// The first half of a safe write: `bytes` in a new temporary file beside
// `path` (its folder made when needed), flushed to the disk. On success
// `temporary` names it; on failure nothing is left behind. The temporaries
// of `path` that a killed writer left are removed first.
std::optional<std::string> WriteTemporary(const std::string& path, std::string_view bytes, std::string& temporary);

// The second half: the temporary file renamed over `path`, and the folder's
// entry flushed so that the rename survives a crash. On failure the
// temporary file is removed and `path` is as it was.
std::optional<std::string> CommitTemporary(const std::string& temporary, const std::string& path);

// Makes `copy` hold what `path` holds now, replacing it in one step: a second
// name of the same file (a hard link, which writes nothing), or a flushed
// copy where the file system has no hard links. On failure `copy` is as it
// was.
std::optional<std::string> KeepCopy(const std::string& path, const std::string& copy);

// Both halves: `path` holds `bytes` afterwards, or is as it was.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace kv
