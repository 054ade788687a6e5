// tessarin-report run in-process: what it writes where, what it refuses, and
// the exit status a script sees.
#include "edid_layouts.h"
#include "point_separator.h"
#include "report_tool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include "test_files.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using test::ReadText;

const fs::path kData = TESSARIN_TEST_DATA;

void Spit(const fs::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

class ReportTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::UsePointDecimalSeparator();
        dir_ = fs::temp_directory_path() /
               ("tessarin-report-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    int Run(std::vector<std::string> args, const std::string& stdinText = "")
    {
        std::istringstream in(stdinText);
        out_.str("");
        err_.str("");
        return RunReportTool(args, in, out_, err_);
    }

    fs::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(ReportTool, UsageErrorsExitTwoWithTheUsageLineAndWriteNothing)
{
    const std::string bin = (kData / "GSM-7045A2DA2452.bin").string();
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--bogus", bin},
        {"--format", "pdf", bin},
        {"--format"},
        {"--output", "a", "--output-dir", "b", bin},
        {bin, bin},
        {"--output-dir", dir_.string(), "-", "-"},
        {"--format", "rtf", "--format=text", bin},
        {"--diff", bin},
        {"--diff", "--format", "json", bin, bin},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(Run(args), 2) << ::testing::PrintToString(args);
        EXPECT_NE(err_.str().find("usage: tessarin-report [--format rtf|text|edd|bin|hex|json]"), std::string::npos);
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_TRUE(fs::is_empty(dir_));
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out_.str().find("usage:"), std::string::npos);
    EXPECT_EQ(Run({"--version", bin}), 0);
}

TEST_F(ReportTool, FormatsMatchTheKeptReportsAndTheDataFile)
{
    const fs::path bin = kData / "GSM-7045A2DA2452.bin";
    // --standard: the report alone, as kept; the complete decode follows it by default.
    ASSERT_EQ(Run({"--standard", bin.string()}), 0);
    EXPECT_EQ(out_.str(), ReadText(kData / "GSM-7045A2DA2452.rtf"));
    ASSERT_EQ(Run({"--format=text", "--standard", bin.string()}), 0);
    EXPECT_EQ(out_.str(), ReadText(kData / "GSM-7045A2DA2452.txt"));

    ASSERT_EQ(Run({"--format", "edd", bin.string()}), 0);
    const std::string edd = out_.str();
    EXPECT_TRUE(edd.starts_with("EDID DATA\r\n"));
    // The data file, read from standard input, is the same EDID: the same report.
    ASSERT_EQ(Run({"--format", "text", "--standard", "-"}, edd), 0);
    EXPECT_EQ(out_.str(), ReadText(kData / "GSM-7045A2DA2452.txt"));
}

TEST_F(ReportTool, RefusedInputsAreNamedOnStandardErrorAndExitOne)
{
    std::string noMaker = ReadText(kData / "ADI-6060E8A29762.bin");
    noMaker[8] = 0;
    Spit(dir_ / "nomaker.bin", noMaker);
    Spit(dir_ / "junk.txt", "hello\n");
    Spit(dir_ / "badhex.edd", "-----------\n 00: 00 FF ZZ\n");

    EXPECT_EQ(Run({(dir_ / "nomaker.bin").string()}), 1);
    EXPECT_EQ(err_.str(), "tessarin-report: " + (dir_ / "nomaker.bin").string() +
                              ": not an EDID: byte 8 is 0x00 (no manufacturer ID)\n");
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(Run({(dir_ / "junk.txt").string()}), 1);
    EXPECT_NE(err_.str().find("junk.txt: neither a raw EDID nor an .edd file with a hex table"), std::string::npos);
    EXPECT_EQ(Run({(dir_ / "badhex.edd").string()}), 1);
    EXPECT_NE(err_.str().find("badhex.edd: neither a raw EDID nor a readable .edd file"), std::string::npos);
    EXPECT_EQ(Run({(dir_ / "missing.bin").string()}), 1);
    EXPECT_NE(err_.str().find("missing.bin: cannot open: No such file or directory"), std::string::npos);
    EXPECT_EQ(Run({dir_.string()}), 1);
    EXPECT_NE(err_.str().find(": is a directory"), std::string::npos);
    EXPECT_EQ(Run({"-"}, "junk"), 1);
    EXPECT_EQ(err_.str(), std::string("tessarin-report: standard input: ") + kLayoutsTried + "\n");
    // A name cannot write to the terminal.
    EXPECT_EQ(Run({"no\nsuch\x1b[2J.bin"}), 1);
    // Windows refuses such a name outright rather than not finding it.
    EXPECT_EQ(err_.str().rfind("tessarin-report: 'no\\nsuch\\x1b[2J.bin': cannot open: ", 0), 0u);
}

// An input that never ends, like /dev/zero or a pipe that stays open.
class EndlessZeros final : public std::streambuf {
protected:
    int_type underflow() override
    {
        setg(zeros_.data(), zeros_.data(), zeros_.data() + zeros_.size());
        return traits_type::to_int_type(zeros_[0]);
    }

private:
    std::array<char, 4096> zeros_{};
};

TEST_F(ReportTool, EndlessInputIsReadOnlyAsFarAsAnEddFileCanGo)
{
    EndlessZeros zeros;
    std::istream in(&zeros);
    EXPECT_EQ(RunReportTool(std::vector<std::string>{"-"}, in, out_, err_), 1);
    EXPECT_EQ(err_.str(), std::string("tessarin-report: standard input: ") + kLayoutsTried + "\n");
}

TEST_F(ReportTool, OutputDirGetsOneFilePerInputAndSkipsTheRefused)
{
    fs::create_directories(dir_ / "a");
    fs::create_directories(dir_ / "b");
    fs::copy_file(kData / "CPQ-227CE6ADB604.bin", dir_ / "a" / "x.bin");
    fs::copy_file(kData / "DWE-BA7CED78EA62.bin", dir_ / "b" / "x.bin");
    Spit(dir_ / "bad.bin", "nope");
    const fs::path out = dir_ / "out" / "nested";
    const std::string raw = ReadText(kData / "ADI-6060E8A29762.bin");
    EXPECT_EQ(Run({"--format", "text", "--standard", "--output-dir", out.string(), (dir_ / "a" / "x.bin").string(),
                   (dir_ / "bad.bin").string(), "-", (dir_ / "b" / "x.bin").string()},
                  raw),
              1);
    EXPECT_EQ(ReadText(out / "x.txt"), ReadText(kData / "CPQ-227CE6ADB604.txt")); // the first x.bin only
    EXPECT_EQ(ReadText(out / "stdin.txt"), ReadText(kData / "ADI-6060E8A29762.txt"));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(out))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"stdin.txt", "x.txt"}));
    EXPECT_NE(err_.str().find("bad.bin: neither a raw EDID"), std::string::npos);
    EXPECT_NE(err_.str().find((fs::path("b") / "x.bin").string() + ": skipped: its output x.txt is that of"),
              std::string::npos);
    EXPECT_EQ(out_.str(), "");
}

TEST_F(ReportTool, OutputNamesEndWhereTheInputsLastDotStarts)
{
    const std::array<std::pair<const char*, const char*>, 5> cases{{
        {"plain", "plain.json"},
        {"two.dots.bin", "two.dots.json"},
        {".hidden", ".hidden.json"},
        {"..bin", "..json"},
        {"trailing.", "trailing.json"},
    }};
    std::vector<std::string> args{"--format", "json", "--output-dir", (dir_ / "out").string()};
    std::vector<std::string> expected;
    for (const auto& [input, output] : cases) {
        fs::copy_file(kData / "CPQ-227CE6ADB604.bin", dir_ / input);
        args.push_back((dir_ / input).string());
        expected.push_back(output);
    }
    ASSERT_EQ(Run(args), 0) << err_.str();
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_ / "out"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
}

TEST_F(ReportTool, OutputFileIsReplacedWholeOrNotAtAll)
{
    const fs::path target = dir_ / "report.rtf";
    Spit(target, "old");
    ASSERT_EQ(Run({"--standard", "--output", target.string(), (kData / "CPQ-227CE6ADB604.bin").string()}), 0);
    EXPECT_EQ(ReadText(target), ReadText(kData / "CPQ-227CE6ADB604.rtf"));
    EXPECT_EQ(out_.str(), "");

    // A refused input leaves the old report as it was.
    Spit(target, "old");
    EXPECT_EQ(Run({"--output", target.string(), (dir_ / "missing.bin").string()}), 1);
    EXPECT_EQ(ReadText(target), "old");

    // A target that cannot be replaced: reported, the old file intact.
    fs::permissions(target, fs::perms::owner_read);
    EXPECT_EQ(Run({"--output", target.string(), (kData / "CPQ-227CE6ADB604.bin").string()}), 1);
    EXPECT_NE(err_.str().find("report.rtf: cannot write"), std::string::npos);
    fs::permissions(target, fs::perms::owner_all);
    EXPECT_EQ(ReadText(target), "old");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ReportTool, AnEdidAmongSeveralIsPickedAndWrittenAsBytesOrHex)
{
    const std::string xrandr = (kData / "layouts" / "GSM-SAM.xrandr-verbose").string();
    EXPECT_EQ(Run({"--format", "bin", xrandr}), 1);
    EXPECT_NE(err_.str().find("holds 2 EDIDs (1 HDMI-1, 2 DP-1): choose one with --pick"), std::string::npos);
    ASSERT_EQ(Run({"--format", "bin", "--pick", "DP-1", xrandr}), 0) << err_.str();
    EXPECT_EQ(out_.str(), ReadText(kData / "SAM-0D66531D4F35.bin"));
    EXPECT_EQ(Run({"--pick", "3", xrandr}), 1);

    // Every block goes out as read, the third too, and hex reads back.
    const std::string threeBlocks =
        ReadText(kData / "GSM-7045A2DA2452.bin") + ReadText(kData / "SAM-0D66531D4F35.bin").substr(128);
    ASSERT_EQ(Run({"--format", "hex", "-"}, threeBlocks), 0);
    const std::string hex = out_.str();
    EXPECT_EQ(std::count(hex.begin(), hex.end(), '\n'), 24);
    EXPECT_TRUE(hex.starts_with("00 ff ff ff ff ff ff 00 1e 6d 01 00 01 01 01 01\n"));
    ASSERT_EQ(Run({"--format", "bin", "-"}, hex), 0);
    EXPECT_EQ(out_.str(), threeBlocks);
}

TEST_F(ReportTool, RedactedCopiesLoseTheSerialsButNotTheChecksumVerdicts)
{
    std::string edid = ReadText(kData / "APP-edid-decode-apple-cinemahd-30-dvi.bin");
    ASSERT_NE(edid.find("CY73602KXMP"), std::string::npos);
    edid[127] = static_cast<char>(edid[127] + 1); // block 0 now sums to 1
    ASSERT_EQ(Run({"--redact", "--format", "bin", "-"}, edid), 0);
    const std::string redacted = out_.str();
    ASSERT_EQ(redacted.size(), 256u);
    EXPECT_EQ(redacted.substr(12, 4), std::string(4, '\0'));
    EXPECT_EQ(redacted.find("CY73602KXMP"), std::string::npos);
    EXPECT_NE(redacted.find(std::string("\0\0\0\xFF\0", 5) + std::string(13, ' ')), std::string::npos);
    const auto sum = [](const std::string& bytes, std::size_t from) {
        unsigned total = 0;
        for (std::size_t i = from; i < from + 128; ++i)
            total += static_cast<unsigned char>(bytes[i]);
        return total % 256;
    };
    EXPECT_EQ(sum(redacted, 0), 1u);
    EXPECT_EQ(redacted.substr(128), edid.substr(128));

    ASSERT_EQ(Run({"--redact", "--format", "text", "-"}, edid), 0);
    EXPECT_NE(out_.str().find("Redacted Copy"), std::string::npos);
    ASSERT_EQ(Run({"--redact", "--format", "json", "-"}, edid), 0);
    EXPECT_NE(out_.str().find("\"redacted\": true"), std::string::npos);
    EXPECT_NE(out_.str().find("\"checksum_valid\": false"), std::string::npos);
}

TEST_F(ReportTool, DiffListsTheFieldsThatDifferAndExitsByTheOutcome)
{
    const std::string bin = (kData / "AOC-1C42FD9DA200.bin").string();
    EXPECT_EQ(Run({"--diff", bin, (kData / "layouts" / "AOC-1C42FD9DA200.xxd").string()}), 0);
    EXPECT_EQ(out_.str(), "");

    Spit(dir_ / "redacted.bin", [&] {
        Run({"--redact", "--format", "bin", bin});
        return out_.str();
    }());
    EXPECT_EQ(Run({"--diff", bin, (dir_ / "redacted.bin").string()}), 1);
    EXPECT_NE(out_.str().find("standard.identification.serial_number\t"), std::string::npos);
    EXPECT_NE(out_.str().find("blocks[0].checksum\t"), std::string::npos);
    EXPECT_EQ(out_.str().find("standard.identification.manufacturer_id"), std::string::npos);

    EXPECT_EQ(Run({"--diff", bin, (dir_ / "missing.bin").string()}), 2);
}

} // namespace
} // namespace tessarin
