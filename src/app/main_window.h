#pragma once
#include <memory>

#include <QMainWindow>
#include <QString>

#include "document/plenivor_doc.h"
#include "help_command.h"
#include "collections/style_library.h"
#include "library_view_link.h"

class QAction;
class QMenu;
class QComboBox;

namespace lumi {
class CBackupScheduler;
class Host;
class PlenivorViewDocument;
class RunMark;
}  // namespace lumi

namespace lumi::app {

class AppServices;
class ObjectMenus;
class CPlenivorView;
class ObjectLibraryPanel;
class StyleLibraryPanel;
class MainFrame;
class PrintCommand;
class PropertyBars;
class QtBackupTimer;
class QtImageImport;
class QtTextDialog;
class RecentFiles;

// The program's one main window: the project document, its view, the menus and the
// file commands.
class MainWindow : public QMainWindow, private DocumentViews, private LibraryViewLink {
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
  StyleLibraryPanel* StylePanel() const { return style_panel_; }
  ObjectLibraryPanel* ObjectPanel() const { return object_panel_; }
  // The view side the library panels talk to.
  LibraryViewLink& LibraryLink() { return *this; }
  // The attributes new objects start with, which a style applied with nothing selected sets.
  const NewObjectDefaultSets& NewObjectDefaults() const { return new_object_defaults_; }
  // "Mutavia Color": the gene dialog on the current object; false when there is none or
  // the dialog was cancelled.
  bool EditCurrentGene();

  // The view operations of the library panels (also reached through the panels).
  void ApplyStyle(const std::filesystem::path& path) override;
  void InsertLibraryEntry(const std::filesystem::path& path, std::optional<Point> drop) override;
  // The Edit, Object and Bitmap menus' commands and the view's context menu.
  ObjectMenus& ObjectCommandMenus() { return *object_menus_; }
  // The bars, panels, status panes and View toggles around the view.
  MainFrame& Frame() { return *frame_; }
  // The property bars round the view, following its current object.
  PropertyBars& Bars() { return *bars_; }
  // Tests replace the desktop's URL handler.
  void SetUrlOpener(UrlOpener open) { url_opener_ = std::move(open); }

  // The file commands after their dialogs. Each first asks to save a modified document
  // where it replaces it, and returns false when the user cancelled or the work failed.
  bool NewFile();
  bool OpenFile(const QString& path);
  // "Save": to the document's path, or through the Save As dialog when it needs a name.
  bool SaveFile();
  bool SaveFileAs(const QString& path, ImageFormat format);
  // Asks whether to save a modified document that holds objects; Yes saves. False
  // means keep the document (Cancel, or the save failed).
  bool SaveModified();
  // Opens entry `index` of the recent files; a file that cannot be opened leaves the
  // list. False when nothing was opened.
  bool OpenRecentFile(int index);
  // Opens `path` one second from now, once start-up has settled.
  void OpenAfterStartUp(const QString& path);
  void ShowHelp();

  // Edit > Undo and Redo, enabled by what the document can do.
  void Undo();
  void Redo();
  void UpdateUndoActions();
  // This run's mark learns of every backup and save; null (tests) keeps none.
  void SetRunMark(RunMark* mark) { run_mark_ = mark; }
  // Opens a backup left by a crashed run as an untitled, modified drawing.
  bool OpenRecovered(const std::filesystem::path& backup);
  // The backup timer starts when the window is first shown; tests shorten its minutes.
  QtBackupTimer& BackupTimerForTests() { return *backup_timer_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // What the document tells its views.
  void UpdateAllViews(int hint) override;
  void RebuildLayers() override;
  void ShowMultimediaBar() override;

  void CreateBars();
  void CreatePanels();
  void CreatePropertyBars();
  // What the library panels ask of the view.
  Host& LinkHost() override { return *host_; }
  const CDrawObject* CurrentObject() override;
  std::vector<const CDrawObject*> SelectedObjects() override;
  CDrawObject* MutableCurrentObject();
  void CreateMenus();
  // Edit's object commands, the Object and Bitmap menus and the view's context menu.
  void CreateObjectMenus(QMenu& edit_menu);
  // The tools and the node commands, with their check marks.
  void CreateToolsMenu();
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
  std::unique_ptr<QtTextDialog> text_dialog_;
  std::unique_ptr<QtImageImport> image_import_;
  std::unique_ptr<PlenivorViewDocument> view_document_;
  CPlenivorView* view_ = nullptr;
  QComboBox* zoom_list_ = nullptr;
  UrlOpener url_opener_;
  std::unique_ptr<RecentFiles> recent_;
  QList<QAction*> recent_actions_;
  QAction* no_recent_action_ = nullptr;
  std::unique_ptr<PrintCommand> print_;
  StyleLibraryPanel* style_panel_ = nullptr;
  ObjectLibraryPanel* object_panel_ = nullptr;
  NewObjectDefaultSets new_object_defaults_;
  QAction* undo_action_ = nullptr;
  QAction* redo_action_ = nullptr;
  std::unique_ptr<QtBackupTimer> backup_timer_;
  std::unique_ptr<CBackupScheduler> backup_;
  bool backups_started_ = false;
  RunMark* run_mark_ = nullptr;
  MainFrame* frame_ = nullptr;
  ObjectMenus* object_menus_ = nullptr;
  PropertyBars* bars_ = nullptr;
};

}  // namespace lumi::app
