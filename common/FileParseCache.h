// What a reader parsed of one file, kept while the file stays as it was: the
// host asks its skin definition and plug-in view INI the same questions at
// every tick, and reading and parsing them each time was a third of a tick.
// A file counts as unchanged while its size and last write time are; a
// rewrite to the same size within one tick of the file system's clock (a few
// milliseconds) is not seen until the next change, which no editor or
// install makes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>

struct FileStamp {
    bool regular = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written{};
    bool operator==(const FileStamp&) const = default;
};

inline FileStamp StampOf(const std::string& path) {
    std::error_code error;
    FileStamp stamp;
    if (!std::filesystem::is_regular_file(path, error)) return {};
    stamp.size = std::filesystem::file_size(path, error);
    if (error) return {};
    stamp.written = std::filesystem::last_write_time(path, error);
    if (error) return {};
    stamp.regular = true;
    return stamp;
}

template <typename Parsed>
class CFileParseCache {
public:
    explicit CFileParseCache(std::function<Parsed(const std::string&)> parse) : parse_(std::move(parse)) {}

    // What parse gave for path, parsed again when the path or the file changed.
    const Parsed& Get(const std::string& path) {
        const FileStamp stamp = StampOf(path);
        if (!parsed_ || path != path_ || !(stamp == stamp_)) {
            parsed_.reset();
            parsed_.emplace(parse_(path));
            path_ = path;
            stamp_ = stamp;
        }
        return *parsed_;
    }

private:
    std::function<Parsed(const std::string&)> parse_;
    std::optional<Parsed> parsed_;
    std::string path_;
    FileStamp stamp_;
};
