#include "edid_input.h"

#include "edd_file.h"
#include "utf8_path.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <streambuf>

namespace tessarin {
namespace {

constexpr std::size_t kEdidSize = 256;
constexpr std::size_t kMaxRawBytes = 256 * 128;
constexpr std::array<char, 8> kHeader = {0, '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', 0};

// An ".edd" file is a few kilobytes; no more than this is read as one, so
// an endless input (/dev/zero, a pipe that never closes) ends like a file
// without a table instead of keeping the tool busy for ever.
constexpr std::size_t kMaxEddBytes = 1 << 20;

// Gives back the bytes already taken to look at the header, then the rest
// of the stream up to kMaxEddBytes in all, so the ".edd" reader sees the
// input from its start (standard input cannot be rewound).
class PrefixedStreambuf final : public std::streambuf {
public:
    PrefixedStreambuf(std::string prefix, std::streambuf& rest)
        : prefix_(std::move(prefix))
        , rest_(rest)
        , remaining_(kMaxEddBytes - std::min(prefix_.size(), kMaxEddBytes))
    {
        setg(prefix_.data(), prefix_.data(), prefix_.data() + prefix_.size());
    }

protected:
    int_type underflow() override
    {
        if (gptr() < egptr())
            return traits_type::to_int_type(*gptr());
        const std::size_t wanted = std::min(buffer_.size(), remaining_);
        if (wanted == 0)
            return traits_type::eof();
        const std::streamsize n = rest_.sgetn(buffer_.data(), static_cast<std::streamsize>(wanted));
        if (n <= 0)
            return traits_type::eof();
        remaining_ -= static_cast<std::size_t>(n);
        setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
        return traits_type::to_int_type(*gptr());
    }

private:
    std::string prefix_;
    std::streambuf& rest_;
    std::size_t remaining_;
    std::array<char, 4096> buffer_{};
};

std::string Hex(std::uint8_t byte)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("0x") + kHex[byte >> 4] + kHex[byte & 0xF];
}

// The test the file command applies before it shows anything.
std::string AcceptanceError(const std::vector<std::uint8_t>& edid)
{
    if (edid[1] != 0xFF)
        return "not an EDID: byte 1 is " + Hex(edid[1]) + ", not 0xFF";
    if (edid[8] == 0)
        return "not an EDID: byte 8 is 0x00 (no manufacturer ID)";
    return "";
}

} // namespace

EdidInput ReadEdidInput(std::istream& in)
{
    EdidInput result;
    std::string head(kHeader.size(), '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        result.error = "cannot read";
        return result;
    }
    if (std::equal(head.begin(), head.end(), kHeader.begin(), kHeader.end())) {
        result.edid.assign(head.begin(), head.end());
        result.edid.resize(kMaxRawBytes, 0);
        in.read(reinterpret_cast<char*>(result.edid.data() + head.size()),
                static_cast<std::streamsize>(kMaxRawBytes - head.size()));
        if (in.bad()) {
            result.error = "cannot read";
            return result;
        }
        result.length = head.size() + static_cast<std::size_t>(in.gcount());
        result.edid.resize(std::max(result.length, kEdidSize));
    } else {
        PrefixedStreambuf joined(std::move(head), *in.rdbuf());
        std::istream edd(&joined);
        if (!LoadDataFile(edd, result.edid)) {
            result.error = "neither a raw EDID nor a readable .edd file "
                           "(a row of its table holds a token that is not hexadecimal)";
            return result;
        }
        result.length = result.edid.size();
    }
    result.error = AcceptanceError(result.edid);
    return result;
}

EdidInput ReadEdidFile(const std::string& path)
{
    const std::filesystem::path name = PathFromUtf8(path);
    std::error_code ec;
    if (std::filesystem::is_directory(name, ec))
        return {{}, "is a directory"};
    std::ifstream file(name, std::ios::binary);
    if (!file)
        return {{}, std::string("cannot open: ") + std::strerror(errno)};
    return ReadEdidInput(file);
}

} // namespace tessarin
