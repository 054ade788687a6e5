#include "file_dialogs.h"

#include "edid_parser.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tessarin {
namespace {

const QString kFolderKey = QStringLiteral("dialogs/folder");

// ~/.config/tessarin/tessarin.conf
QSettings Settings()
{
    return QSettings(QStringLiteral("tessarin"), QStringLiteral("tessarin"));
}

void RememberFolder(const QString& file)
{
    Settings().setValue(kFolderKey, QFileInfo(file).absolutePath());
}

} // namespace

QString DialogStartFolder()
{
    const QString remembered = Settings().value(kFolderKey).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    // Never the program's own folder: it is no place for a user's files.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString AskForFile(QWidget* parent, const FileRequest& request)
{
    QFileDialog dialog(parent, request.title, DialogStartFolder());
    dialog.setObjectName(QStringLiteral("CommonDialog"));
    dialog.setAcceptMode(request.mode);
    const bool open = request.mode == QFileDialog::AcceptOpen;
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    dialog.selectNameFilter(request.filters.first());
    if (!open)
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().first();
    RememberFolder(chosen);
    return chosen;
}

QStringList BinaryEdidFilters()
{
    return {QStringLiteral("Binary EDID (*.bin)"), QStringLiteral("All Files (*)")};
}

QString SuggestedFileName(const CEDIDParser& parser)
{
    QString name = QString::fromStdString(parser.MonitorName()).trimmed();
    if (name.isEmpty())
        name = QString::fromStdString(parser.ManufacturerID() + "-" + parser.IDProductId());
    for (QChar& c : name)
        if (c.unicode() < 0x20 || c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'"'
            || c == u'<' || c == u'>' || c == u'|')
            c = u'_';
    // A leading dot would hide the file.
    if (name.startsWith(u'.'))
        name[0] = u'_';
    return name;
}

} // namespace tessarin
