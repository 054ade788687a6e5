#include "main_window.h"

#include "about_box.h"
#include "device_components.h"
#include "edd_file.h"
#include "logo_strip.h"
#include "program_info.h"
#include "report_pane.h"
#include "section_tree_widget.h"
#include "splash_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QThread>
#include <QVBoxLayout>

namespace tessarin {

frmMain::frmMain(QWidget* parent)
    : frmMain(Options{}, parent)
{
}

frmMain::frmMain(Options options, QWidget* parent)
    : QMainWindow(parent)
    , options_(options)
    , richTextBox_(new ReportPane)
    , treeView1_(new SectionTreeWidget)
    , writer_(*richTextBox_, *treeView1_, options.refresh)
{
    setObjectName(QStringLiteral("frmMain"));
    // The design caption "Tessarin " and the version.
    setWindowTitle(ProgramTitle() + QStringLiteral(" V") + ProgramVersion());
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
    BuildControls();
    BuildMenus();

    connect(treeView1_, &SectionTreeWidget::NodeClicked, this, &frmMain::TreeView1_NodeClick);
    connect(richTextBox_, &QWidget::customContextMenuRequested, this, &frmMain::RichTextBox_PopUp);

    const QSize wanted(1000, 740);
    const QRect available = screen() != nullptr ? screen()->availableGeometry() : QRect(QPoint(), wanted);
    resize(wanted.boundedTo(available.size()));
}

frmMain::~frmMain() = default;

int frmMain::TwipsToPixelsX(double twips) const
{
    return qRound(twips * logicalDpiX() / 1440.0);
}

int frmMain::TwipsToPixelsY(double twips) const
{
    return qRound(twips * logicalDpiY() / 1440.0);
}

// The geometry of the original form, kept by layouts: the tree at a fixed
// width on the left, the pane taking the rest less 200 twips, both ending 100
// twips above the logo strip; the logo in the bottom-left corner, the memory
// line 150 twips above the bottom and the OS line right above it.
void frmMain::BuildControls()
{
    treeView1_->setObjectName(QStringLiteral("TreeView1"));
    treeView1_->setFixedWidth(TwipsToPixelsX(4275));
    richTextBox_->setObjectName(QStringLiteral("RichTextBox"));

    picLogo_ = new QLabel;
    picLogo_->setObjectName(QStringLiteral("PicLogo"));
    const QPixmap logo = LogoStrip(palette(), devicePixelRatioF());
    picLogo_->setPixmap(logo);
    picLogo_->setFixedSize(logo.deviceIndependentSize().toSize());
    lblOS_ = new QLabel;
    lblOS_->setObjectName(QStringLiteral("lblOS"));
    lblMemory_ = new QLabel;
    lblMemory_->setObjectName(QStringLiteral("lblMemory"));

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, TwipsToPixelsX(200), 0);
    top->setSpacing(0);
    top->addWidget(treeView1_);
    top->addWidget(richTextBox_, 1);

    auto* lines = new QVBoxLayout;
    lines->setContentsMargins(0, 0, 0, TwipsToPixelsY(150));
    lines->setSpacing(0);
    lines->addStretch();
    lines->addWidget(lblOS_);
    lines->addWidget(lblMemory_);

    auto* strip = new QHBoxLayout;
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(0);
    strip->addWidget(picLogo_, 0, Qt::AlignBottom);
    strip->addSpacing(TwipsToPixelsX(200));
    strip->addLayout(lines);
    strip->addStretch();

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(top, 1);
    column->addSpacing(TwipsToPixelsY(100));
    column->addLayout(strip);
    setCentralWidget(central);
    setTabOrder(treeView1_, richTextBox_);
    // Where a refused load says why: a label, not a status message, which a
    // menu entry's (empty) status tip would wipe as soon as the mouse passes.
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    lblStatus_ = new QLabel;
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    // A file name such as "<b>x.bin" is shown as it is, never as markup.
    lblStatus_->setTextFormat(Qt::PlainText);
    lblStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(lblStatus_, 1);
}

QString frmMain::StatusMessage() const
{
    return lblStatus_->text();
}

void frmMain::changeEvent(QEvent* event)
{
    // A new theme (a dark one) or a scaled screen: the strip's texts follow
    // the palette, its pixels the screen.
    if (picLogo_ != nullptr
        && (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange
            || event->type() == QEvent::ScreenChangeInternal))
        picLogo_->setPixmap(LogoStrip(palette(), devicePixelRatioF()));
    QMainWindow::changeEvent(event);
}

void frmMain::BuildMenus()
{
    const auto add = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };

    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuSave_ = add(mnuFile, "mnuSave", QStringLiteral("&Save as RTF File"));
    mnuSave_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(mnuSave_, &QAction::triggered, this, &frmMain::mnuSave_Click);
    mnuPrint_ = add(mnuFile, "mnuPrint", QStringLiteral("&Print RTF File"));
    mnuPrint_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(mnuPrint_, &QAction::triggered, this, &frmMain::mnuPrint_Click);
    // An empty report saved or printed is a blank document: offered once a report is shown.
    mnuSave_->setEnabled(false);
    mnuPrint_->setEnabled(false);
    QAction* mnuLoadEDD = add(mnuFile, "mnuLoadEDD", QStringLiteral("Load edd File"));
    mnuLoadEDD->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(mnuLoadEDD, &QAction::triggered, this, &frmMain::mnuLoadEDD_Click);
    mnuSaveEDD_ = add(mnuFile, "mnuSaveEDD", QStringLiteral("Save as edd File"));
    connect(mnuSaveEDD_, &QAction::triggered, this, &frmMain::mnuSaveEDD_Click);
    // Nothing to save before the first load: an existing file must not be
    // replaced by nothing.
    mnuSaveEDD_->setEnabled(false);

    QMenu* mnuRead = menuBar()->addMenu(QStringLiteral("&Read EDID"));
    mnuRead->setObjectName(QStringLiteral("mnuRead"));
#ifdef Q_OS_WIN
    QAction* mnuRegistry = add(mnuRead, "mnuRegistry", QStringLiteral("Read EDID From Windows Registry"));
#else
    QAction* mnuRegistry = add(mnuRead, "mnuRegistry", QStringLiteral("Read EDID From Linux DRM"));
#endif
    connect(mnuRegistry, &QAction::triggered, this, &frmMain::mnuRegistry_Click);
    mnuQorinDrive_ = add(mnuRead, "mnuQorinDrive", QStringLiteral("Read EDID From QorinDrive"));
    connect(mnuQorinDrive_, &QAction::triggered, this, &frmMain::mnuQorinDrive_Click);
    mnuQorinLite_ = add(mnuRead, "mnuQorinLite", QStringLiteral("Read EDID From QorinLite"));
    connect(mnuQorinLite_, &QAction::triggered, this, &frmMain::mnuQorinLite_Click);

    QMenu* mnuAboutGen = menuBar()->addMenu(QStringLiteral("&About"));
    mnuAboutGen->setObjectName(QStringLiteral("mnuAboutGen"));
    QAction* mnuAbout = add(mnuAboutGen, "mnuAbout", QStringLiteral("About Tessarin"));
    mnuAbout->setShortcut(QKeySequence(Qt::Key_F1));
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    // Ctrl+Q closes the window as a desktop user expects, without a menu entry.
    auto* quit = new QAction(this);
    quit->setObjectName(QStringLiteral("closeWindow"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WindowShortcut);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    addAction(quit);

    mnuPopup_ = new QMenu(QStringLiteral("PopMenu"), this);
    mnuPopup_->setObjectName(QStringLiteral("mnuPopup"));
    QAction* mnuSelectAndCopy = add(mnuPopup_, "mnuSelectAndCopy", QStringLiteral("Select All And Copy to ClipBoard"));
    connect(mnuSelectAndCopy, &QAction::triggered, this, &frmMain::mnuSelectAndCopy_Click);
}

void frmMain::StartUp()
{
    frmSplash splash;
    splash.show();
    // A missing or unconnected component only hides its entry.
    devices_ = std::make_unique<DeviceComponents>(
        options_.devicesFolder.isEmpty() ? DevicesFolder() : options_.devicesFolder);
    mnuQorinDrive_->setVisible(devices_->QorinDriveOffered());
    mnuQorinLite_->setVisible(devices_->QorinLiteOffered());
    Wait(static_cast<std::int32_t>(options_.splashPause.count()));
    splash.close();
    UpdateSystem();
}

void frmMain::Wait(std::int32_t lngPause)
{
    // A monotonic clock: a tick count that wraps would make the wait endless.
    QElapsedTimer clock;
    clock.start();
    do {
        QThread::msleep(1);
        QCoreApplication::processEvents();
    } while (clock.elapsed() <= lngPause);
}

void frmMain::UpdateSystem()
{
    system_ = ReadSystemInfo(UserDecimalSeparator());
    lblOS_->setText(QString::fromStdString(system_.osLine));
    lblMemory_->setText(QString::fromStdString(system_.memoryLine));
}

void frmMain::mnuAbout_Click()
{
    if (about_ == nullptr) {
        about_ = new frmAbout(this);
        about_->setAttribute(Qt::WA_DeleteOnClose);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

} // namespace tessarin
