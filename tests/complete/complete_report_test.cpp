// The complete report: kept text reports of real EDIDs, the standard report
// as its exact prefix, and a cross-check against Debian's edid-decode.
#include "complete_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string_view>
#include <set>
#include <sstream>

namespace tessarin::test {
namespace {

namespace fs = std::filesystem;

const fs::path kData = TESSARIN_TEST_DATA;
const fs::path kCorpus = TESSARIN_CORPUS_DIR;

std::vector<fs::path> Edids(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().extension() == ".bin")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(CompleteReport, KeptReportsMatch)
{
    // tests/data/complete/<name>.txt for some of tests/data/<name>.bin;
    // rewritten by the update-golden target.
    int compared = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(kData / "complete", ec)) {
        const fs::path bin = kData / entry.path().filename().replace_extension(".bin");
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream expected;
        expected << in.rdbuf();
        EXPECT_EQ(BuildBoth(ReadBytes(bin)).completeText, expected.str()) << entry.path();
        ++compared;
    }
    EXPECT_GE(compared, 5);
}

// What a reader of the standard report relies on: the complete report only
// adds after it, in text and in RTF (up to the closing brace).
void ExpectPrefix(const std::vector<std::uint8_t>& edid, const std::string& name)
{
    const Reports r = BuildBoth(edid);
    ASSERT_FALSE(r.standardRtf.empty());
    EXPECT_TRUE(r.completeText.starts_with(r.standardText)) << name;
    EXPECT_GT(r.completeText.size(), r.standardText.size()) << name;
    EXPECT_TRUE(r.completeRtf.starts_with(r.standardRtf.substr(0, r.standardRtf.size() - 1))) << name;
}

TEST(CompleteReport, StandardReportIsItsPrefixOnTheTestAndSampleEdids)
{
    auto files = Edids(kData);
    const auto samples = Edids(kCorpus / "samples");
    if (samples.empty())
        std::printf("no samples folder under %s: the test EDIDs only\n", kCorpus.string().c_str());
    files.insert(files.end(), samples.begin(), samples.end());
    for (const fs::path& file : files) {
        ExpectPrefix(ReadBytes(file), file.filename().string());
        if (testing::Test::HasFailure())
            break;
    }
}

// ---- edid-decode

std::string RunCommand(const std::string& command)
{
    std::string output;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

// Cuts `text` at the first occurrence of `marker`.
std::string Before(std::string text, std::string_view marker)
{
    const auto at = text.find(marker);
    return at == std::string::npos ? text : text.substr(0, at);
}

// edid-decode's block names, made comparable with ours: no OUI, no tag
// number or company after the name, DisplayID's arabic type numbers as roman.
std::string Normalized(std::string name)
{
    name = Before(name, ", OUI ");
    name = Before(name, " (0x");
    if (name.ends_with(" (DisplayID 2)"))
        name = Before(name, " (DisplayID 2)");
    static const std::map<std::string, std::string> kRoman = {{"Type 1 ", "Type I "},   {"Type 2 ", "Type II "},
                                                              {"Type 3 ", "Type III "}, {"Type 4 ", "Type IV "},
                                                              {"Type 5 ", "Type V "},   {"Type 6 ", "Type VI "},
                                                              {"Type 7 ", "Type VII "}};
    for (const auto& [arabic, roman] : kRoman)
        if (const auto at = name.find(arabic); at != std::string::npos)
            name.replace(at, arabic.size(), roman);
    return name;
}

// "  Audio Data Block:" (a block's heading, two spaces in): its name.
std::optional<std::string> BlockHeading(const std::string& line)
{
    if (!line.starts_with("  ") || line.size() < 3 || line[2] < 'A' || line[2] > 'Z')
        return std::nullopt;
    const auto colon = line.find(':');
    const std::string name = line.substr(2, colon == std::string::npos ? std::string::npos : colon - 2);
    if (colon == std::string::npos || name.find("Data Block") == std::string::npos)
        return std::nullopt;
    return name;
}

// "    VIC  16:  1920x1080 ..." inside a video data block: 16.
std::optional<int> VicLine(const std::string& line)
{
    int vic = 0;
    char colon = 0;
    if (line.starts_with("    VIC ") && std::sscanf(line.c_str() + 8, "%d%c", &vic, &colon) == 2 && colon == ':')
        return vic;
    return std::nullopt;
}

void Titles(const Section& s, std::set<std::string>& out)
{
    out.insert(Normalized(s.title.str()));
    for (const Section& c : s.children)
        Titles(c, out);
}

TEST(CompleteReport, AgreesWithEdidDecodeOnBlocksAndVics)
{
    if (RunCommand("command -v edid-decode").empty())
        GTEST_SKIP() << "edid-decode is not installed";
    int blocks = 0;
    int vics = 0;
    for (const fs::path& file : Edids(kData)) {
        const std::string output = RunCommand("edid-decode '" + file.string() + "' 2>/dev/null");
        const auto d = complete::DecodeComplete(ReadBytes(file));
        std::set<std::string> ours;
        Titles(d.base, ours);
        for (const Section& e : d.extensions)
            Titles(e, ours);
        std::vector<int> theirVics;
        bool inVideo = false;
        std::istringstream lines(output);
        for (std::string line; std::getline(lines, line);) {
            if (const auto heading = BlockHeading(line)) {
                const std::string name = Normalized(*heading);
                inVideo = name == "Video Data Block";
                if (!name.starts_with("Unknown")) {
                    ++blocks;
                    EXPECT_TRUE(ours.contains(name)) << file.filename() << ": no section " << name;
                }
            } else if (line.starts_with("  ") && !line.starts_with("   ")) {
                inVideo = false;
            } else if (const auto vic = VicLine(line); inVideo && vic) {
                theirVics.push_back(*vic);
            }
        }
        std::vector<int> ourVics;
        for (const Section* v : All(d, "video_data_block"))
            for (const Section& c : v->children)
                if (const Field* f = FindField(c, "vic"); f != nullptr && std::holds_alternative<std::int64_t>(f->value))
                    ourVics.push_back(static_cast<int>(std::get<std::int64_t>(f->value)));
        EXPECT_EQ(ourVics, theirVics) << file.filename();
        vics += static_cast<int>(theirVics.size());
    }
    // The comparison itself is checked: edid-decode's output was read.
    EXPECT_GT(blocks, 40);
    EXPECT_GT(vics, 60);
}

} // namespace
} // namespace tessarin::test
