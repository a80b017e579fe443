// The one error type of the game's loaders: a data file that is missing,
// unreadable or not what it claims to be. It carries the path and the reason;
// the platform loop shows it once and abandons the event or tick that met it.
#pragma once

#include <new>
#include <stdexcept>
#include <string>
#include <utility>

namespace kv {

class LoadError : public std::runtime_error {
public:
    LoadError(std::string path, const std::string& reason)
        : std::runtime_error("Cannot load \"" + path + "\": " + reason), path_(std::move(path))
    {
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Runs `work`, which builds something from the file at `path`; a failed
// allocation on the way becomes a LoadError naming that file. A picture too
// large for this machine is a bad data file, not a reason to end the game.
template <class Work>
decltype(auto) NamingTheFileWhenMemoryRunsOut(const std::string& path, Work&& work)
{
    try {
        return std::forward<Work>(work)();
    } catch (const std::bad_alloc&) {
        throw LoadError(path, "not enough memory for what the file holds");
    } catch (const std::length_error&) {
        throw LoadError(path, "not enough memory for what the file holds");
    }
}

}  // namespace kv
