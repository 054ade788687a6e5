#pragma once
// The About box: title, version, what the program does, who makes it, and a
// way to the system's own information program.
#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;

namespace tessarin {

class frmAbout final : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    // Starts the first system-information program of SysInfoPrograms() found
    // on the PATH; without one, says so in a message box. Returns whether
    // a program was started.
    bool StartSysInfo();
    // Looked for in this order; on Windows only the one the registry names.
    static QStringList SysInfoPrograms();

private:
    QLabel* Link(const QString& objectName, const QString& text, const QString& url);
};

} // namespace tessarin
