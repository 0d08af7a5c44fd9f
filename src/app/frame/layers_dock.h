#pragma once
// The "Layers" panel: every object of the document, front-most first, with its hidden
// and lock icons (a press on an icon toggles that state) and its label. A press selects
// the object; a double-click opens "Label Object"; the Delete key deletes the selected
// object through the window.
#include <QDialog>
#include <QDockWidget>
#include <QListWidget>
#include <functional>

#include "ui/layers_list.h"

class QCheckBox;
class QLineEdit;

namespace lumi {
class Settings;
}

namespace lumi::app {

// "Label Object": the label and the "Hide" and "Lock" checks.
class LabelObjectDialog : public QDialog {
  Q_OBJECT
 public:
  LabelObjectDialog(const LayerLine& line, QWidget* parent = nullptr);
  QString Label() const;
  bool Hidden() const;
  bool Locked() const;
  QLineEdit* LabelEdit() const { return label_; }
  QCheckBox* HideCheck() const { return hide_; }
  QCheckBox* LockCheck() const { return lock_; }

 private:
  QLineEdit* label_;
  QCheckBox* hide_;
  QCheckBox* lock_;
};

// The list: lines drawn in their colours with the two icons; it reports presses with
// their x so the panel knows which column was hit.
class LayersListWidget : public QListWidget {
  Q_OBJECT
 public:
  explicit LayersListWidget(QWidget* parent = nullptr);

 signals:
  void linePressed(int row, int x);
  void lineDoubleClicked(int row);
  void deletePressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

class LayersDock : public QDockWidget {
  Q_OBJECT
 public:
  // `objects` gives the document's object list each time it is needed.
  LayersDock(Settings& settings, std::function<ObjectList*()> objects, QWidget* parent = nullptr);

  // What the window does for the panel. `make_current`: the view's current object
  // becomes this one. `delete_selected`: the view's "Delete Object"; without it the
  // Delete key is left to others. `changed`: object states changed, repaint.
  std::function<void(const CDrawObject*)> make_current;
  std::function<void()> delete_selected;
  std::function<void()> changed;
  // Opens "Label Object"; tests answer it themselves. True on OK.
  std::function<bool(LabelObjectDialog&)> run_label_dialog;

  // The document's list or states changed.
  void Rebuild();
  void SetObject(const CDrawObject* object);
  // The View command showed or hid the panel.
  void SetPanelVisible(bool visible);

  // Places the floating panel at its saved "Left", "Top", "Width", "Height".
  void PlaceFromSettings(const QRect& screen, int icon_size);
  // Writes its place back.
  void SavePlace();

  const LayersList& Model() const { return model_; }
  LayersListWidget* List() const { return list_; }

 private:
  void Pressed(int row, int x);
  void DoubleClicked(int row);
  void ShowLines();

  Settings& settings_;
  std::function<ObjectList*()> objects_;
  LayersList model_;
  LayersListWidget* list_;
};

}  // namespace lumi::app
