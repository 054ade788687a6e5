#include "edid_input.h"

#include "utf8_path.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tessarin {
namespace {

std::string Hex(std::uint8_t byte)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("0x") + kHex[byte >> 4] + kHex[byte & 0xF];
}

// The test the file command applies before it shows anything, to the
// bytes as the decoder takes them (zero past the end).
std::string AcceptanceError(const std::vector<std::uint8_t>& bytes)
{
    const auto at = [&](std::size_t i) -> std::uint8_t { return i < bytes.size() ? bytes[i] : 0; };
    if (at(1) != 0xFF)
        return "not an EDID: byte 1 is " + Hex(at(1)) + ", not 0xFF";
    if (at(8) == 0)
        return "not an EDID: byte 8 is 0x00 (no manufacturer ID)";
    return "";
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

} // namespace

std::vector<std::uint8_t> DecoderBytes(std::span<const std::uint8_t> edid)
{
    std::vector<std::uint8_t> bytes(edid.begin(), edid.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(edid.size(), 256)));
    bytes.resize(256, 0);
    return bytes;
}

EdidInput ReadEdidData(std::string_view data)
{
    EdidInput result;
    // Pasted or dropped text can be anything: no more of it than of a file.
    LayoutRead read = ReadEdidLayouts(data.substr(0, kMaxInputBytes));
    result.layout = std::move(read.layout);
    if (read.edids.empty()) {
        result.error = read.eddTableUnreadable
                           ? "neither a raw EDID nor a readable .edd file (a row of its table holds a token "
                             "that is not hexadecimal)"
                           : kLayoutsTried;
        return result;
    }
    // The accepted ones kept in place, in order: most inputs are one EDID.
    auto kept = read.edids.begin();
    for (FoundEdid& edid : read.edids) {
        std::string why = AcceptanceError(edid.bytes);
        if (!why.empty()) {
            if (result.error.empty())
                result.error = std::move(why);
        } else {
            if (&*kept != &edid)
                *kept = std::move(edid);
            ++kept;
        }
    }
    read.edids.erase(kept, read.edids.end());
    result.edids = std::move(read.edids);
    if (!result.edids.empty())
        result.error.clear();
    return result;
}

EdidInput ReadEdidInput(std::istream& in)
{
    std::string data;
    // Not zeroed: a file is most often one EDID of a few hundred bytes, and
    // clearing a large buffer for it cost more than reading and decoding it.
    std::array<char, 4096> chunk;
    while (data.size() < kMaxInputBytes && in) {
        in.read(chunk.data(), static_cast<std::streamsize>(std::min(chunk.size(), kMaxInputBytes - data.size())));
        if (in.bad())
            return {{}, {}, "cannot read"};
        data.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    }
    return ReadEdidData(data);
}

EdidInput ReadEdidFile(const std::string& path)
{
#ifdef _WIN32
    const std::filesystem::path name = PathFromUtf8(path);
    std::error_code ec;
    if (std::filesystem::is_directory(name, ec))
        return {{}, {}, "is a directory"};
    std::ifstream file(name, std::ios::binary);
    if (!file)
        return {{}, {}, std::string("cannot open: ") + std::strerror(errno)};
    return ReadEdidInput(file);
#else
    // A batch reads thousands of files of a few hundred bytes each: straight
    // from the descriptor into a buffer on the stack, without a stream, a
    // path object or a heap copy for any file that fits the buffer.
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (descriptor == -1) {
        const int reason = errno;
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec))
            return {{}, {}, "is a directory"};
        return {{}, {}, std::string("cannot open: ") + std::strerror(reason)};
    }
    struct stat status{};
    if (fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
        close(descriptor);
        return {{}, {}, "is a directory"};
    }
    std::array<char, 4096> chunk;
    std::string data;
    bool failed = false;
    std::size_t held = 0; // in `chunk`, until it overflows into `data`
    while (data.size() + held < kMaxInputBytes) {
        const std::size_t room = std::min(chunk.size() - held, kMaxInputBytes - data.size() - held);
        const ssize_t count = read(descriptor, chunk.data() + held, room);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            failed = count < 0;
            break;
        }
        held += static_cast<std::size_t>(count);
        if (held == chunk.size()) {
            data.append(chunk.data(), held);
            held = 0;
        }
    }
    close(descriptor);
    if (failed)
        return {{}, {}, "cannot read"};
    if (data.empty())
        return ReadEdidData(std::string_view(chunk.data(), held));
    data.append(chunk.data(), held);
    return ReadEdidData(data);
#endif
}

std::optional<std::size_t> PickEdid(const EdidInput& input, std::string_view pick, std::string& error)
{
    const auto count = input.edids.size();
    if (!pick.empty() && pick.size() <= 6 && std::all_of(pick.begin(), pick.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const std::size_t number = std::stoul(std::string(pick));
        if (number >= 1 && number <= count)
            return number - 1;
        error = "--pick " + std::string(pick) + ": the input holds " + std::to_string(count) +
                (count == 1 ? " EDID" : " EDIDs");
        return std::nullopt;
    }
    for (std::size_t i = 0; i < count; ++i)
        if (input.edids[i].name == pick)
            return i;
    std::optional<std::size_t> match;
    for (std::size_t i = 0; i < count; ++i) {
        if (Lower(input.edids[i].name).find(Lower(pick)) == std::string::npos)
            continue;
        if (match) {
            error = "--pick " + std::string(pick) + ": more than one EDID has that in its name";
            return std::nullopt;
        }
        match = i;
    }
    if (!match) {
        std::string names;
        for (const FoundEdid& edid : input.edids)
            if (!edid.name.empty())
                names += (names.empty() ? "" : ", ") + edid.name;
        error = "--pick " + std::string(pick) + ": no EDID of that name" +
                (names.empty() ? std::string(" (the input names none)") : " (" + names + ")");
    }
    return match;
}

} // namespace tessarin
