#pragma once
#include <memory>

#include <QMainWindow>
#include <QString>

class QComboBox;

namespace lumi {
class Host;
class SceneViewDocument;
}  // namespace lumi

namespace lumi::app {

class CPlenivorView;
class QtHost;

// The program's one main window.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  CPlenivorView* View() const { return view_; }
  QComboBox* ZoomList() const { return zoom_list_; }
  // Shows a JSON scene in the view; a scene that cannot be read is reported and the
  // document shown so far stays.
  bool ShowScene(const QString& path);

 private:
  void CreateBars();

  std::unique_ptr<QtHost> host_;
  std::unique_ptr<SceneViewDocument> document_;
  CPlenivorView* view_ = nullptr;
  QComboBox* zoom_list_ = nullptr;
};

}  // namespace lumi::app
