#pragma once
// The texts of the complete decode's model. A report holds thousands of
// them, most fixed ("Yes", "Standard timing", a block's name) and the rest
// short ("1920 pixels", "59.940 Hz"): a fixed text is kept as a view of the
// literal, a short one in place, and only a long one on the heap.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tessarin::complete {

// A key or label: a literal or an entry of a static table, never a text
// built at run time (whoever holds it keeps only a view of it).
class FixedText {
public:
    constexpr FixedText() = default;
    constexpr FixedText(const char* text) : text_(text) {}
    FixedText(const std::string&) = delete;
    constexpr operator std::string_view() const { return text_; }
    friend constexpr bool operator==(FixedText a, std::string_view b) noexcept { return a.text_ == b; }

private:
    std::string_view text_;
};

// Reads as a std::string_view.
class Text {
public:
    Text() noexcept = default;
    Text(FixedText fixed) noexcept
    {
        const std::string_view v = fixed;
        data_ = v.data();
        size_ = static_cast<std::uint32_t>(v.size());
    }
    // A literal or a static table's entry, as FixedText; a text in a buffer
    // of the caller's (char*) is copied with Copy().
    Text(const char* fixed) noexcept : Text(FixedText(fixed)) {}
    Text(char*) = delete;
    Text(const std::string& made) { Assign(made); }

    // A copy of `made`, whatever holds it.
    static Text Copy(std::string_view made)
    {
        Text t;
        t.Assign(made);
        return t;
    }

    Text(const Text& other) { CopyFrom(other); }
    Text(Text&& other) noexcept { StealFrom(other); }
    Text& operator=(const Text& other)
    {
        if (this != &other) {
            Release();
            CopyFrom(other);
        }
        return *this;
    }
    Text& operator=(Text&& other) noexcept
    {
        if (this != &other) {
            Release();
            StealFrom(other);
        }
        return *this;
    }
    ~Text() { Release(); }

    // Replaces the text with a copy of `made`.
    void Assign(std::string_view made)
    {
        Release();
        size_ = static_cast<std::uint32_t>(made.size());
        if (made.size() <= kInline) {
            kind_ = Kind::Inline;
            std::memcpy(inline_, made.data(), made.size());
        } else {
            char* heap = new char[made.size()];
            std::memcpy(heap, made.data(), made.size());
            data_ = heap;
            kind_ = Kind::Heap;
        }
    }

    // Replaces the text with "first second" ("1920 pixels"): a number and
    // its unit go straight into place.
    void Assign(std::string_view first, std::string_view second)
    {
        const std::size_t size = first.size() + 1 + second.size();
        Release();
        char* out = inline_;
        if (size > kInline) {
            out = new char[size];
            data_ = out;
            kind_ = Kind::Heap;
        } else {
            kind_ = Kind::Inline;
        }
        size_ = static_cast<std::uint32_t>(size);
        std::memcpy(out, first.data(), first.size());
        out[first.size()] = ' ';
        std::memcpy(out + first.size() + 1, second.data(), second.size());
    }

    operator std::string_view() const noexcept
    {
        return {kind_ == Kind::Inline ? inline_ : data_, size_};
    }
    std::string_view view() const noexcept { return *this; }
    bool empty() const noexcept { return size_ == 0; }
    std::size_t size() const noexcept { return size_; }
    std::string str() const { return std::string(view()); }

    friend bool operator==(const Text& a, const Text& b) noexcept { return a.view() == b.view(); }
    friend bool operator==(const Text& a, std::string_view b) noexcept { return a.view() == b; }
    friend bool operator==(const Text& a, const char* b) noexcept { return a.view() == std::string_view(b); }
    friend std::string operator+(std::string a, const Text& b) { return std::move(a.append(b.view())); }

private:
    static constexpr std::size_t kInline = 19;
    enum class Kind : std::uint8_t { Fixed, Inline, Heap };

    void Release() noexcept
    {
        if (kind_ == Kind::Heap)
            delete[] data_;
        data_ = "";
        size_ = 0;
        kind_ = Kind::Fixed;
    }
    void CopyFrom(const Text& other)
    {
        if (other.kind_ == Kind::Heap) {
            Assign(other.view());
            return;
        }
        data_ = other.data_;
        size_ = other.size_;
        kind_ = other.kind_;
        std::memcpy(inline_, other.inline_, kInline);
    }
    void StealFrom(Text& other) noexcept
    {
        data_ = other.data_;
        size_ = other.size_;
        kind_ = other.kind_;
        std::memcpy(inline_, other.inline_, kInline);
        other.kind_ = Kind::Fixed; // the heap text, if any, is ours now
        other.data_ = "";
        other.size_ = 0;
    }

    const char* data_ = ""; // a fixed text, or the heap copy
    std::uint32_t size_ = 0;
    Kind kind_ = Kind::Fixed;
    char inline_[kInline] = {};
};

} // namespace tessarin::complete
