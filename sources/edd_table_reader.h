#pragma once
// Reads the hex table of an ".edd" file from successive pieces of its bytes
// without ever holding a line, so memory stays a few hundred bytes and time
// linear whatever the file holds: binary junk, a gigabyte without a line end.
// The result is the one ReadHexRow() gives on the same lines.
//
// Lines end at CR LF, at a lone LF (files edited on Linux) and at a lone CR.
// The table starts after the first line holding eleven hyphens in a row; the
// 16 lines after it are the rows, whatever their labels say.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tessarin::edd {

class EddTableReader {
public:
    static constexpr std::size_t RowCount = 16;
    static constexpr std::size_t BytesPerRow = 16;
    static constexpr std::size_t TableSize = RowCount * BytesPerRow;

    // Rows are stored into `edid` as they are read; the caller zeroes it first.
    explicit EddTableReader(std::span<std::uint8_t, TableSize> edid) noexcept;

    // The next piece of the file. Once Done(), further pieces are ignored.
    void Feed(std::string_view piece) noexcept;
    // The end of the file: a last line without a line end is still a line.
    void Finish() noexcept;

    // Nothing more is needed: all rows were read, or a token was not hex.
    bool Done() const noexcept { return state_ == State::Complete || state_ == State::Failed; }
    bool Failed() const noexcept { return state_ == State::Failed; }
    std::size_t RowsRead() const noexcept { return row_; }

private:
    enum class State { SeekingSeparator, ReadingRows, Complete, Failed };

    // The first tokens of one way of cutting a row's label off. A token's
    // byte depends only on its first three characters (only a two-character
    // token is read), so that is all that is kept of it.
    class TokenList {
    public:
        void Clear() noexcept;
        void Take(char c) noexcept;
        // A character other than a space cannot change the tokens.
        bool IgnoresWordCharacters() const noexcept;
        // No character can change the tokens.
        bool Saturated() const noexcept;
        std::string_view Token(std::size_t index) const noexcept;

    private:
        struct Summary {
            std::array<char, 3> head{};
            std::uint8_t length = 0; // capped at 3
        };
        std::array<Summary, BytesPerRow> tokens_{};
        std::size_t count_ = 0;
        bool inToken_ = false;
    };

    // How much of what follows in the line can be passed over unread.
    enum class Skip { Nothing, ToLineEnd, ToHyphen, ToBarOrColon, ToDelimiter };

    void TakeLineChar(char c) noexcept;
    void EndLine() noexcept;
    void StoreRow(const TokenList& tokens) noexcept;
    Skip SkippableRun() const noexcept;

    std::span<std::uint8_t, TableSize> edid_;
    State state_ = State::SeekingSeparator;
    std::size_t row_ = 0;

    bool lineOpen_ = false; // characters seen since the last line end
    bool afterCR_ = false;  // an LF right now completes a CR LF pair

    std::size_t hyphenRun_ = 0;
    bool separatorLine_ = false;

    // Where the label ends is known only at the line's end, so the four
    // possible cuts are tokenised side by side and one is picked then.
    bool sawBar_ = false;           // a '|' so far
    bool sawColon_ = false;         // a ':' so far
    bool sawColonAfterBar_ = false; // a ':' after the first '|'
    TokenList whole_;               // no '|', no ':'
    TokenList afterColon_;          // no '|': after the first ':'
    TokenList afterBar_;            // after the first '|', no ':' after it
    TokenList afterBarColon_;       // after the first ':' following the first '|'
};

} // namespace tessarin::edd
