#include "replace_file.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace tessarin {

namespace fs = std::filesystem;

namespace {

constexpr int creationAttempts = 16;

// "x": fail rather than open a file someone else created under that name.
std::FILE* CreateNewFile(const fs::path& path)
{
#ifdef _WIN32
    // msvcrt.dll, the C runtime mingw links, has no "x" mode (wine's copy
    // ignores the letter and opens a file that exists): the exclusive
    // creation it has always had, then a stream over it.
    const int descriptor = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor == -1) {
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "wb");
    if (file == nullptr) {
        _close(descriptor);
    }
    return file;
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

bool SyncToDisk(std::FILE* file)
{
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

std::uint64_t Seed()
{
    auto seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    try {
        seed ^= static_cast<std::uint64_t>(std::random_device{}()) << 32;
    } catch (const std::exception&) {
        // The clock alone still makes a name that is unlikely to be taken.
    }
    return seed;
}

// ".<name>.<random>" beside the target: same folder, so the rename stays on
// one file system, and hidden from ordinary listings while it exists.
fs::path TemporaryNameFor(const fs::path& target, std::mt19937_64& random)
{
    static constexpr char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 2);
    std::string suffix(".");
    for (int i = 0; i < 8; ++i) {
        suffix += alphabet[pick(random)];
    }
    fs::path name(".");
    name += target.filename();
    name += suffix;
    return target.parent_path() / name;
}

bool IsReadOnly(const fs::path& target)
{
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (error || !fs::exists(status)) {
        return false;
    }
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & anyWrite) == fs::perms::none;
}

bool WriteAll(std::FILE* file, std::string_view content)
{
    if (!content.empty() && std::fwrite(content.data(), 1, content.size(), file) != content.size()) {
        return false;
    }
    return std::fflush(file) == 0 && SyncToDisk(file);
}

} // namespace

bool ReplaceFileContent(const fs::path& target, std::string_view content) noexcept
{
    try {
        // Deleting and re-creating would have refused a read-only file; renaming
        // over it would not, so it is refused here.
        if (!target.has_filename() || IsReadOnly(target)) {
            return false;
        }
        std::mt19937_64 random(Seed());
        fs::path temporary;
        std::FILE* file = nullptr;
        for (int attempt = 0; attempt < creationAttempts && file == nullptr; ++attempt) {
            temporary = TemporaryNameFor(target, random);
            file = CreateNewFile(temporary);
            if (file == nullptr && errno != EEXIST) {
                return false;
            }
        }
        if (file == nullptr) {
            return false;
        }
        const bool written = WriteAll(file, content);
        const bool closed = std::fclose(file) == 0;
        std::error_code error;
        if (written && closed) {
            fs::rename(temporary, target, error);
            if (!error) {
                return true;
            }
        }
        fs::remove(temporary, error);
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace tessarin
