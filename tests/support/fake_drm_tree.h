#pragma once
// A sysfs DRM folder built in a temporary directory, the way the kernel lays
// it out: one folder per connector ("card0-HDMI-A-1") holding "edid" and
// "status", beside the cards' own folders and the render nodes.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>
#include "test_files.h"

namespace tessarin::test {

// Tells apart the folders of tests running side by side, on any system.
inline std::string UniqueSuffix()
{
    return std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class FakeDrmTree {
public:
    explicit FakeDrmTree(std::string_view tag)
        : root_(std::filesystem::temp_directory_path() /
                ("tessarin-drm-" + std::string(tag) + "-" + UniqueSuffix()))
    {
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        // What every real tree has besides the connectors.
        std::filesystem::create_directories(root_ / "card0" / "device");
        std::filesystem::create_directories(root_ / "renderD128");
        std::ofstream(root_ / "version") << "drm 1.1.0 20060810\n";
    }
    ~FakeDrmTree()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    FakeDrmTree(const FakeDrmTree&) = delete;
    FakeDrmTree& operator=(const FakeDrmTree&) = delete;

    // A connector whose edid file holds `edid` (empty: nothing attached).
    std::filesystem::path AddConnector(const std::string& name, const std::vector<std::uint8_t>& edid,
                                       std::string_view status = "connected")
    {
        const std::filesystem::path dir = root_ / name;
        std::filesystem::create_directories(dir);
        WriteBytes(dir / "edid", edid);
        std::ofstream(dir / "status") << status << '\n';
        std::ofstream(dir / "enabled") << (status == "connected" ? "enabled" : "disabled") << '\n';
        return dir;
    }

    const std::filesystem::path& Root() const noexcept { return root_; }

private:
    std::filesystem::path root_;
};

} // namespace tessarin::test
