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
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpusDir = TESSARIN_CORPUS_DIR;

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

std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The archive's regular files in order, as `tar -tv` lists them; `tar -xO`
// then streams their contents back to back.
struct Member {
    std::size_t size;
    std::string name;
};

std::vector<Member> ListMembers(const std::string& quotedArchive)
{
    std::vector<Member> members;
    std::FILE* list = popen(("tar -tvJf " + quotedArchive).c_str(), "r");
    if (list == nullptr)
        return members;
    std::array<char, 4096> line{};
    while (std::fgets(line.data(), line.size(), list) != nullptr) {
        std::istringstream fields(line.data());
        std::string mode, owner, date, time, name;
        std::size_t size = 0;
        fields >> mode >> owner >> size >> date >> time >> std::ws;
        std::getline(fields, name);
        if (mode.starts_with('-'))
            members.push_back({size, name});
    }
    if (pclose(list) != 0)
        members.clear();
    return members;
}

TEST(CorpusTest, EveryArchivedEdidDecodesAndReadsEveryProperty)
{
    const fs::path archive = kCorpusDir / "real-edids.tar.xz";
    if (!fs::exists(archive))
        GTEST_SKIP() << "no EDID archive at " << archive
                     << " (configure with -DTESSARIN_CORPUS_DIR=<folder holding real-edids.tar.xz>)";

    const std::string quoted = ShellQuoted(archive.string());
    const std::vector<Member> members = ListMembers(quoted);
    ASSERT_FALSE(members.empty()) << "tar -tvJf failed";
    std::FILE* contents = popen(("tar -xOJf " + quoted).c_str(), "r");
    ASSERT_NE(contents, nullptr) << "cannot start tar";

    // One parser for the whole run, as the application keeps one for every
    // monitor it shows.
    CEDIDParser parser;
    std::size_t binEntries = 0;
    std::size_t decoded = 0;
    std::vector<std::uint8_t> raw;
    for (const Member& member : members) {
        raw.resize(member.size);
        ASSERT_EQ(std::fread(raw.data(), 1, raw.size(), contents), raw.size()) << "tar -xO stream ends early";
        if (!member.name.ends_with(".bin"))
            continue;
        ++binEntries;
        DecodeAndWalk(parser, raw, member.name);
        if (testing::Test::HasFailure())
            break;
        ++decoded;
    }
    // Drained, so tar is not cut off by a closed pipe and its status tells whether it succeeded.
    std::array<char, 4096> sink{};
    while (std::fread(sink.data(), 1, sink.size(), contents) > 0) {
    }
    EXPECT_EQ(pclose(contents), 0) << "tar -xOJf failed";
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
