// The main window's commands: loading, saving, printing, copying, and the
// tree's and the pane's own events.
#include "main_window.h"

#include "cache_folders.h"
#include "device_components.h"
#include "device_readers.h"
#include "monitor_load.h"
#include "select_dialog.h"

#include "edd_file.h"
#include "edid_commands.h"
#include "edid_input.h"
#include "edid_report.h"
#include "program_info.h"
#include "replace_file.h"
#include "report_pane.h"
#include "report_printer.h"
#include "rtf_range.h"
#include "section_tree_widget.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>

namespace tessarin {
namespace {

// The dialogs' filters. On Windows "*.*" is every file; elsewhere it would
// hide the files without a dot (a display's "edid" under /sys among them).
QString AllFilesPattern()
{
#ifdef Q_OS_WIN
    return QStringLiteral("*.*");
#else
    return QStringLiteral("*");
#endif
}

QStringList EddFilters()
{
    return {QStringLiteral("EDID Data Files (*.edd)"), QStringLiteral("All Files (%1)").arg(AllFilesPattern())};
}

QStringList RtfFilters()
{
    return {QStringLiteral("RTF Files (*.rtf)"), AllFilesPattern()};
}

// Where the file dialogs start: the program's folder, unless the program is
// installed where the user cannot write (then the home folder).
QString StartFolder()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return QFileInfo(programFolder).isWritable() ? programFolder : QDir::homePath();
}

// The chosen file, or "" when the dialog was cancelled or left empty.
QString RunFileDialog(QWidget* parent, const QString& title, const QStringList& filters,
                      QFileDialog::AcceptMode mode, const QString& fileName)
{
    QFileDialog dialog(parent, title, StartFolder());
    dialog.setObjectName(QStringLiteral("CommonDialog"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // As the original dialogs: a save replaces an existing file without asking.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString FirstLocalFile(const QMimeData* mime)
{
    if (mime == nullptr)
        return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

} // namespace

bool frmMain::LoadEdidFile(const QString& fileName, QString* whyNot)
{
    // A device or a pipe (a dropped /dev/zero) could be read for ever.
    if (QFileInfo::exists(fileName) && !QFileInfo(fileName).isFile() && !QFileInfo(fileName).isDir()) {
        if (whyNot != nullptr)
            *whyNot = QStringLiteral("not a regular file");
        return false;
    }
    return LoadEdidInput(ReadEdidFile(QFile::encodeName(fileName).toStdString()), whyNot);
}

void frmMain::mnuRegistry_Click()
{
    const std::unique_ptr<MonitorStore> store
        = options_.openMonitorStore ? options_.openMonitorStore() : OpenSystemMonitorStore();
    if (!store)
        return;
    selectedMonitorIndex_ = frmSelect::SelectMonitor(*store, system_.IsWindows7, this);
    if (selectedMonitorIndex_ < 0)
        return;
    const std::vector<std::filesystem::path> folders
        = options_.cacheFolders.empty() ? EDIDCacheFolders() : options_.cacheFolders;
    if (LoadRegistryEDID(*store, selectedMonitorIndex_, currentEdid_, parser_, folders)) {
        mnuSaveEDD_->setEnabled(true);
        ShowReport();
    }
}

void frmMain::mnuQorinDrive_Click()
{
    if (ReadEDIDFromQorinDrive(devices_ ? devices_->QorinDrive() : nullptr, currentEdid_, parser_)) {
        mnuSaveEDD_->setEnabled(true);
        ShowReport();
    }
}

void frmMain::mnuQorinLite_Click()
{
    // 256 single-byte reads over the display data channel take a while.
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const bool read = ReadEDIDFromQorinLite(devices_ ? devices_->QorinBase() : nullptr, currentEdid_, parser_);
    QGuiApplication::restoreOverrideCursor();
    if (read) {
        mnuSaveEDD_->setEnabled(true);
        ShowReport();
    }
}

void frmMain::ShowReport()
{
    DisplayEDIDBase(ReportContext{writer_, parser_, UserDecimalSeparator()});
}

bool frmMain::SaveReport(const QString& fileName)
{
    // Before the first load the pane is empty, and so is the saved document.
    const std::string content = ReportDocument().empty() ? WriteRtf(richTextBox_->Content())
                                                         : writer_.CompleteDocument();
    return ReplaceFileContent(QFile::encodeName(fileName).toStdString(), content);
}

bool frmMain::SaveEdd(const QString& fileName)
{
    return SaveDataFile(QFile::encodeName(fileName).toStdString(), currentEdid_, parser_, UserDecimalSeparator());
}

int frmMain::PrintReport(QPrinter& printer)
{
    return PrintRTF(richTextBox_->Content(), printer, PrintMargins{});
}

void frmMain::mnuLoadEDD_Click()
{
    const QString fileName =
        RunFileDialog(this, QStringLiteral("Open Selected File"), EdidLoadFilters(), QFileDialog::AcceptOpen, {});
    if (fileName.isEmpty())
        return;
    dialogFileName_ = fileName;
    // A file that is refused leaves everything as it was, silently.
    LoadEdidFile(fileName);
}

void frmMain::mnuSaveEDD_Click()
{
    if (currentEdid_.empty())
        return;
    const QString proposed = dialogFileName_.isEmpty() ? QStringLiteral("Untitled.edd") : dialogFileName_;
    const QString fileName =
        RunFileDialog(this, QStringLiteral("File Save As"), EddFilters(), QFileDialog::AcceptSave, proposed);
    if (fileName.isEmpty())
        return;
    dialogFileName_ = fileName;
    if (!SaveEdd(fileName))
        QMessageBox::warning(this, ProgramTitle(), QStringLiteral("The file could not be written:\n") + fileName);
}

void frmMain::mnuSave_Click()
{
    const QString fileName =
        RunFileDialog(this, QStringLiteral("File Save As"), RtfFilters(), QFileDialog::AcceptSave, {});
    if (fileName.isEmpty())
        return;
    if (!SaveReport(fileName))
        QMessageBox::warning(this, ProgramTitle(), QStringLiteral("The file could not be written:\n") + fileName);
}

void frmMain::mnuPrint_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("CommonDialog"));
    dialog.setWindowTitle(QStringLiteral("Select Printer"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (PrintReport(printer) == 0)
        QMessageBox::warning(this, ProgramTitle(), QStringLiteral("The report could not be printed."));
}

void frmMain::mnuSelectAndCopy_Click()
{
    // Everything but the last display line, the empty one every report ends with.
    richTextBox_->Select(0, 0);
    const std::int32_t last = richTextBox_->FirstCharOfLine(richTextBox_->LineCount() - 1);
    richTextBox_->Select(0, last < 1 ? richTextBox_->PlainTextLength() : last);
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/rtf"), QByteArray::fromStdString(richTextBox_->SelectedRtf()));
    mime->setText(QString::fromStdString(richTextBox_->SelectedText()));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void frmMain::RichTextBox_PopUp(const QPoint& position)
{
    mnuPopup_->popup(richTextBox_->viewport()->mapToGlobal(position));
}

void frmMain::TreeView1_NodeClick(const QString& tag)
{
    writer_.NodeClick(tag.toStdString());
}

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* mime = event->mimeData();
    // Text only when it holds an EDID: the cursor tells before the drop.
    if (!FirstLocalFile(mime).isEmpty() ||
        (mime != nullptr && mime->hasText() && ReadEdidData(mime->text().toStdString()).error.empty()))
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    const QString fileName = FirstLocalFile(event->mimeData());
    if (!fileName.isEmpty()) {
        event->acceptProposedAction();
        LoadEdidFile(fileName);
    } else if (event->mimeData() != nullptr && event->mimeData()->hasText()) {
        event->acceptProposedAction();
        LoadEdidData(event->mimeData()->text().toUtf8());
    }
}

} // namespace tessarin
