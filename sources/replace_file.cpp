#include "replace_file.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tessarin {

namespace fs = std::filesystem;

namespace {

constexpr int creationAttempts = 16;
// As the kernel's own limit on a path's links: beyond it, a loop.
constexpr int maxLinkHops = 40;

#ifdef _WIN32
// Fails rather than open a file someone else created under that name.
std::FILE* CreateNewFile(const fs::path& path)
{
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
}

bool WriteAll(std::FILE* file, std::string_view content)
{
    return content.empty() || std::fwrite(content.data(), 1, content.size(), file) == content.size();
}
#else
// Straight to the descriptor: a report goes out in one call, and a stream
// over it only added its buffer, its allocation and a copy.
bool WriteAll(int descriptor, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = write(descriptor, content.data(), content.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// As editors do: the new file gets the old one's owner, group and mode, so a
// private file stays private. Only root may give a file away; anyone may
// give it a group of their own. What cannot be kept stays ours, and then no
// set-id bit is carried over to an owner nobody chose.
bool KeepOwnerAndMode(int descriptor, const struct stat& old)
{
    if (fchown(descriptor, old.st_uid, old.st_gid) != 0 &&
        fchown(descriptor, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // Neither: ours, in our group.
    }
    struct stat now{};
    mode_t mode = old.st_mode & 07777;
    if (fstat(descriptor, &now) != 0 || now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
        mode &= ~static_cast<mode_t>(S_ISUID | S_ISGID);
    }
    return fchmod(descriptor, mode) == 0;
}
#endif

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

// Seeded once per thread: a fresh engine's seeding cost more than the rest
// of writing a report's file, and a batch writes thousands.
std::string RandomSuffix()
{
    thread_local std::mt19937_64 random(Seed());
    static constexpr char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    constexpr std::uint64_t letters = sizeof alphabet - 1;
    // One draw holds the eight letters (36 to the 8th is below 2 to the 42nd).
    std::uint64_t draw = random();
    std::string suffix(".");
    for (int i = 0; i < 8; ++i) {
        suffix += alphabet[draw % letters];
        draw /= letters;
    }
    return suffix;
}

// ".tessarin-<name>.<random>" beside the target: same folder, so the rename
// stays on one file system; hidden from ordinary listings while it exists,
// and recognisable as ours should a kill leave it behind.
#ifdef _WIN32
fs::path TemporaryNameFor(const fs::path& target)
{
    fs::path name(".tessarin-");
    name += target.filename();
    name += RandomSuffix();
    return target.parent_path() / name;
}
#else
// Made as text: the path arithmetic cost more than the rest of the write.
std::string TemporaryNameFor(const std::string& target)
{
    const std::size_t slash = target.rfind('/');
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    std::string temporary;
    temporary.reserve(target.size() + 20);
    temporary.append(target, 0, name).append(".tessarin-").append(target, name, std::string::npos);
    return temporary += RandomSuffix();
}
#endif

bool IsReadOnly(const fs::file_status& status)
{
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & anyWrite) == fs::perms::none;
}

// The file a chain of symbolic links ends at (the path itself when it is no
// link), which need not exist yet: replacing it keeps the links, and every
// other name the file has through them. Empty for a loop or an unreadable link.
fs::path FollowLinks(fs::path path)
{
    for (int hop = 0; hop < maxLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) {
            return path;
        }
        const fs::path link = fs::read_symlink(path, error);
        if (error) {
            return {};
        }
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return {};
}

// A device, a FIFO or a socket stays what it is (renaming a file over
// /dev/null would replace the system's device): the content goes into it as
// a shell's redirection would send it. A socket cannot be opened: refused.
bool WriteInPlace(const fs::path& target, std::string_view content)
{
#ifdef _WIN32
    std::FILE* file = _wfopen(target.c_str(), L"wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = WriteAll(file, content) && std::fflush(file) == 0;
    return std::fclose(file) == 0 && written;
#else
    const int descriptor = open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (descriptor == -1) {
        return false;
    }
    const bool written = WriteAll(descriptor, content);
    return close(descriptor) == 0 && written;
#endif
}

#ifdef _WIN32
bool ReplaceRegularFile(const fs::path& target, std::string_view content)
{
    fs::path temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < creationAttempts && file == nullptr; ++attempt) {
        temporary = TemporaryNameFor(target);
        file = CreateNewFile(temporary);
        if (file == nullptr && errno != EEXIST) {
            return false;
        }
    }
    if (file == nullptr) {
        return false;
    }
    const bool written = WriteAll(file, content) && std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
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
}
#else
// `old`: the regular file being replaced; nullptr when there is none.
bool ReplaceRegularFile(const std::string& target, const struct stat* old, std::string_view content)
{
    std::string temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < creationAttempts && descriptor == -1; ++attempt) {
        temporary = TemporaryNameFor(target);
        // Exclusive: never a file someone else created under that name.
        // Readable by us alone until it has the old file's mode.
        descriptor = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, old ? 0600 : 0666);
        if (descriptor == -1 && errno != EEXIST) {
            return false;
        }
    }
    if (descriptor == -1) {
        return false;
    }
    if (old) {
        KeepOwnerAndMode(descriptor, *old);
    }
    const bool written = WriteAll(descriptor, content) && fsync(descriptor) == 0;
    const bool closed = close(descriptor) == 0;
    if (written && closed && std::rename(temporary.c_str(), target.c_str()) == 0) {
        return true;
    }
    unlink(temporary.c_str());
    return false;
}
#endif

#ifndef _WIN32
// The common case, a regular file or none yet under a name that is no link,
// settled by one look at the name (a batch writes thousands); nullopt for
// any other.
std::optional<bool> ReplaceUsualTarget(const std::string& target, std::string_view content)
{
    struct stat own{};
    const bool found = ::lstat(target.c_str(), &own) == 0;
    if (!(found ? S_ISREG(own.st_mode) : errno == ENOENT)) {
        return std::nullopt;
    }
    if (found && (own.st_mode & 0222) == 0) {
        return false; // read-only: refused, as in ReplaceFileContent
    }
    return ReplaceRegularFile(target, found ? &own : nullptr, content);
}
#endif

} // namespace

bool ReplaceFileContent(const fs::path& target, std::string_view content) noexcept
{
    try {
        if (!target.has_filename()) {
            return false;
        }
#ifndef _WIN32
        if (const auto replaced = ReplaceUsualTarget(target.native(), content)) {
            return *replaced;
        }
#endif
        std::error_code error;
        const fs::file_status status = fs::status(target, error); // through the links
        if (fs::exists(status) && !fs::is_regular_file(status)) {
            return !fs::is_directory(status) && WriteInPlace(target, content);
        }
        // Deleting and re-creating would have refused a read-only file; renaming
        // over it would not, so it is refused here.
        if (fs::exists(status) && IsReadOnly(status)) {
            return false;
        }
        const fs::path file = FollowLinks(target);
        if (file.empty()) {
            return false;
        }
#ifdef _WIN32
        return ReplaceRegularFile(file, content);
#else
        struct stat old{};
        const bool replacing = ::stat(file.c_str(), &old) == 0 && S_ISREG(old.st_mode);
        return ReplaceRegularFile(file.native(), replacing ? &old : nullptr, content);
#endif
    } catch (const std::exception&) {
        return false;
    }
}

bool ReplaceFileContent(const fs::path::string_type& target, std::string_view content) noexcept
{
    try {
#ifndef _WIN32
        // Without a file name (empty, or ending in a separator): as has_filename().
        if (target.empty() || target.back() == '/') {
            return false;
        }
        if (const auto replaced = ReplaceUsualTarget(target, content)) {
            return *replaced;
        }
#endif
        return ReplaceFileContent(fs::path(target), content);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace tessarin
