// The main window's commands: loading, saving, printing, copying, and the
// tree's and the pane's own events.
#include "main_window.h"

#include "cache_folders.h"
#include "device_components.h"
#include "device_readers.h"
#include "monitor_load.h"
#include "monitor_walk.h"
#include "select_dialog.h"

#include "drm_monitor_store.h"
#include "edd_file.h"
#include "edid_input.h"
#include "edid_report.h"
#include "file_dialogs.h"
#include "program_info.h"
#include "replace_file.h"
#include "report_pane.h"
#include "report_printer.h"
#include "rtf_range.h"
#include "section_tree_widget.h"

#include <QAction>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
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
        ShowRefusal(QStringLiteral("%1 was not loaded: not a regular file").arg(QFileInfo(fileName).fileName()));
        return false;
    }
    const EdidInput input = ReadEdidFile(QFile::encodeName(fileName).toStdString());
    if (!input.error.empty() || !parser_.UpdateEDIDDataFromArray(input.edid)) {
        const QString why = QString::fromStdString(input.error.empty() ? "not taken by the decoder" : input.error);
        if (whyNot != nullptr)
            *whyNot = why;
        ShowRefusal(QStringLiteral("%1 was not loaded: %2").arg(QFileInfo(fileName).fileName(), why));
        return false;
    }
    // Only now: the bytes held are always those of the report shown, so a
    // later "Save as edd File" saves what the user sees.
    currentEdid_ = input.edid;
    ShowLoaded(fileName);
    return true;
}

void frmMain::ShowRefusal(const QString& message)
{
    // Not a message box: the load commands stay silent, yet the report on
    // screen must not pass for the one that was refused.
    lblStatus_->setText(message);
}

void frmMain::ShowLoaded(const QString& sourceFile)
{
    sourceFile_ = sourceFile;
    mnuSaveEDD_->setEnabled(true);
    mnuSave_->setEnabled(true);
    mnuPrint_->setEnabled(true);
    lblStatus_->clear();
    ShowReport();
}

void frmMain::mnuRegistry_Click()
{
    const std::unique_ptr<MonitorStore> store
        = options_.openMonitorStore ? options_.openMonitorStore() : OpenSystemMonitorStore();
    if (!store)
        return;
    // What the dialog is about to show: the names for a refusal.
    const std::vector<std::string> monitors = BuildDisplayList(*store, system_.IsWindows7);
    selectedMonitorIndex_ = frmSelect::SelectMonitor(*store, system_.IsWindows7, this);
    // The dialog showed an empty list: once it is closed, say where nothing was found.
    if (monitors.empty()) {
        const auto* drm = dynamic_cast<const DrmMonitorStore*>(store.get());
        const QString where = drm != nullptr ? QString::fromStdString(drm->Root().string())
                                             : QString::fromStdString(store->DisplayKey());
        ShowRefusal(QStringLiteral("No monitor with an EDID was found in %1.").arg(where));
        return;
    }
    if (selectedMonitorIndex_ < 0)
        return;
    const std::vector<std::filesystem::path> folders
        = options_.cacheFolders.empty() ? EDIDCacheFolders() : options_.cacheFolders;
    if (LoadRegistryEDID(*store, selectedMonitorIndex_, currentEdid_, parser_, folders)) {
        ShowLoaded({});
        return;
    }
    const auto picked = static_cast<std::size_t>(selectedMonitorIndex_);
    const QString name = picked < monitors.size() ? QString::fromStdString(ExtractName(monitors[picked])).trimmed()
                                                   : QStringLiteral("The monitor");
    ShowRefusal(QStringLiteral("%1 was not loaded: its EDID could not be read.").arg(name));
}

void frmMain::mnuQorinDrive_Click()
{
    std::string why;
    if (ReadEDIDFromQorinDrive(devices_ ? devices_->QorinDrive() : nullptr, currentEdid_, parser_, &why))
        ShowLoaded({});
    else
        ShowRefusal(QStringLiteral("Nothing was loaded from the QorinDrive: %1").arg(QString::fromStdString(why)));
}

void frmMain::mnuQorinLite_Click()
{
    // 256 single-byte reads over the display data channel take a while.
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    std::string why;
    const bool read = ReadEDIDFromQorinLite(devices_ ? devices_->QorinBase() : nullptr, currentEdid_, parser_, &why);
    QGuiApplication::restoreOverrideCursor();
    if (read)
        ShowLoaded({});
    else
        ShowRefusal(QStringLiteral("Nothing was loaded from the QorinLite: %1").arg(QString::fromStdString(why)));
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
        AskForFile(this, {QStringLiteral("Open Selected File"), EddFilters(), QFileDialog::AcceptOpen, {}, {}});
    if (fileName.isEmpty())
        return;
    // A file that is refused leaves the report as it was; the status bar says why.
    LoadEdidFile(fileName);
}

void frmMain::mnuSaveEDD_Click()
{
    if (currentEdid_.empty())
        return;
    // The ".edd" file the report came from, else a name made from the
    // monitor's: a raw EDID must not be offered to be overwritten with text.
    const bool fromEdd = QFileInfo(sourceFile_).suffix().compare(QLatin1String("edd"), Qt::CaseInsensitive) == 0;
    const QString proposed = fromEdd ? QFileInfo(sourceFile_).fileName()
                                     : SuggestedFileName(parser_) + QStringLiteral(".edd");
    const QString fileName = AskForFile(
        this, {QStringLiteral("File Save As"), EddFilters(), QFileDialog::AcceptSave, proposed, QStringLiteral("edd")});
    if (fileName.isEmpty())
        return;
    if (!SaveEdd(fileName))
        QMessageBox::warning(this, ProgramTitle(), QStringLiteral("The file could not be written:\n") + fileName);
}

void frmMain::mnuSave_Click()
{
    const QString proposed = currentEdid_.empty() ? QString() : SuggestedFileName(parser_) + QStringLiteral(".rtf");
    const QString fileName = AskForFile(
        this, {QStringLiteral("File Save As"), RtfFilters(), QFileDialog::AcceptSave, proposed, QStringLiteral("rtf")});
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
    if (PrintReport(printer) > 0)
        return;
    const int pages = PrintPageCount(richTextBox_->Content(), printer, PrintMargins{});
    if (pages > 0 && printer.printRange() == QPrinter::PageRange && printer.fromPage() > pages)
        QMessageBox::warning(
            this, ProgramTitle(),
            QStringLiteral("The report has %1 pages: none of them is in the range asked for.").arg(pages));
    else
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
    if (!FirstLocalFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    const QString fileName = FirstLocalFile(event->mimeData());
    if (fileName.isEmpty())
        return;
    event->acceptProposedAction();
    LoadEdidFile(fileName); // a refusal shows in the status bar
}

} // namespace tessarin
