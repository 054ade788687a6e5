#include "edd_table_reader.h"

#include "edd_text.h"

#include <algorithm>
#include <optional>

namespace tessarin::edd {

namespace {

constexpr std::size_t separatorHyphens = 11;

bool IsLineEnd(char c) noexcept
{
    return c == '\r' || c == '\n';
}

bool IsHyphenOrLineEnd(char c) noexcept
{
    return c == '-' || IsLineEnd(c);
}

// What can still change a row line's result once its tokens are full.
bool IsBarColonOrLineEnd(char c) noexcept
{
    return c == ':' || c == '|' || IsLineEnd(c);
}

// ... and once no token can grow: a space lets the next one start.
bool IsDelimiter(char c) noexcept
{
    return c == ' ' || IsBarColonOrLineEnd(c);
}

} // namespace

void EddTableReader::TokenList::Clear() noexcept
{
    count_ = 0;
    inToken_ = false;
}

void EddTableReader::TokenList::Take(char c) noexcept
{
    if (c == ' ') {
        inToken_ = false;
        return;
    }
    if (!inToken_) {
        if (count_ == tokens_.size()) {
            return;
        }
        tokens_[count_] = Summary{};
        ++count_;
        inToken_ = true;
    }
    Summary& token = tokens_[count_ - 1];
    if (token.length < token.head.size()) {
        token.head[token.length] = c;
        ++token.length;
    }
}

bool EddTableReader::TokenList::IgnoresWordCharacters() const noexcept
{
    if (inToken_) {
        return tokens_[count_ - 1].length == tokens_[count_ - 1].head.size();
    }
    return count_ == tokens_.size();
}

bool EddTableReader::TokenList::Saturated() const noexcept
{
    return count_ == tokens_.size() && IgnoresWordCharacters();
}

std::string_view EddTableReader::TokenList::Token(std::size_t index) const noexcept
{
    if (index >= count_) {
        return {};
    }
    return {tokens_[index].head.data(), tokens_[index].length};
}

EddTableReader::EddTableReader(std::span<std::uint8_t, TableSize> edid) noexcept
    : edid_(edid)
{
}

void EddTableReader::Feed(std::string_view piece) noexcept
{
    const char* position = piece.data();
    const char* const end = piece.data() + piece.size();
    while (position != end && !Done()) {
        const char c = *position;
        if (IsLineEnd(c)) {
            const bool secondHalfOfCRLF = c == '\n' && afterCR_;
            afterCR_ = c == '\r';
            if (!secondHalfOfCRLF) {
                EndLine();
            }
            ++position;
            continue;
        }
        afterCR_ = false;
        lineOpen_ = true;
        // Huge lines are passed over at memory speed once their tokens are known.
        const Skip skip = SkippableRun();
        if (skip == Skip::ToLineEnd) {
            position = std::find_if(position, end, IsLineEnd);
            continue;
        }
        if (skip == Skip::ToHyphen && c != '-') {
            hyphenRun_ = 0;
            position = std::find_if(position, end, IsHyphenOrLineEnd);
            continue;
        }
        if (skip == Skip::ToBarOrColon && !IsBarColonOrLineEnd(c)) {
            position = std::find_if(position, end, IsBarColonOrLineEnd);
            continue;
        }
        if (skip == Skip::ToDelimiter && !IsDelimiter(c)) {
            position = std::find_if(position, end, IsDelimiter);
            continue;
        }
        TakeLineChar(c);
        ++position;
    }
}

void EddTableReader::Finish() noexcept
{
    if (lineOpen_ && !Done()) {
        EndLine();
    }
}

EddTableReader::Skip EddTableReader::SkippableRun() const noexcept
{
    if (state_ == State::SeekingSeparator) {
        return separatorLine_ ? Skip::ToLineEnd : Skip::ToHyphen;
    }
    // A cut not started yet can only be started by a '|' or a ':'; with a ':'
    // after a '|' every cut has started.
    const bool saturated = whole_.Saturated() && (!sawColon_ || afterColon_.Saturated())
        && (!sawBar_ || afterBar_.Saturated()) && (!sawColonAfterBar_ || afterBarColon_.Saturated());
    if (saturated) {
        return sawColonAfterBar_ ? Skip::ToLineEnd : Skip::ToBarOrColon;
    }
    const bool ignored = whole_.IgnoresWordCharacters() && (!sawColon_ || afterColon_.IgnoresWordCharacters())
        && (!sawBar_ || afterBar_.IgnoresWordCharacters())
        && (!sawColonAfterBar_ || afterBarColon_.IgnoresWordCharacters());
    return ignored ? Skip::ToDelimiter : Skip::Nothing;
}

void EddTableReader::TakeLineChar(char c) noexcept
{
    if (state_ == State::SeekingSeparator) {
        hyphenRun_ = c == '-' ? hyphenRun_ + 1 : 0;
        separatorLine_ = hyphenRun_ >= separatorHyphens;
        return;
    }
    // A delimiter is not part of the cut it opens: the cuts take the character
    // before the flags change.
    whole_.Take(c);
    if (sawColon_) {
        afterColon_.Take(c);
    }
    if (sawBar_) {
        afterBar_.Take(c);
    }
    if (sawColonAfterBar_) {
        afterBarColon_.Take(c);
    }
    if (c == '|') {
        sawBar_ = true;
    } else if (c == ':') {
        sawColon_ = true;
        sawColonAfterBar_ = sawColonAfterBar_ || sawBar_;
    }
}

void EddTableReader::EndLine() noexcept
{
    if (state_ == State::SeekingSeparator) {
        if (separatorLine_) {
            state_ = State::ReadingRows;
        }
    } else if (state_ == State::ReadingRows) {
        if (sawBar_) {
            StoreRow(sawColonAfterBar_ ? afterBarColon_ : afterBar_);
        } else {
            StoreRow(sawColon_ ? afterColon_ : whole_);
        }
    }
    lineOpen_ = false;
    hyphenRun_ = 0;
    separatorLine_ = false;
    sawBar_ = false;
    sawColon_ = false;
    sawColonAfterBar_ = false;
    whole_.Clear();
    afterColon_.Clear();
    afterBar_.Clear();
    afterBarColon_.Clear();
}

void EddTableReader::StoreRow(const TokenList& tokens) noexcept
{
    const std::span<std::uint8_t> row = std::span<std::uint8_t>(edid_).subspan(row_ * BytesPerRow, BytesPerRow);
    for (std::size_t i = 0; i < BytesPerRow; ++i) {
        const std::optional<std::uint8_t> value = HexTokenToByte(tokens.Token(i));
        if (!value) {
            state_ = State::Failed;
            return;
        }
        row[i] = *value;
    }
    ++row_;
    if (row_ == RowCount) {
        state_ = State::Complete;
    }
}

} // namespace tessarin::edd
