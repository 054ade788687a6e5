#include "cache_folders.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>

namespace tessarin {
namespace {

std::filesystem::path ToPath(const QString& folder)
{
#ifdef _WIN32
    return std::filesystem::path(folder.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(folder).toStdString());
#endif
}

} // namespace

std::vector<std::filesystem::path> EDIDCacheFolders()
{
    std::vector<std::filesystem::path> folders;
    folders.push_back(ToPath(QCoreApplication::applicationDirPath()));
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (!cache.isEmpty())
        folders.push_back(ToPath(cache));
    return folders;
}

} // namespace tessarin
