// The ".edd" file: what is written byte for byte, what loads back, the odd
// files people hand-edit, files that are not an EDID dump at all, and a save
// that must never lose the file it replaces.
#include "edd_file.h"
#include "edd_table_reader.h"
#include "edd_text.h"
#include "edid_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::string_view separator = "----------------------------------------------------";

// Every byte its own offset, a standard header, and a 1920x1080 148.5 MHz
// timing in descriptor 1.
Bytes SampleEdid()
{
    Bytes edid(256);
    for (std::size_t i = 0; i < edid.size(); ++i)
        edid[i] = static_cast<std::uint8_t>(i);
    const std::array<std::uint8_t, 8> header{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    const std::array<std::uint8_t, 18> timing{0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58,
                                              0x2C, 0x45, 0x00, 0x56, 0x50, 0x21, 0x00, 0x00, 0x1E};
    std::copy(header.begin(), header.end(), edid.begin());
    std::copy(timing.begin(), timing.end(), edid.begin() + 54);
    return edid;
}

std::vector<std::string> SplitCRLF(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text does not end with CR LF";
    return lines;
}

std::string ReadFile(const fs::path& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, std::string_view text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::set<std::string> Listing(const fs::path& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Removed with what a test left read-only in it.
struct TempDir {
    TempDir() { fs::create_directories(path_); }
    ~TempDir()
    {
        std::error_code error;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path_, error))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(path_, error);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }

    const fs::path path_ = fs::temp_directory_path() / ("tessarin-edd-" + std::to_string(std::random_device{}()));
};

struct LoadResult {
    bool ok;
    Bytes edid;
};

LoadResult Load(const std::string& text)
{
    std::istringstream in(text);
    LoadResult result{false, Bytes(7, 0xAA)};
    result.ok = LoadDataFile(in, result.edid);
    return result;
}

// The table text with `rows` as its row lines, separated by `end`.
std::string Table(const std::vector<std::string>& rows, std::string_view end = "\r\n")
{
    std::string text = "EDID DATA";
    text += end;
    text += end;
    text += separator;
    for (const std::string& row : rows) {
        text += end;
        text += row;
    }
    return text;
}

Bytes Expected(std::initializer_list<std::pair<std::size_t, std::uint8_t>> set)
{
    Bytes edid(256, 0);
    for (const auto& [index, value] : set)
        edid[index] = value;
    return edid;
}

// ---------------------------------------------------------------- writing

class EddWriting : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(parser_.UpdateEDIDDataFromArray(edid_)); }
    Bytes edid_ = SampleEdid();
    CEDIDParser parser_;
};

TEST_F(EddWriting, FullEdidGivesHeadingSixteenRowsAndTheFirstTimingSummary)
{
    // The summary reads slot 1 whatever slot the window last selected, and leaves the selection alone.
    parser_.DetailedTimingIndex(2);
    const std::vector<std::string> lines = SplitCRLF(FormatDataFile(edid_, parser_, '.'));
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_EQ(parser_.DetailedTimingIndex(), 2);

    EXPECT_EQ(lines[0], "EDID DATA");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "     00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F");
    EXPECT_EQ(lines[3], separator);
    EXPECT_EQ(lines[4], " 00: 00 FF FF FF FF FF FF 00 08 09 0A 0B 0C 0D 0E 0F");
    EXPECT_EQ(lines[7], " 30: 30 31 32 33 34 35 02 3A 80 18 71 38 2D 40 58 2C");
    EXPECT_EQ(lines[19], " F0: F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF");
    for (std::size_t row = 4; row < 20; ++row) {
        EXPECT_EQ(lines[row].size(), 52u) << row;
    }
    const std::vector<std::string> summary(lines.begin() + 20, lines.end());
    const std::vector<std::string> expected{
        "", "PixelClock = 148.5", "",
        "HorizontalActive = 1920", "HorizontalFrontPorch = 88", "HorizontalBlanking = 280",
        "HorizontalSyncPulseWidth = 44", "HorizontalPolarity = True", "",
        "VerticalActive = 1080", "VerticalFrontPorch = 4", "VerticalBlanking = 45",
        "VerticalSyncPulseWidth = 5", "VerticalPolarity = True"};
    EXPECT_EQ(summary, expected);
}

TEST_F(EddWriting, SeparatorAndPolaritiesFollowTheirInputs)
{
    edid_[54 + 17] = 0x18; // both sync polarities negative
    ASSERT_TRUE(parser_.UpdateEDIDDataFromArray(edid_));
    const std::vector<std::string> lines = SplitCRLF(FormatDataFile(edid_, parser_, ','));
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_EQ(lines[21], "PixelClock = 148,5");
    EXPECT_EQ(lines[27], "HorizontalPolarity = False");
    EXPECT_EQ(lines[33], "VerticalPolarity = False");
}

TEST_F(EddWriting, OnlyCompleteRowsAreWrittenAndTheSummaryOnlyAfterSixteen)
{
    const std::span<const std::uint8_t> all(edid_);
    const std::vector<std::string> base = SplitCRLF(FormatDataFile(all.first(128), parser_, '.'));
    ASSERT_EQ(base.size(), 12u);
    EXPECT_EQ(base[11], " 70: 70 71 72 73 74 75 76 77 78 79 7A 7B 7C 7D 7E 7F");
    EXPECT_EQ(SplitCRLF(FormatDataFile(all.first(255), parser_, '.')).size(), 19u);
    EXPECT_EQ(SplitCRLF(FormatDataFile(all.first(2), parser_, '.')).size(), 4u);
    EXPECT_EQ(FormatDataFile(all.first(1), parser_, '.'), "");
    EXPECT_EQ(FormatDataFile({}, parser_, '.'), "");

    Bytes longer = edid_;
    longer.resize(300, 0x55);
    EXPECT_EQ(FormatDataFile(longer, parser_, '.'), FormatDataFile(edid_, parser_, '.'));
}

TEST_F(EddWriting, SaveWritesTheTextByteForByteAndReplacesALongerFileWhole)
{
    TempDir dir;
    const fs::path file = dir.path() / "monitor.edd";
    WriteFile(file, std::string(10000, 'X'));
    ASSERT_TRUE(SaveDataFile(file, edid_, parser_, '.'));
    EXPECT_EQ(ReadFile(file), FormatDataFile(edid_, parser_, '.'));
    EXPECT_EQ(Listing(dir.path()), std::set<std::string>{"monitor.edd"});

    // Created with the ordinary permissions, as a plain new file would be.
    const fs::path plain = dir.path() / "plain";
    WriteFile(plain, "x");
    const fs::path created = dir.path() / "new.edd";
    ASSERT_TRUE(SaveDataFile(created, edid_, parser_, '.'));
    EXPECT_EQ(fs::status(created).permissions(), fs::status(plain).permissions());
}

TEST_F(EddWriting, NoEdidHeldWritesNothingAndKeepsAnExistingFile)
{
    TempDir dir;
    const fs::path absent = dir.path() / "absent.edd";
    const fs::path existing = dir.path() / "existing.edd";
    WriteFile(existing, "keep me");
    const Bytes single{0x00};
    EXPECT_FALSE(SaveDataFile(absent, single, parser_, '.'));
    EXPECT_FALSE(SaveDataFile(existing, single, parser_, '.'));
    EXPECT_FALSE(SaveDataFile(existing, {}, parser_, '.'));
    EXPECT_FALSE(fs::exists(absent));
    EXPECT_EQ(ReadFile(existing), "keep me");
}

// ---------------------------------------------------------------- loading quirks

TEST(EddLoading, HandEditedTables)
{
    std::vector<std::string> seventeen(16, "AA");
    seventeen.push_back("ZZ ZZ"); // never read
    Bytes sixteen(256, 0);
    for (std::size_t row = 0; row < 16; ++row)
        sixteen[row * 16] = 0xAA;
    std::string longRow = " 10:"; // twenty tokens: only sixteen are read
    Bytes longBytes = Expected({{3, 0x12}, {5, 0x56}, {32, 0xEE}});
    for (int i = 1; i <= 20; ++i) {
        longRow += " 1" + std::to_string(i % 10);
        if (i <= 16)
            longBytes[15 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x10 + i % 10);
    }
    // Only U+0020 separates tokens: a tab makes a token longer, and a token
    // other than two characters stands for zero.
    const std::string odd = " 00: 1 ABC GGG 12  34\t 56 \t78 9A\tBC";
    const std::vector<std::string> gaps{" 00: 00 FF", "", " 20: 20", " 30: 30"};
    const Bytes gapBytes = Expected({{1, 0xFF}, {32, 0x20}, {48, 0x30}});
    const struct {
        std::string text;
        bool ok;
        Bytes edid;
    } cases[] = {
        // Rows are read by position whatever their labels; a '|' after all
        // sixteen tokens still moves the start of the row.
        {Table({" 00: 0a ff Fe", " 10| 01", " 20|20: 02", "03 04", "x:y|z:w 05", "a:1|06 07", "   ", "", " 80: 08",
                "11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 |09"}),
         true,
         Expected({{0, 0x0A}, {1, 0xFF}, {2, 0xFE}, {16, 0x01}, {32, 0x02}, {48, 0x03}, {49, 0x04}, {65, 0x05},
                   {80, 0x06}, {81, 0x07}, {128, 0x08}, {144, 0x09}})},
        {Table({odd, longRow, " 20: EE"}), true, longBytes},
        {Table({odd + " 0-", longRow}), false, Expected({{3, 0x12}, {5, 0x56}})},
        {Table(seventeen), true, sixteen},
        // The table starts after eleven hyphens anywhere in a line; ten, or
        // eleven with a gap, are not the separator; after it they are a row.
        {"-----------\r\n 00: 42", true, Expected({{0, 0x42}})},
        {"junk x-----------x junk\n01", true, Expected({{0, 0x01}})},
        {"----------\r\n01\r\n02", true, Bytes(256, 0)},
        {"------ -----\r\n01\r\n02", true, Bytes(256, 0)},
        {Table({"-----------", "03"}), true, Expected({{16, 0x03}})},
        // A short or missing table loads, zeros standing for what is missing.
        {Table({" 00: 00 FF", " 10: 10", " 20: 20"}) + "\r\n", true, Expected({{1, 0xFF}, {16, 0x10}, {32, 0x20}})},
        {"", true, Bytes(256, 0)},
        {"EDID DATA\r\n 00: 00 FF FF\r\n", true, Bytes(256, 0)},
        // Lone LF and lone CR end lines too; LF CR is two line ends.
        {Table(gaps, "\n"), true, gapBytes},
        {Table(gaps, "\r") + "\r", true, gapBytes},
        {Table(gaps) + "\r\n", true, gapBytes},
        {"-----------\n\r01\r\n02", true, Expected({{16, 0x01}, {32, 0x02}})},
    };
    for (const auto& c : cases) {
        const LoadResult result = Load(c.text);
        EXPECT_EQ(result.ok, c.ok) << c.text;
        EXPECT_EQ(result.edid, c.edid) << c.text;
    }
}

TEST(EddLoading, ANonHexPairFailsTheLoadKeepingWhatWasReadBeforeIt)
{
    for (const char* bad : {"G0", "-1", "0x", "g0", "\xC3\xA9"}) {
        const LoadResult result = Load(Table({" 00: 01", std::string(" 10: 11 ") + bad + " 13", " 20: 21"}));
        EXPECT_FALSE(result.ok) << bad;
        EXPECT_EQ(result.edid, Expected({{0, 0x01}, {16, 0x11}})) << bad;
    }
}

TEST(EddLoading, TheByteArrayIsRecreatedEvenWhenTheFileCannotBeRead)
{
    TempDir dir;
    Bytes edid(300, 0xAA);
    EXPECT_FALSE(LoadDataFile(dir.path() / "missing.edd", edid));
    EXPECT_EQ(edid, Bytes(256, 0));
    edid.assign(3, 0xAA);
    EXPECT_FALSE(LoadDataFile(dir.path(), edid)); // a folder opens but does not read
    EXPECT_EQ(edid, Bytes(256, 0));
}

// ---------------------------------------------------------------- robustness

// The plain reading, lines held whole: what the streaming reader must equal.
LoadResult ReferenceLoad(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    LoadResult result{true, Bytes(256, 0)};
    auto line = std::find_if(lines.begin(), lines.end(),
                             [](std::string_view l) { return l.find("-----------") != std::string_view::npos; });
    if (line == lines.end())
        return result;
    ++line;
    for (std::size_t row = 0; row < 16 && line != lines.end(); ++row, ++line) {
        if (!edd::ReadHexRow(*line, result.edid, row * 16, 16)) {
            result.ok = false;
            break;
        }
    }
    return result;
}

std::string RandomEddLike(std::mt19937& random)
{
    static const std::array<std::string_view, 20> pieces{
        "-----------", "-----", " ", "   ", ":", "|", "\r", "\n", "\r\n", "0A",
        "ff",          "1",     "ABC", "G0", "\t", std::string_view("\0", 1), "\xE9", "12", "F", " 00:"};
    // Line ends rarer than the rest, so rows often hold sixteen tokens and more.
    std::vector<double> weights(pieces.size(), 1.0);
    weights[6] = weights[7] = weights[8] = 0.15;
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    std::uniform_int_distribution<int> length(0, 600);
    std::string text;
    for (int n = length(random); n > 0; --n)
        text += pieces[pick(random)];
    return text;
}

TEST(EddRobustness, StreamingAgreesWithReadingWholeLinesOnRandomText)
{
    std::mt19937 random(20240601);
    for (int i = 0; i < 3000; ++i) {
        const std::string text = RandomEddLike(random);
        const LoadResult expected = ReferenceLoad(text);
        const LoadResult streamed = Load(text);
        ASSERT_EQ(streamed.ok, expected.ok) << i;
        ASSERT_EQ(streamed.edid, expected.edid) << i;

        // However the file is cut into pieces, CR LF pairs included.
        Bytes bytewise(256, 0);
        edd::EddTableReader reader(std::span<std::uint8_t, 256>(bytewise.data(), 256));
        for (const char c : text)
            reader.Feed(std::string_view(&c, 1));
        reader.Finish();
        ASSERT_EQ(!reader.Failed(), expected.ok) << i;
        ASSERT_EQ(bytewise, expected.edid) << i;
    }
}

// Serves each text the given number of times, without holding the whole stream.
class RepeatingBuffer : public std::streambuf {
public:
    explicit RepeatingBuffer(const std::vector<std::pair<std::string, std::size_t>>& parts)
    {
        // Repeats served as blocks of 4096 keep the generator out of the timing.
        for (const auto& [text, times] : parts) {
            std::string block;
            for (std::size_t i = 0; i < 4096; ++i)
                block += text;
            parts_.emplace_back(std::move(block), times / 4096);
            parts_.emplace_back(text, times % 4096);
        }
    }

private:
    int_type underflow() override
    {
        while (part_ < parts_.size() && served_ == parts_[part_].second) {
            ++part_;
            served_ = 0;
        }
        if (part_ == parts_.size())
            return traits_type::eof();
        ++served_;
        std::string& text = parts_[part_].first;
        setg(text.data(), text.data(), text.data() + text.size());
        return traits_type::to_int_type(text[0]);
    }

    std::vector<std::pair<std::string, std::size_t>> parts_;
    std::size_t part_ = 0;
    std::size_t served_ = 0;
};

LoadResult LoadGenerated(const std::vector<std::pair<std::string, std::size_t>>& parts)
{
    RepeatingBuffer buffer(parts);
    std::istream in(&buffer);
    LoadResult result{false, {}};
    result.ok = LoadDataFile(in, result.edid);
    return result;
}

long PeakMemoryKiB()
{
#ifdef __linux__
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#else
    return 0;
#endif
}

TEST(EddRobustness, HugeLinesLoadInSmallMemory)
{
    constexpr std::size_t fiftyMB = 50'000'000;
    const long memoryBefore = PeakMemoryKiB();

    // No line end at all.
    const LoadResult junk = LoadGenerated({{"x-", fiftyMB / 2}});
    EXPECT_TRUE(junk.ok);
    EXPECT_EQ(junk.edid, Bytes(256, 0));

    // The separator, then a row that never ends its tokens, labels that come
    // late in the line, and the rows after it.
    const LoadResult rows = LoadGenerated({{"-----------\r\n", 1},
                                           {" 00: 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11", 1},
                                           {" AB", fiftyMB / 3},
                                           {"\r\n", 1},
                                           {"ABC", fiftyMB / 3},
                                           {" :|:", 1},
                                           {" 7F", fiftyMB / 3},
                                           {"\r\n 20: 21\r\n", 1}});
    EXPECT_TRUE(rows.ok);
    Bytes expected(256, 0);
    for (std::size_t i = 0; i < 16; ++i) {
        expected[i] = static_cast<std::uint8_t>(i + 1);
        expected[16 + i] = 0x7F;
    }
    expected[32] = 0x21;
    EXPECT_EQ(rows.edid, expected);

    EXPECT_LT(PeakMemoryKiB() - memoryBefore, 16 * 1024);
}

// ---------------------------------------------------------------- atomic save

#ifndef _WIN32
class EddAtomicSave : public EddWriting {
protected:
    void SetUp() override
    {
        EddWriting::SetUp();
        file_ = dir_.path() / "monitor.edd";
        WriteFile(file_, "old content\r\n");
    }
    void ExpectOldFileIntact() const
    {
        EXPECT_EQ(ReadFile(file_), "old content\r\n");
        EXPECT_EQ(Listing(dir_.path()), std::set<std::string>{"monitor.edd"});
    }
    TempDir dir_;
    fs::path file_;
};

// Root writes into read-only folders, so the child gives up its privileges first.
void DropRootPrivileges()
{
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        std::_Exit(3);
}

TEST_F(EddAtomicSave, AReadOnlyFolderKeepsTheOldFile)
{
    fs::permissions(dir_.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
                                     | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    EXPECT_EXIT(
        {
            DropRootPrivileges();
            std::_Exit(SaveDataFile(file_, edid_, parser_, '.') ? 0 : 1);
        },
        ::testing::ExitedWithCode(1), "");
    fs::permissions(dir_.path(), fs::perms::owner_all, fs::perm_options::add);
    ExpectOldFileIntact();
}

TEST_F(EddAtomicSave, AWriteThatFailsHalfwayKeepsTheOldFileAndLeavesNoTemporary)
{
    EXPECT_EXIT(
        {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{}; // the disk "fills" after 100 bytes
            limit.rlim_cur = 100;
            limit.rlim_max = 100;
            setrlimit(RLIMIT_FSIZE, &limit);
            std::_Exit(SaveDataFile(file_, edid_, parser_, '.') ? 0 : 1);
        },
        ::testing::ExitedWithCode(1), "");
    ExpectOldFileIntact();
}

TEST_F(EddAtomicSave, ATargetThatCannotBeReplacedLeavesNoTemporary)
{
    fs::create_directory(dir_.path() / "folder.edd");
    EXPECT_FALSE(SaveDataFile(dir_.path() / "folder.edd", edid_, parser_, '.'));
    EXPECT_TRUE(fs::is_directory(dir_.path() / "folder.edd"));
    EXPECT_FALSE(SaveDataFile(dir_.path() / "no such folder" / "monitor.edd", edid_, parser_, '.'));
    fs::remove(dir_.path() / "folder.edd");
    ExpectOldFileIntact();

    fs::permissions(file_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(SaveDataFile(file_, edid_, parser_, '.'));
    ExpectOldFileIntact();
}

TEST_F(EddAtomicSave, ABareFileNameSavesInTheCurrentFolder)
{
    EXPECT_EXIT(
        {
            std::_Exit(chdir(dir_.path().c_str()) == 0 && SaveDataFile("monitor.edd", edid_, parser_, '.') ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadFile(file_), FormatDataFile(edid_, parser_, '.'));
    EXPECT_EQ(Listing(dir_.path()), std::set<std::string>{"monitor.edd"});
}

TEST(EddLocale, AnUnknownLocaleNameFallsBackToAPoint)
{
    EXPECT_EXIT(
        {
            setenv("LC_ALL", "xx_NOWHERE.bogus", 1);
            std::_Exit(UserDecimalSeparator() == '.' ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
#endif

} // namespace
} // namespace tessarin
