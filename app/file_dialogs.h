#pragma once
// The window's file dialogs: where they start, the name a save proposes.
#include <QFileDialog>
#include <QString>
#include <QStringList>

class QWidget;

namespace tessarin {

class CEDIDParser;

struct FileRequest {
    QString title;
    QStringList filters; // the first one is selected
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    // A save's proposal: a bare name goes into the start folder.
    QString fileName;
    // A save's extension (no dot), added to a name typed without one.
    QString defaultSuffix;
};

// The file chosen, or "" when the dialog was cancelled. The dialog starts in
// the folder of the last file chosen in any of them, in this run or an
// earlier one (QSettings); the first time, in the user's documents folder,
// else the home folder. A save asks before it replaces a file (Qt's own
// question).
QString AskForFile(QWidget* parent, const FileRequest& request);

// Where the next dialog starts.
QString DialogStartFolder();

// "Binary EDID (*.bin)", then every file: the filters of the saves that
// write an EDID's bytes.
QStringList BinaryEdidFilters();

// A file name for a save of the shown EDID, without extension: the monitor's
// name, else its manufacturer and product IDs ("DEL-A0B1"); the characters
// a file name cannot hold become "_".
QString SuggestedFileName(const CEDIDParser& parser);

} // namespace tessarin
