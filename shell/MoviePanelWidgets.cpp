#include "shell/MoviePanelWidgets.h"

#include <QFontDatabase>
#include <QHeaderView>

#include "movie/AssetTree.h"
#include "movie/MoviePanels.h"
#include "movie/ScanResult.h"
#include "shell/DisplayText.h"

namespace orvane {

namespace {

void configureList(QTreeWidget* list, const QStringList& headers, const QList<int>& widths) {
  list->setColumnCount(static_cast<int>(headers.size()));
  list->setHeaderLabels(headers);
  list->setRootIsDecorated(false);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setAlternatingRowColors(true);
  list->setUniformRowHeights(true);
  for (int column = 0; column < widths.size(); ++column) list->setColumnWidth(column, widths[column]);
}

constexpr int kViewKindRole = Qt::UserRole + 1;

void setItemData(QTreeWidgetItem* node, const ObjectTreeItem& item) {
  node->setData(0, Qt::UserRole, item.data);
  node->setData(0, kViewKindRole, item.viewKind);
}

void addTreeItems(QTreeWidgetItem* parent, const std::vector<ObjectTreeItem>& items) {
  for (const ObjectTreeItem& item : items) {
    auto* node = new QTreeWidgetItem(parent, QStringList{displayString(item.text)});
    setItemData(node, item);
    addTreeItems(node, item.children);
  }
}

/// Replaces the tree's items by `items`, the first one expanded.
void fillTree(QTreeWidget* tree, const std::vector<ObjectTreeItem>& items) {
  for (const ObjectTreeItem& item : items) {
    auto* top = new QTreeWidgetItem(tree, QStringList{displayString(item.text)});
    setItemData(top, item);
    addTreeItems(top, item.children);
  }
  if (QTreeWidgetItem* root = tree->topLevelItem(0)) root->setExpanded(true);
}

QTreeWidget* objectTreeWidget(QWidget* parent) {
  auto* tree = new QTreeWidget(parent);
  tree->setHeaderHidden(true);
  tree->setUniformRowHeights(true);
  tree->setFont(QFont(QStringLiteral("Arial"), 9));
  return tree;
}

}  // namespace

CMovieObjectsPanel::CMovieObjectsPanel(QWidget* parent)
    : QTabWidget(parent),
      m_tree(objectTreeWidget(this)),
      m_instances(new QTreeWidget(this)),
      m_assets(objectTreeWidget(this)) {
  configureList(m_instances, {tr("ID"), tr("Instance Name"), tr("Frame"), tr("Details")}, {35, 110, 80, 280});
  addTab(m_tree, tr("Object Library"));
  addTab(m_instances, tr("Object Instances"));
  addTab(m_assets, tr("Assets"));
  connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CMovieObjectsPanel::onTreeSelection);
  connect(m_assets, &QTreeWidget::itemSelectionChanged, this, &CMovieObjectsPanel::onAssetSelection);
  connect(m_instances, &QTreeWidget::itemDoubleClicked, this, &CMovieObjectsPanel::onInstanceActivated);
  refill(nullptr, false, false);
}

void CMovieObjectsPanel::refill(const ScanResult* result, bool showDetails, bool showEmpty) {
  const QSignalBlocker blocker(m_tree);
  const QSignalBlocker assetBlocker(m_assets);
  m_tree->clear();
  m_instances->clear();
  m_assets->clear();
  if (result == nullptr) {
    new QTreeWidgetItem(m_tree, QStringList{QStringLiteral("No Movie Objects")});
    new QTreeWidgetItem(m_instances, QStringList{QStringLiteral("0"), QStringLiteral("No Items")});
    new QTreeWidgetItem(m_assets, QStringList{QStringLiteral("No Movie Objects")});
    return;
  }
  fillTree(m_tree, orvane::objectTree(*result, showDetails, showEmpty));
  fillTree(m_assets, orvane::assetTree(*result, showDetails, showEmpty));
  for (const InstanceRow& row : instanceRows(*result, showDetails)) {
    new QTreeWidgetItem(m_instances, QStringList{displayString(row.id), displayString(row.instanceName),
                                                 displayString(row.frame), displayString(row.details)});
  }
}

void CMovieObjectsPanel::onTreeSelection() {
  const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
  if (selected.isEmpty()) return;
  const QTreeWidgetItem* item = selected.front();
  const int kind = changeViewKind(item->text(0).toStdString());
  emit changeView(kind, item->data(0, Qt::UserRole).toInt());
}

void CMovieObjectsPanel::onAssetSelection() {
  const QList<QTreeWidgetItem*> selected = m_assets->selectedItems();
  if (selected.isEmpty()) return;
  const QTreeWidgetItem* item = selected.front();
  emit changeView(item->data(0, kViewKindRole).toInt(), item->data(0, Qt::UserRole).toInt());
}

void CMovieObjectsPanel::onInstanceActivated(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  emit changeView(viewkind::kInstance, item->text(0).toInt());
}

CMoviePropertiesPanel::CMoviePropertiesPanel(QWidget* parent) : QTreeWidget(parent) {
  configureList(this, {tr("Property"), tr("Value")}, {115, 110});
  connect(this, &QTreeWidget::itemDoubleClicked, this, &CMoviePropertiesPanel::editPropertiesRequested);
}

void CMoviePropertiesPanel::refill(const ScanResult* result) {
  if (result == nullptr) return;
  clear();
  for (const PropertyRow& row : moviePropertyRows(*result)) {
    new QTreeWidgetItem(this, QStringList{displayString(row.property), displayString(row.value)});
  }
}

}  // namespace orvane
