// The one error type of the game's loaders: a data file that is missing,
// unreadable or not what it claims to be. It carries the path and the reason;
// the platform loop shows it once and abandons the event or tick that met it.
#pragma once

#include <stdexcept>
#include <string>

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

}  // namespace kv
