// The three docked panels of the main window: the object tree with the instance list, the
// movie properties list and the preview panel (in a header of its own).
#pragma once

#include <QTabWidget>
#include <QTreeWidget>
#include <QWidget>

#include "shell/CMoviePreviewPanel.h"

namespace orvane {

class ScanResult;

/// "Movie Objects": the "Object Library" tree, the "Object Instances" list and the
/// "Assets" tree of vector assets and frames.
class CMovieObjectsPanel : public QTabWidget {
  Q_OBJECT

 public:
  explicit CMovieObjectsPanel(QWidget* parent = nullptr);

  /// Refills the tabs from the scan (none: "No Movie Objects" and "No Items").
  void refill(const ScanResult* result, bool showDetails, bool showEmpty);

  QTreeWidget* objectTree() const { return m_tree; }
  QTreeWidget* instanceList() const { return m_instances; }
  QTreeWidget* assetTree() const { return m_assets; }

 signals:
  /// A tree item was selected or an instance double-clicked.
  void changeView(int kind, int id);

 private:
  void onTreeSelection();
  void onInstanceActivated(QTreeWidgetItem* item);
  void onAssetSelection();

  QTreeWidget* m_tree;
  QTreeWidget* m_instances;
  QTreeWidget* m_assets;
};

/// "Movie Properties": the header values and object counts.
class CMoviePropertiesPanel : public QTreeWidget {
  Q_OBJECT

 public:
  explicit CMoviePropertiesPanel(QWidget* parent = nullptr);
  void refill(const ScanResult* result);

 signals:
  void editPropertiesRequested();
};

}  // namespace orvane
