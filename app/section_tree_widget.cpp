#include "section_tree_widget.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace tessarin {
namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kTagRole = Qt::UserRole + 1;

} // namespace

SectionTreeWidget::SectionTreeWidget(QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(false); // a dropped file goes to the window, which loads it
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Wide enough for the longest title, scrolled sideways beyond the tree's
    // width. Sized once a report is in (SizeColumn), not on every node.
    header()->setStretchLastSection(false);
    const auto emitTag = [this](QTreeWidgetItem* item) {
        if (item != nullptr)
            emit NodeClicked(QString::fromStdString(Tag(*item)));
    };
    connect(this, &QTreeWidget::itemClicked, this, emitTag);
    connect(this, &QTreeWidget::itemActivated, this, emitTag);
}

void SectionTreeWidget::keyPressEvent(QKeyEvent* event)
{
    QTreeWidgetItem* before = currentItem();
    QTreeWidget::keyPressEvent(event);
    if (currentItem() != nullptr && currentItem() != before)
        emit NodeClicked(QString::fromStdString(Tag(*currentItem())));
}

void SectionTreeWidget::Clear()
{
    clear();
    nodes_.clear();
    scrollTarget_ = nullptr;
}

bool SectionTreeWidget::AddNode(const std::string& key, const std::string& text, const std::string& tag,
                                bool bold, const std::string& parentKey)
{
    if (nodes_.count(key) != 0)
        return false;
    QTreeWidgetItem* parent = nullptr;
    if (!parentKey.empty()) {
        parent = Node(parentKey);
        if (parent == nullptr)
            return false;
    }
    auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, QString::fromStdString(text));
    item->setData(0, kKeyRole, QString::fromStdString(key));
    item->setData(0, kTagRole, QString::fromStdString(tag));
    if (bold) {
        QFont font = item->font(0);
        font.setBold(true);
        item->setFont(0, font);
    }
    nodes_.emplace(key, item);
    return true;
}

void SectionTreeWidget::EnsureVisible(const std::string& key)
{
    QTreeWidgetItem* item = Node(key);
    if (item == nullptr)
        return;
    for (QTreeWidgetItem* parent = item->parent(); parent != nullptr; parent = parent->parent())
        parent->setExpanded(true);
    // A report asks this of every section in turn; scrolling lays the whole
    // tree out each time, so only the last request is carried out, once the
    // report is in.
    const bool queued = scrollTarget_ != nullptr;
    scrollTarget_ = item;
    if (!queued)
        QMetaObject::invokeMethod(this, &SectionTreeWidget::ScrollToTarget, Qt::QueuedConnection);
}

void SectionTreeWidget::ScrollToTarget()
{
    if (scrollTarget_ != nullptr) {
        resizeColumnToContents(0);
        scrollToItem(scrollTarget_);
    }
    scrollTarget_ = nullptr;
}

QTreeWidgetItem* SectionTreeWidget::Node(const std::string& key) const
{
    const auto it = nodes_.find(key);
    return it == nodes_.end() ? nullptr : it->second;
}

std::string SectionTreeWidget::Key(const QTreeWidgetItem& item)
{
    return item.data(0, kKeyRole).toString().toStdString();
}

std::string SectionTreeWidget::Tag(const QTreeWidgetItem& item)
{
    return item.data(0, kTagRole).toString().toStdString();
}

} // namespace tessarin
