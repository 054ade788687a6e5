#include "edd_file.h"

#include "detailed_timing.h"
#include "edd_table_reader.h"
#include "edd_text.h"
#include "edid_parser.h"
#include "number_format.h"
#include "replace_file.h"

#include <exception>
#include <fstream>
#include <locale>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <unistd.h> // environ
#endif

namespace tessarin {

namespace {

using edd::EddTableReader;

constexpr std::string_view lineEnd = "\r\n";
constexpr std::size_t readChunkSize = 64 * 1024;

void AppendLine(std::string& text, std::string_view line)
{
    text += line;
    text += lineEnd;
}

void AppendValue(std::string& text, std::string_view label, std::string_view value)
{
    text += label;
    text += " = ";
    text += value;
    text += lineEnd;
}

void AppendNumber(std::string& text, std::string_view label, std::int16_t value)
{
    AppendValue(text, label, std::to_string(value));
}

void AppendBoolean(std::string& text, std::string_view label, bool value)
{
    AppendValue(text, label, value ? std::string_view("True") : std::string_view("False"));
}

void AppendTimingSummary(std::string& text, const CDetailedTiming& timing, char decimalSeparator)
{
    AppendLine(text, "");
    AppendValue(text, "PixelClock", FormatSingle(timing.PixelClock(), decimalSeparator));
    AppendLine(text, "");
    AppendNumber(text, "HorizontalActive", timing.HorizontalActive());
    AppendNumber(text, "HorizontalFrontPorch", timing.HorizontalSyncOffset());
    AppendNumber(text, "HorizontalBlanking", timing.HorizontalBlanking());
    AppendNumber(text, "HorizontalSyncPulseWidth", timing.HorizontalSyncPulseWidth());
    AppendBoolean(text, "HorizontalPolarity", timing.HorizontalPolarity());
    AppendLine(text, "");
    AppendNumber(text, "VerticalActive", timing.VerticalActive());
    AppendNumber(text, "VerticalFrontPorch", timing.VerticalSyncOffset());
    AppendNumber(text, "VerticalBlanking", timing.VerticalBlanking());
    AppendNumber(text, "VerticalSyncPulseWidth", timing.VerticalSyncPulseWidth());
    AppendBoolean(text, "VerticalPolarity", timing.VerticalPolarity());
}

// The file is printable ASCII; a locale whose separator is not gets '.'.
bool IsUsableSeparator(char c)
{
    return c > ' ' && c < '\x7F' && (c < '0' || c > '9');
}

#ifndef _WIN32
// Every variable that takes part in naming the user's locale, as one text.
std::string LocaleVariables()
{
    std::string names;
    for (char** variable = environ; variable != nullptr && *variable != nullptr; ++variable) {
        const std::string_view entry(*variable);
        if (entry.starts_with("LC_") || entry.starts_with("LANG=") || entry.starts_with("LOCPATH=")) {
            names += entry;
            names += '\0';
        }
    }
    return names;
}
#endif

} // namespace

std::string FormatDataFile(std::span<const std::uint8_t> edid, const CEDIDParser& parser, char decimalSeparator)
{
    std::string text;
    if (edid.size() < 2) {
        return text;
    }
    AppendLine(text, "EDID DATA");
    AppendLine(text, "");
    AppendLine(text, "     00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F");
    AppendLine(text, "----------------------------------------------------");
    for (std::size_t start = 0; start < EddTableReader::TableSize; start += EddTableReader::BytesPerRow) {
        // Only complete rows are written, and the summary only after all of them.
        if (edid.size() - start < EddTableReader::BytesPerRow) {
            return text;
        }
        AppendLine(text, edd::FormatHexRow(edid, start, EddTableReader::BytesPerRow));
    }
    AppendTimingSummary(text, parser.DetailedTiming(1), decimalSeparator);
    return text;
}

bool SaveDataFile(const std::filesystem::path& strFileName, std::span<const std::uint8_t> CurrentEDID,
                  const CEDIDParser& parser, char decimalSeparator)
{
    if (CurrentEDID.size() < 2) {
        return false;
    }
    try {
        return ReplaceFileContent(strFileName, FormatDataFile(CurrentEDID, parser, decimalSeparator));
    } catch (const std::exception&) {
        return false;
    }
}

bool LoadDataFile(const std::filesystem::path& strFileName, std::vector<std::uint8_t>& CurrentEDID)
{
    try {
        CurrentEDID.assign(EddTableReader::TableSize, 0);
        std::ifstream file(strFileName, std::ios::binary);
        if (!file.is_open()) {
            return false;
        }
        return LoadDataFile(file, CurrentEDID);
    } catch (const std::exception&) {
        return false;
    }
}

bool LoadDataFile(std::istream& in, std::vector<std::uint8_t>& CurrentEDID)
{
    try {
        CurrentEDID.assign(EddTableReader::TableSize, 0);
        if (!in) {
            return false;
        }
        EddTableReader reader(std::span<std::uint8_t, EddTableReader::TableSize>(CurrentEDID.data(),
                                                                                  EddTableReader::TableSize));
        std::vector<char> chunk(readChunkSize);
        while (!reader.Done()) {
            in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            reader.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(in.gcount())));
            if (reader.Done()) {
                break;
            }
            if (in.bad()) {
                return false; // a read error, unlike the end of the file, is a failure
            }
            if (!in) {
                reader.Finish();
                break;
            }
        }
        return !reader.Failed();
    } catch (const std::exception&) {
        return false;
    }
}

char UserDecimalSeparator()
{
#ifdef _WIN32
    // The C++ library of mingw knows no locale but "C"; the user's choice is
    // in Windows's regional settings. A separator of several characters
    // cannot be written as one: the point then.
    wchar_t separator[4] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4) == 2 && separator[0] < 0x80 &&
        IsUsableSeparator(static_cast<char>(separator[0]))) {
        return static_cast<char>(separator[0]);
    }
    return '.';
#else
    // Building the user's locale costs more than writing a report, and the
    // window asks for every report: the answer is kept for as long as the
    // variables that name the locale read the same.
    thread_local std::string knownNames;
    thread_local char known = 0;
    std::string names = LocaleVariables();
    if (known != 0 && names == knownNames)
        return known;
    char separator = '.';
    try {
        separator = std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
        if (!IsUsableSeparator(separator))
            separator = '.';
    } catch (const std::runtime_error&) {
        // An unknown name in LANG or LC_* makes the user's locale unavailable.
    }
    knownNames = std::move(names);
    known = separator;
    return separator;
#endif
}

} // namespace tessarin
