// The main window's complete decode: View > Complete Decode, remembered
// across runs, and the saves that concern EDIDs longer than 256 bytes.
#include "main_window.h"

#include "edd_file.h"
#include "file_dialogs.h"
#include "edid_report.h"
#include "program_info.h"
#include "replace_file.h"
#include "report_pane.h"
#include "system_info.h"
#ifdef TESSARIN_COMPLETE_DECODE
#include "complete_decoder.h"
#endif

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>

#include <memory>
#include <optional>

namespace tessarin {

#ifdef TESSARIN_COMPLETE_DECODE
namespace {

constexpr const char* kCompleteDecodeKey = "View/CompleteDecode";

std::unique_ptr<QSettings> OpenSettings(const QString& file)
{
    if (!file.isEmpty())
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("tessarin"), QStringLiteral("tessarin"));
}

} // namespace
#endif

void frmMain::BuildCompleteDecodeMenus(QMenu* mnuFile)
{
    mnuSaveBinary_ = mnuFile->addAction(QStringLiteral("Save as Binary EDID"));
    mnuSaveBinary_->setObjectName(QStringLiteral("mnuSaveBinary"));
    connect(mnuSaveBinary_, &QAction::triggered, this, &frmMain::mnuSaveBinary_Click);
    mnuSaveBinary_->setEnabled(false);
}

void frmMain::BuildViewMenu()
{
#ifdef TESSARIN_COMPLETE_DECODE
    // Before the About menu, which stays last.
    auto* mnuView = new QMenu(QStringLiteral("&View"), this);
    mnuView->setObjectName(QStringLiteral("mnuView"));
    const QList<QAction*> bar = menuBar()->actions();
    menuBar()->insertMenu(bar.isEmpty() ? nullptr : bar.last(), mnuView);
    mnuCompleteDecode_ = mnuView->addAction(QStringLiteral("Complete Decode"));
    mnuCompleteDecode_->setObjectName(QStringLiteral("mnuCompleteDecode"));
    mnuCompleteDecode_->setCheckable(true);
    mnuCompleteDecode_->setChecked(OpenSettings(options_.settingsFile)->value(kCompleteDecodeKey, true).toBool());
    connect(mnuCompleteDecode_, &QAction::toggled, this, [this](bool shown) {
        OpenSettings(options_.settingsFile)->setValue(kCompleteDecodeKey, shown);
        if (!shownEdid_.empty())
            RenderShown();
    });
#endif
}

bool frmMain::CompleteDecodeShown() const
{
    return mnuCompleteDecode_ != nullptr && mnuCompleteDecode_->isChecked();
}

void frmMain::SetCompleteDecodeShown(bool shown)
{
    if (mnuCompleteDecode_ != nullptr)
        mnuCompleteDecode_->setChecked(shown);
}

void frmMain::ShowReport()
{
    shownEdid_ = nextFullEdid_.empty() ? currentEdid_ : std::move(nextFullEdid_);
    nextFullEdid_.clear();
    mnuSaveBinary_->setEnabled(!shownEdid_.empty());
    RenderShown();
}

void frmMain::RenderShown()
{
    ReportContext context{writer_, parser_, UserDecimalSeparator()};
#ifdef TESSARIN_COMPLETE_DECODE
    std::optional<complete::CompleteDecode> decode;
    if (CompleteDecodeShown()) {
        decode = complete::DecodeComplete(shownEdid_, context.decimalSeparator);
        context.complete = &*decode;
    }
#endif
    DisplayEDIDBase(context);
}

bool frmMain::SaveBinary(const QString& fileName)
{
    if (shownEdid_.empty())
        return false;
    const std::string_view bytes(reinterpret_cast<const char*>(shownEdid_.data()), shownEdid_.size());
    return ReplaceFileContent(QFile::encodeName(fileName).toStdString(), bytes);
}

void frmMain::mnuSaveBinary_Click()
{
    if (shownEdid_.empty())
        return;
    const QString fileName = AskForFile(this, {QStringLiteral("Save as Binary EDID"), BinaryEdidFilters(),
                                               QFileDialog::AcceptSave, SuggestedFileName(parser_) + QStringLiteral(".bin"),
                                               QStringLiteral("bin")});
    if (fileName.isEmpty())
        return;
    if (!SaveBinary(fileName))
        QMessageBox::warning(this, ProgramTitle(), QStringLiteral("The file could not be written:\n") + fileName);
}

bool frmMain::ConfirmEddLeavesOutBlocks()
{
    if (shownEdid_.size() <= 256)
        return true;
    const QString text =
        QStringLiteral("This EDID has %1 bytes (%2 blocks). An .edd file keeps the first 256: the blocks after "
                       "the first extension are not kept.\n\nFile > Save as Binary EDID keeps every byte.")
            .arg(shownEdid_.size())
            .arg((shownEdid_.size() + 127) / 128);
    return QMessageBox::warning(this, ProgramTitle(), text, QMessageBox::Save | QMessageBox::Cancel,
                                QMessageBox::Cancel) == QMessageBox::Save;
}

} // namespace tessarin
