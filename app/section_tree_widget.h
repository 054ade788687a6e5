#pragma once
// The tree of report sections beside the pane: keyed nodes with a text tag
// each (the line a click brings to the top), roots in bold.
#include "report_view.h"

#include <QTreeWidget>

#include <string>
#include <unordered_map>

namespace tessarin {

class SectionTreeWidget final : public QTreeWidget, public SectionTree {
    Q_OBJECT

public:
    explicit SectionTreeWidget(QWidget* parent = nullptr);

    void Clear() override;
    bool AddNode(const std::string& key, const std::string& text, const std::string& tag, bool bold,
                 const std::string& parentKey) override;
    void EnsureVisible(const std::string& key) override;

    QTreeWidgetItem* Node(const std::string& key) const;
    static std::string Key(const QTreeWidgetItem& item);
    static std::string Tag(const QTreeWidgetItem& item);

signals:
    // A click on a node, Enter on the current one, or a key that moves to
    // another one (the arrows, Page Up and Down, Home, End).
    void NodeClicked(const QString& tag);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ScrollToTarget();

    std::unordered_map<std::string, QTreeWidgetItem*> nodes_;
    QTreeWidgetItem* scrollTarget_ = nullptr;
};

} // namespace tessarin
