#pragma once
// Replacing a file's content so that a failure at any point leaves the old
// file as it was: the text goes to a new file beside it, which is flushed to
// disk and only then renamed over the target.
#include <filesystem>
#include <string_view>

namespace tessarin {

// Writes `content` as the whole of `target`, creating it when it does not
// exist. False, with the target untouched and no temporary file left, when
// the folder cannot take a new file, the write fails, the target cannot be
// replaced, or the target is marked read-only. Never throws.
//
// What the target is decides how: a regular file is replaced by a new one
// (".tessarin-<name>.<random>" until the rename) with the old one's mode,
// and its owner and group where the process may give them; a symbolic link
// is followed and the file it ends at replaced, the link kept; a device, a
// FIFO or a socket is written in place, as a shell's redirection would. A
// hard-linked file comes out of the replacement as a file of its own.
bool ReplaceFileContent(const std::filesystem::path& target, std::string_view content) noexcept;
// The same for a name in the system's own form, which needs no path object
// in the common case: a batch writes thousands of files.
bool ReplaceFileContent(const std::filesystem::path::string_type& target, std::string_view content) noexcept;

} // namespace tessarin
