#pragma once
// Whole files read in one go, for tests.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tessarin::test {

inline std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path)
{
    const std::string text = ReadText(path);
    return {text.begin(), text.end()};
}

} // namespace tessarin::test
