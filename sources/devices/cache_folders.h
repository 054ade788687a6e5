#pragma once
// Where the window writes "data.vxr": beside the program, and where that
// folder does not take it (an installed program), in the user's cache folder.
#include <filesystem>
#include <vector>

namespace tessarin {

// The program's folder, then QStandardPaths::CacheLocation. Needs the
// QCoreApplication (and its name, which the cache folder is named after).
std::vector<std::filesystem::path> EDIDCacheFolders();

} // namespace tessarin
