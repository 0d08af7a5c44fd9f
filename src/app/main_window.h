#pragma once
#include <memory>

#include <QMainWindow>
#include <QString>

#include "document/plenivor_doc.h"
#include "help_command.h"

class QAction;
class QComboBox;

namespace lumi {
class Host;
class PlenivorViewDocument;
}  // namespace lumi

namespace lumi::app {

class AppServices;
class CPlenivorView;
class MainFrame;
class PrintCommand;
class RecentFiles;

// The program's one main window: the project document, its view, the menus and the
// file commands.
class MainWindow : public QMainWindow, private DocumentViews {
  Q_OBJECT
 public:
  // `host` answers the document and the view; without one the window's own Qt dialogs
  // do. Starts with a new document made from the settings.
  explicit MainWindow(AppServices& services, std::unique_ptr<Host> host = nullptr,
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  CPlenivorView* View() const { return view_; }
  QComboBox* ZoomList() const { return zoom_list_; }
  CPlenivorDoc& Document() { return *document_; }
  Host& GetHost() { return *host_; }
  RecentFiles& Recent() { return *recent_; }
  // The bars, panels, status panes and View toggles around the view.
  MainFrame& Frame() { return *frame_; }
  // Tests replace the desktop's URL handler.
  void SetUrlOpener(UrlOpener open) { url_opener_ = std::move(open); }

  // The file commands after their dialogs. Each first asks to save a modified document
  // where it replaces it, and returns false when the user cancelled or the work failed.
  bool NewFile();
  bool OpenFile(const QString& path);
  // "Save": to the document's path, or through the Save As dialog when it needs a name.
  bool SaveFile();
  bool SaveFileAs(const QString& path, SaveFilter filter);
  // Asks whether to save a modified document that holds objects; Yes saves. False
  // means keep the document (Cancel, or the save failed).
  bool SaveModified();
  // Opens entry `index` of the recent files; a file that cannot be opened leaves the
  // list. False when nothing was opened.
  bool OpenRecentFile(int index);
  // Opens `path` one second from now, once start-up has settled.
  void OpenAfterStartUp(const QString& path);
  void ShowHelp();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // What the document tells its views.
  void UpdateAllViews(int hint) override;
  void RebuildLayers() override;
  void ShowMultimediaBar() override;

  void CreateBars();
  void CreateMenus();
  void OpenWithDialog();
  // Opens without asking to save first; a project that opens joins the recent files.
  bool OpenWithoutAsking(const QString& path);
  // The document's path, once it has one, becomes the newest recent file.
  void AddDocumentToRecent();
  // The File menu's recent entries show the list.
  void UpdateRecentMenu();
  bool SaveAsWithDialog();
  void ShowAbout();
  // The view shows the document's new contents and the title its name.
  void DocumentReplaced();
  void UpdateTitle();

  AppServices& services_;
  std::unique_ptr<Host> host_;
  std::unique_ptr<CPlenivorDoc> document_;
  std::unique_ptr<PlenivorViewDocument> view_document_;
  CPlenivorView* view_ = nullptr;
  QComboBox* zoom_list_ = nullptr;
  UrlOpener url_opener_;
  std::unique_ptr<RecentFiles> recent_;
  QList<QAction*> recent_actions_;
  QAction* no_recent_action_ = nullptr;
  std::unique_ptr<PrintCommand> print_;
  MainFrame* frame_ = nullptr;
};

}  // namespace lumi::app
