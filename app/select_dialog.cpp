#include "select_dialog.h"

#include "monitor_walk.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace tessarin {

frmSelect::frmSelect(const MonitorStore& store, bool IsWindows7, QWidget* parent)
    : QDialog(parent)
    , store_(&store)
    , isWindows7_(IsWindows7)
{
    BuildControls();
    Form_Load();
}

frmSelect::frmSelect(const QStringList& entries, QWidget* parent)
    : QDialog(parent)
{
    BuildControls();
    listDisplay_->addItems(entries);
    if (!entries.isEmpty())
        listDisplay_->setCurrentRow(0);
}

std::int16_t frmSelect::SelectEntry(const QStringList& entries, QWidget* parent)
{
    frmSelect dialog(entries, parent);
    dialog.exec();
    return dialog.SelectedMonitorIndex();
}

void frmSelect::BuildControls()
{
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle(QStringLiteral("Monitor Display Selection"));

    listDisplay_ = new QListWidget(this);
    listDisplay_->setObjectName(QStringLiteral("listDisplay"));
    listDisplay_->setSelectionMode(QAbstractItemView::SingleSelection);
    listDisplay_->setSortingEnabled(false);
    cmdShowEDID_ = new QPushButton(QStringLiteral("Show EDID Informations"), this);
    cmdShowEDID_->setObjectName(QStringLiteral("cmdShowEDID"));
    cmdShowEDID_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdShowEDID_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listDisplay_);
    layout->addLayout(buttons);
    resize(560, 260);

    connect(cmdShowEDID_, &QPushButton::clicked, this, &frmSelect::cmdShowEDID_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmSelect::cmdCancel_Click);
    connect(listDisplay_, &QListWidget::itemDoubleClicked, this, &frmSelect::cmdShowEDID_Click);
}

std::int16_t frmSelect::SelectMonitor(const MonitorStore& store, bool IsWindows7, QWidget* parent)
{
    frmSelect dialog(store, IsWindows7, parent);
    dialog.exec();
    return dialog.SelectedMonitorIndex();
}

void frmSelect::Form_Load()
{
    const std::vector<std::string> list = BuildDisplayList(*store_, isWindows7_);
    listDisplay_->clear();
    for (const std::string& entry : list)
        listDisplay_->addItem(QString::fromStdString(isWindows7_ ? entry : ExtractName(entry)));
    const std::int16_t index = GetActiveMonitor();
    if (index >= 0)
        listDisplay_->setCurrentRow(index);
}

// A walk of its own, as the list's: both see the store in the same order.
std::int16_t frmSelect::GetActiveMonitor() const
{
    return FirstActiveEntry(BuildDisplayList(*store_, isWindows7_));
}

void frmSelect::cmdShowEDID_Click()
{
    const QList<QListWidgetItem*> selected = listDisplay_->selectedItems();
    const int row = selected.isEmpty() ? -1 : listDisplay_->row(selected.first());
    // An index the window's 16-bit member cannot hold picks nothing.
    selectedMonitorIndex_ =
        row > std::numeric_limits<std::int16_t>::max() ? std::int16_t{-1} : static_cast<std::int16_t>(row);
    accept();
}

void frmSelect::cmdCancel_Click() { reject(); }

void frmSelect::reject()
{
    selectedMonitorIndex_ = -1;
    QDialog::reject();
}

} // namespace tessarin
