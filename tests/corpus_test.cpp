// Every real EDID we have, decoded and read property by property: the archive
// straight from its compressed stream (nothing extracted to disk) and the
// curated samples folder. A crash, a sanitizer report or an exception other
// than DecodeError fails the test, naming the EDID.
#include "edid_parser.h"
#include "property_walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpusDir = TESSARIN_CORPUS_DIR;
constexpr std::size_t kTarBlock = 512;

// What a source hands the decoder: the first 256 bytes, zero-padded.
std::array<std::uint8_t, CEDIDParser::EDIDSize> FirstBlocks(std::span<const std::uint8_t> raw)
{
    std::array<std::uint8_t, CEDIDParser::EDIDSize> edid{};
    std::copy_n(raw.begin(), std::min(raw.size(), edid.size()), edid.begin());
    return edid;
}

// Decodes `raw` into the long-lived `parser` and walks it; failures name the EDID.
// Returns the walk's checksum (0 when the walk failed).
std::uint64_t DecodeAndWalk(CEDIDParser& parser, std::span<const std::uint8_t> raw, const std::string& name)
{
    const auto edid = FirstBlocks(raw);
    if (!parser.UpdateEDIDDataFromArray(edid)) {
        ADD_FAILURE() << name << ": 256 bytes were refused";
        return 0;
    }
    try {
        return ReadEveryProperty(parser);
    } catch (const std::exception& e) {
        ADD_FAILURE() << name << ": " << e.what();
    } catch (...) {
        ADD_FAILURE() << name << ": unknown exception";
    }
    return 0;
}

// A ustar stream read header by header from a pipe.
class TarStream {
public:
    struct Entry {
        std::string name;
        char type = '0';
        std::vector<std::uint8_t> content;
    };

    explicit TarStream(std::FILE* in) : in_(in) {}

    // The next entry; false at the end-of-archive block or on a malformed
    // stream (then error() says why).
    bool Next(Entry& entry)
    {
        std::array<std::uint8_t, kTarBlock> header{};
        if (!ReadExactly(header)) {
            error_ = "stream ends without the end-of-archive block";
            return false;
        }
        if (std::all_of(header.begin(), header.end(), [](std::uint8_t b) { return b == 0; }))
            return false;
        if (!ChecksumMatches(header)) {
            error_ = "header checksum mismatch";
            return false;
        }
        std::uint64_t size = 0;
        if (!ParseOctal(Field(header, 124, 12), size) || size > (1u << 24)) {
            error_ = "bad size field";
            return false;
        }
        const std::string_view prefix = Field(header, 345, 155);
        entry.name = prefix.empty() ? std::string(Field(header, 0, 100))
                                    : std::string(prefix) + "/" + std::string(Field(header, 0, 100));
        entry.type = static_cast<char>(header[156]);
        const std::size_t padded = (static_cast<std::size_t>(size) + kTarBlock - 1) / kTarBlock * kTarBlock;
        entry.content.resize(padded);
        if (!ReadExactly(entry.content)) {
            error_ = "stream ends inside " + entry.name;
            return false;
        }
        entry.content.resize(static_cast<std::size_t>(size));
        return true;
    }

    // Reads what follows the end-of-archive block, so the decompressor is not
    // cut off by a closed pipe and its exit status tells whether it succeeded.
    void Drain()
    {
        std::array<char, 4096> sink{};
        while (std::fread(sink.data(), 1, sink.size(), in_) > 0) {
        }
    }

    const std::string& error() const noexcept { return error_; }

private:
    bool ReadExactly(std::span<std::uint8_t> out)
    {
        return std::fread(out.data(), 1, out.size(), in_) == out.size();
    }

    static std::string_view Field(std::span<const std::uint8_t, kTarBlock> header, std::size_t at,
                                  std::size_t length)
    {
        const auto* first = reinterpret_cast<const char*>(header.data() + at);
        const std::string_view field(first, length);
        return field.substr(0, field.find('\0'));
    }

    static bool ParseOctal(std::string_view field, std::uint64_t& value)
    {
        const auto begin = field.find_first_not_of(' ');
        if (begin == std::string_view::npos)
            return false;
        value = 0;
        for (const char c : field.substr(begin)) {
            if (c == ' ')
                break;
            if (c < '0' || c > '7')
                return false;
            value = value * 8 + static_cast<std::uint64_t>(c - '0');
        }
        return true;
    }

    // The header's byte sum, its own checksum field counted as blanks.
    static bool ChecksumMatches(std::span<const std::uint8_t, kTarBlock> header)
    {
        std::uint64_t stored = 0;
        if (!ParseOctal(Field(header, 148, 8), stored))
            return false;
        std::uint64_t sum = 0;
        for (std::size_t i = 0; i < kTarBlock; ++i)
            sum += (i >= 148 && i < 156) ? std::uint64_t{' '} : header[i];
        return sum == stored;
    }

    std::FILE* in_;
    std::string error_;
};

std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool IsRegularFile(char type)
{
    return type == '0' || type == '\0';
}

TEST(CorpusTest, EveryArchivedEdidDecodesAndReadsEveryProperty)
{
    const fs::path archive = kCorpusDir / "real-edids.tar.xz";
    if (!fs::exists(archive))
        GTEST_SKIP() << "no EDID archive at " << archive
                     << " (configure with -DTESSARIN_CORPUS_DIR=<folder holding real-edids.tar.xz>)";

    std::FILE* xz = popen(("xz -dc -- " + ShellQuoted(archive.string())).c_str(), "r");
    ASSERT_NE(xz, nullptr) << "cannot start xz";

    // One parser for the whole run, as the application keeps one for every
    // monitor it shows.
    CEDIDParser parser;
    TarStream tar(xz);
    TarStream::Entry entry;
    std::size_t binEntries = 0;
    std::size_t decoded = 0;
    while (tar.Next(entry)) {
        if (!IsRegularFile(entry.type) || !entry.name.ends_with(".bin"))
            continue;
        ++binEntries;
        DecodeAndWalk(parser, entry.content, entry.name);
        if (testing::Test::HasFailure())
            break;
        ++decoded;
    }
    const std::string streamError = tar.error();
    tar.Drain();
    const int status = pclose(xz);

    EXPECT_EQ(streamError, "");
    EXPECT_EQ(status, 0) << "xz -dc failed";
    EXPECT_EQ(decoded, binEntries);
    EXPECT_GT(binEntries, 140000u);
    std::printf("decoded %zu EDIDs from %s\n", decoded, archive.string().c_str());
}

std::vector<std::uint8_t> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CorpusTest, SamplesDecodeTheSameInAReusedParserAsInAFreshOne)
{
    const fs::path samples = kCorpusDir / "samples";
    if (!fs::is_directory(samples))
        GTEST_SKIP() << "no samples folder at " << samples
                     << " (configure with -DTESSARIN_CORPUS_DIR=<folder holding samples/>)";

    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(samples))
        if (item.is_regular_file() && item.path().extension() == ".bin")
            files.push_back(item.path());
    std::sort(files.begin(), files.end());
    ASSERT_EQ(files.size(), 300u);

    // The samples are picked for variety, so consecutive loads switch between
    // analog and digital, with and without an extension: any value that
    // survives a load differs from what a fresh parser reads.
    CEDIDParser reused;
    for (const fs::path& file : files) {
        const std::vector<std::uint8_t> raw = ReadFile(file);
        const std::string name = file.filename().string();
        const std::uint64_t afterOthers = DecodeAndWalk(reused, raw, name);
        CEDIDParser fresh;
        const std::uint64_t alone = DecodeAndWalk(fresh, raw, name);
        EXPECT_EQ(afterOthers, alone) << name << " reads differently after other EDIDs";
    }
}

} // namespace
} // namespace tessarin
