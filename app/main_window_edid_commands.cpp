// The window's EDID commands beyond the report: every layout in (files,
// dropped and pasted text), the bytes out as hex and as a redacted copy.
#include "main_window.h"

#include "edid_commands.h"
#include "file_dialogs.h"
#include "select_dialog.h"

#include "edid_input.h"
#include "edid_parser.h"
#include "edid_redact.h"
#include "program_info.h"
#include "replace_file.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace tessarin {

QStringList EdidLoadFilters()
{
    const QString all = QStringLiteral("All Files (*)");
#ifdef Q_OS_WIN
    const QString every = QStringLiteral("All Files (*.*)");
#else
    const QString every = all;
#endif
    return {
        QStringLiteral("EDID Data Files (*.edd *.bin edid)"),
        QStringLiteral("All EDID files (*.edd *.bin edid *.txt *.hex *.xxd *.dump *.log *.c *.h *.b64 *.base64 *.reg)"),
        QStringLiteral("Hex dumps: xxd, hexdump, od, edid-decode (*.txt *.hex *.xxd *.dump *.log)"),
        QStringLiteral("xrandr output (*.txt *.log)"),
        QStringLiteral("C arrays (*.c *.h)"),
        QStringLiteral("Base64 (*.b64 *.base64 *.txt)"),
        QStringLiteral("Windows registry exports (*.reg)"),
        every,
    };
}

QString EdidHexText(const std::vector<std::uint8_t>& bytes)
{
    QString text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text += QStringLiteral("%1").arg(bytes[i], 2, 16, QLatin1Char('0'));
        text += (i % 16 == 15 || i + 1 == bytes.size()) ? QLatin1Char('\n') : QLatin1Char(' ');
    }
    return text;
}

namespace {

// One entry of the choice among several EDIDs: its name where the layout
// gives one, and who made it.
QString EntryText(const FoundEdid& edid, std::size_t index)
{
    CEDIDParser parser;
    parser.UpdateEDIDDataFromArray(DecoderBytes(edid.bytes));
    QString text = QString::number(index + 1) + QStringLiteral(". ");
    if (!edid.name.empty())
        text += QString::fromStdString(edid.name) + QStringLiteral(" - ");
    text += QString::fromStdString(parser.ManufacturerID());
    const std::string name = parser.MonitorName();
    if (!name.empty())
        text += QLatin1Char(' ') + QString::fromLatin1(name.data(), static_cast<int>(name.size()));
    return text;
}

} // namespace

bool frmMain::LoadEdidData(const QByteArray& text, QString* whyNot)
{
    return LoadEdidInput(ReadEdidData(std::string_view(text.constData(), static_cast<std::size_t>(text.size()))),
                         {}, whyNot);
}

bool frmMain::LoadEdidInput(const EdidInput& input, const QString& source, QString* whyNot)
{
    const auto refuse = [&](const QString& why) {
        if (whyNot != nullptr)
            *whyNot = why;
        ShowRefusal(QStringLiteral("%1 was not loaded: %2")
                        .arg(source.isEmpty() ? QStringLiteral("The text") : QFileInfo(source).fileName(), why));
        return false;
    };
    if (!input.error.empty())
        return refuse(QString::fromStdString(input.error));
    std::size_t index = 0;
    if (input.edids.size() > 1) {
        QStringList entries;
        for (std::size_t i = 0; i < input.edids.size(); ++i)
            entries << EntryText(input.edids[i], i);
        const std::int16_t picked = frmSelect::SelectEntry(entries, this);
        if (picked < 0) {
            // The user's own choice: nothing to say.
            if (whyNot != nullptr)
                *whyNot = QStringLiteral("no EDID picked");
            return false;
        }
        index = static_cast<std::size_t>(picked);
    }
    const std::vector<std::uint8_t> edid = DecoderBytes(input.edids[index].bytes);
    if (!parser_.UpdateEDIDDataFromArray(edid))
        return refuse(QStringLiteral("not taken by the decoder"));
    // Only now: the bytes held are always those of the report shown, so a
    // later save saves what the user sees.
    currentEdid_ = edid;
    nextFullEdid_ = input.edids[index].bytes;
    UpdateEdidCommands();
    ShowLoaded(source);
    return true;
}

std::vector<std::uint8_t> frmMain::EdidAsRead() const
{
    return shownEdid_.empty() ? currentEdid_ : shownEdid_;
}

bool frmMain::SaveRedactedCopy(const QString& fileName)
{
    if (currentEdid_.empty())
        return false;
    const std::vector<std::uint8_t> redacted = RedactEdid(EdidAsRead()).bytes;
    return ReplaceFileContent(QFile::encodeName(fileName).toStdString(),
                              std::string(redacted.begin(), redacted.end()));
}

void frmMain::BuildEdidCommands(QMenu* mnuFile)
{
    mnuSaveRedacted_ = mnuFile->addAction(QStringLiteral("Save Redacted Copy..."));
    mnuSaveRedacted_->setObjectName(QStringLiteral("mnuSaveRedacted"));
    connect(mnuSaveRedacted_, &QAction::triggered, this, &frmMain::mnuSaveRedacted_Click);

    QMenu* mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    QAction* mnuPaste = mnuEdit->addAction(QStringLiteral("Paste EDID"));
    mnuPaste->setObjectName(QStringLiteral("mnuPasteEDID"));
    mnuPaste->setShortcut(QKeySequence::Paste);
    connect(mnuPaste, &QAction::triggered, this, &frmMain::mnuPasteEDID_Click);
    mnuCopyHex_ = mnuEdit->addAction(QStringLiteral("Copy EDID as Hex"));
    mnuCopyHex_->setObjectName(QStringLiteral("mnuCopyEdidHex"));
    connect(mnuCopyHex_, &QAction::triggered, this, &frmMain::mnuCopyEdidHex_Click);

    // Every source fills CurrentEDID; the menus look when they open.
    connect(mnuFile, &QMenu::aboutToShow, this, &frmMain::UpdateEdidCommands);
    connect(mnuEdit, &QMenu::aboutToShow, this, &frmMain::UpdateEdidCommands);
    UpdateEdidCommands();
}

void frmMain::UpdateEdidCommands()
{
    // Nothing to copy or save before the first load.
    mnuSaveRedacted_->setEnabled(!currentEdid_.empty());
    mnuCopyHex_->setEnabled(!currentEdid_.empty());
}

void frmMain::mnuPasteEDID_Click()
{
    // A refusal shows in the status bar, as a refused file's does.
    LoadEdidData(QGuiApplication::clipboard()->text().toUtf8());
}

void frmMain::mnuCopyEdidHex_Click()
{
    if (!currentEdid_.empty())
        QGuiApplication::clipboard()->setText(EdidHexText(EdidAsRead()));
}

void frmMain::mnuSaveRedacted_Click()
{
    if (currentEdid_.empty())
        return;
    const QString fileName = AskForFile(this, {QStringLiteral("Save Redacted Copy"), BinaryEdidFilters(),
                                               QFileDialog::AcceptSave,
                                               SuggestedFileName(parser_) + QStringLiteral(" (redacted).bin"),
                                               QStringLiteral("bin")});
    if (fileName.isEmpty())
        return;
    if (!SaveRedactedCopy(fileName))
        QMessageBox::warning(this, ProgramTitle(), QStringLiteral("The file could not be written:\n") + fileName);
}

} // namespace tessarin
