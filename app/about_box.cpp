#include "about_box.h"

#include "logo_strip.h"
#include "program_info.h"
#ifdef Q_OS_WIN
#include "windows_system.h"
#endif

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

namespace tessarin {

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + ProgramTitle());

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(ProgramIcon().pixmap(QSize(64, 64), devicePixelRatioF()));
    picIcon->setAlignment(Qt::AlignTop);

    auto* lblTitle = new QLabel(ProgramTitle(), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    auto* lblVersion = new QLabel(QStringLiteral("Version ") + ProgramVersion(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* lblTessarin = new QLabel(ProgramDescription(), this);
    lblTessarin->setObjectName(QStringLiteral("lblTessarin"));
    lblTessarin->setWordWrap(true);
    auto* lblVEXOR = new QLabel(MakerName(), this);
    lblVEXOR->setObjectName(QStringLiteral("lblVEXOR"));

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addSpacing(8);
    text->addWidget(lblTessarin);
    text->addSpacing(8);
    text->addWidget(lblVEXOR);
    // The maker's web page and support address, when the build names them.
    if (!MakerWebAddress().isEmpty())
        text->addWidget(Link(QStringLiteral("lblDescription"), MakerWebAddress(), MakerWebAddress()));
    if (!MakerSupportEmail().isEmpty())
        text->addWidget(Link(QStringLiteral("lblEmail"), MakerSupportEmail(),
                             QStringLiteral("mailto:") + MakerSupportEmail()));
    text->addStretch();

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { StartSysInfo(); });
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picIcon);
    layout->addSpacing(12);
    layout->addLayout(text, 1);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setMinimumWidth(520);
}

QLabel* frmAbout::Link(const QString& objectName, const QString& text, const QString& url)
{
    auto* label = new QLabel(this);
    label->setObjectName(objectName);
    label->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toHtmlEscaped(), text.toHtmlEscaped()));
    label->setTextFormat(Qt::RichText);
    label->setCursor(Qt::PointingHandCursor);
    // A failing request (no browser, no mail program) is ignored.
    connect(label, &QLabel::linkActivated, this, [](const QString& target) { QDesktopServices::openUrl(QUrl(target)); });
    return label;
}

QStringList frmAbout::SysInfoPrograms()
{
#ifdef Q_OS_WIN
    // Only where the registry says it is; nothing is looked for on the PATH.
    const QString path = QString::fromStdWString(SysInfoProgramPath());
    return path.isEmpty() ? QStringList() : QStringList(path);
#else
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor")};
#endif
}

bool frmAbout::StartSysInfo()
{
    for (const QString& program : SysInfoPrograms()) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return true;
    }
    QMessageBox box(QMessageBox::NoIcon, ProgramTitle(), QStringLiteral("System Information Is Unavailable At This Time"),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("SysInfoUnavailable"));
    box.exec();
    return false;
}

} // namespace tessarin
