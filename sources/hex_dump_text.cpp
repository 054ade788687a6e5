// Hex text as people paste it: bare hex, xxd, `hexdump -C`, `od -A x -t x1`,
// edid-decode's output and hardware-probe reports. Each line is cut down to
// its bytes (offset column and ASCII gutter dropped); runs of such lines make
// a dump, and each EDID header in a dump starts an EDID.
#include "edid_layouts.h"
#include "layout_text.h"

#include <optional>

namespace tessarin::layouts {
namespace {

struct HexLine {
    enum class Kind { Prose, Blank, Repeat, Bytes } kind = Kind::Prose;
    std::optional<std::uint64_t> offset;
    std::vector<std::uint8_t> bytes;
};

std::optional<std::uint64_t> HexNumber(std::string_view digits, unsigned base = 16)
{
    if (digits.empty() || digits.size() > 12)
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        const int d = HexDigit(c);
        if (d < 0 || static_cast<unsigned>(d) >= base)
            return std::nullopt;
        value = value * base + static_cast<std::uint64_t>(d);
    }
    return value;
}

// Appends the bytes of one token ("00", "0xFF,", "00:ff:1e", "00ffffff"); false
// when it is not hex, which ends the line's bytes (an ASCII gutter, prose).
bool TakeToken(std::string_view token, std::vector<std::uint8_t>& bytes)
{
    bool any = false;
    while (!token.empty()) {
        const std::size_t cut = token.find_first_of(",:;-");
        std::string_view piece = token.substr(0, cut);
        token = cut == std::string_view::npos ? std::string_view() : token.substr(cut + 1);
        if (piece.size() > 2 && piece[0] == '0' && (piece[1] == 'x' || piece[1] == 'X'))
            piece.remove_prefix(2);
        if (piece.empty())
            continue;
        if (piece.size() % 2 != 0)
            return false;
        std::vector<std::uint8_t> pieceBytes;
        for (std::size_t i = 0; i < piece.size(); i += 2) {
            const int high = HexDigit(piece[i]);
            const int low = HexDigit(piece[i + 1]);
            if (high < 0 || low < 0)
                return false;
            pieceBytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        }
        bytes.insert(bytes.end(), pieceBytes.begin(), pieceBytes.end());
        any = true;
    }
    return any;
}

HexLine ParseLine(std::string_view line)
{
    HexLine result;
    line = Trim(line);
    if (line.empty()) {
        result.kind = HexLine::Kind::Blank;
        return result;
    }
    if (line == "*") {
        result.kind = HexLine::Kind::Repeat;
        return result;
    }
    std::vector<std::string_view> tokens = SplitWhitespace(line);
    std::size_t first = 0;
    // xxd: "00000010: 0101 ...  ..ascii.."; its gutter follows two spaces.
    if (tokens[0].size() > 1 && tokens[0].back() == ':') {
        if (auto offset = HexNumber(tokens[0].substr(0, tokens[0].size() - 1))) {
            result.offset = offset;
            const std::size_t hexStart = line.find(':') + 1;
            const std::size_t gutter = line.find("  ", hexStart + 1);
            tokens = SplitWhitespace(line.substr(hexStart, gutter == std::string_view::npos
                                                               ? std::string_view::npos
                                                               : gutter - hexStart));
        }
    } else if (tokens[0].size() >= 6 && tokens[0].size() <= 8 &&
               (tokens.size() == 1 || tokens[1].size() == 2)) {
        // od -A x (6 digits), od's own octal offsets (7) and hexdump -C (8):
        // an offset, then single bytes; alone on the last line it is the
        // length of the dump.
        if (auto offset = HexNumber(tokens[0], tokens[0].size() == 7 ? 8 : 16)) {
            result.offset = offset;
            first = 1;
        }
    }
    for (std::size_t i = first; i < tokens.size(); ++i) {
        if (tokens[i].front() == '|' || !TakeToken(tokens[i], result.bytes))
            break;
    }
    if (!result.bytes.empty() || result.offset)
        result.kind = HexLine::Kind::Bytes;
    return result;
}

// The bytes of one dump: consecutive byte lines, blank lines between them
// allowed (edid-decode parts its blocks so), a `*` line standing for copies
// of the line before it up to the next offset.
class DumpBuilder {
public:
    void Take(const HexLine& line)
    {
        if (line.kind == HexLine::Kind::Repeat) {
            repeatPending_ = !last_.empty();
            return;
        }
        if (line.offset && !start_)
            start_ = *line.offset;
        if (repeatPending_ && line.offset && *line.offset >= *start_) {
            const std::uint64_t target = *line.offset - *start_;
            while (bytes_.size() + last_.size() <= target && bytes_.size() < kMaxEdidBytes * 2)
                bytes_.insert(bytes_.end(), last_.begin(), last_.end());
        }
        repeatPending_ = false;
        if (!line.bytes.empty())
            last_ = line.bytes;
        if (bytes_.size() < kMaxEdidBytes * 2)
            bytes_.insert(bytes_.end(), line.bytes.begin(), line.bytes.end());
    }

    void Finish(std::vector<FoundEdid>& found)
    {
        SplitAtHeaders(bytes_, found);
        bytes_.clear();
        last_.clear();
        start_.reset();
        repeatPending_ = false;
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint8_t> last_;
    std::optional<std::uint64_t> start_;
    bool repeatPending_ = false;
};

} // namespace

std::vector<FoundEdid> FindHexDumps(std::string_view text)
{
    std::vector<FoundEdid> found;
    DumpBuilder dump;
    for (std::string_view line : SplitLines(text)) {
        const HexLine parsed = ParseLine(line);
        if (parsed.kind == HexLine::Kind::Prose)
            dump.Finish(found);
        else if (parsed.kind != HexLine::Kind::Blank)
            dump.Take(parsed);
    }
    dump.Finish(found);
    return found;
}

} // namespace tessarin::layouts
