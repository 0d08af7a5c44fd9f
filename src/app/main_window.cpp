#include "main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app_services.h"
#include "bars/attribute_bar_widgets.h"
#include "bars/property_bars.h"
#include "canvas_menu.h"
#include "document/backup_scheduler.h"
#include "document/run_mark.h"
#include "edit/drawing_view.h"
#include "edit/dropped_file.h"
#include "edit/plenivor_view_document.h"
#include "edit/tool_commands.h"
#include "edit/tool_machine.h"
#include "edit/view_keys.h"
#include "edit/zoom_combo.h"
#include "export_command.h"
#include "file_filter.h"
#include "collections/library_commands.h"
#include "frame/layers_dock.h"
#include "object_menus.h"
#include "frame/main_frame.h"
#include "frame/view_toggles.h"
#include "load_image_dialog.h"
#include "multimedia_export_command.h"
#include "mutavia_dialog.h"
#include "object_library_panel.h"
#include "style_library_panel.h"
#include "text_dialog_window.h"
#include "plenivor_view.h"
#include "print_command.h"
#include "qt_backup_timer.h"
#include "qt_convert.h"
#include "qt_host.h"
#include "recent_files.h"
#include "save_dialog.h"

namespace lumi::app {

namespace {

std::filesystem::path ToPath(const QString& path) { return std::filesystem::path(path.toStdString()); }

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

MainWindow::MainWindow(AppServices& services, std::unique_ptr<Host> host, QWidget* parent)
    : QMainWindow(parent), services_(services), host_(std::move(host)) {
  resize(1024, 768);
  if (!host_) host_ = std::make_unique<QtHost>(this, statusBar());
  // The second pane shows the cursor position on the canvas.
  auto* cursor_pane = new QLabel(this);
  cursor_pane->setObjectName(QStringLiteral("pane1"));
  cursor_pane->setMinimumWidth(220);
  statusBar()->addPermanentWidget(cursor_pane);

  document_ = std::make_unique<CPlenivorDoc>(*host_, services_.GetSettings(), services_.Bank());
  document_->SetRenderContext(&services_.Context());
  document_->SetViews(this);
  document_->NewDocument();
  view_document_ = std::make_unique<PlenivorViewDocument>(*document_);
  view_ = new CPlenivorView(*host_, this);
  setCentralWidget(view_);
  view_->SetDocument(view_document_.get());
  text_dialog_ = std::make_unique<QtTextDialog>(this);
  image_import_ = std::make_unique<QtImageImport>(services_.GetSettings(), this);
  view_->AttachTools(*document_, text_dialog_.get());
  view_->Tools()->SetNewObjectDefaults(&new_object_defaults_);
  view_->Tools()->SetImageImport(image_import_.get());
  recent_ = std::make_unique<RecentFiles>(services_.GetSettings());
  print_ = std::make_unique<PrintCommand>(this, *document_, *host_);
  backup_timer_ = std::make_unique<QtBackupTimer>(this, [this] {
    if (backup_->OnTimer() && run_mark_)
      run_mark_->NoteBackup(services_.Folders().BackupFile(), document_->ShouldAskToSave());
  });
  backup_ = std::make_unique<CBackupScheduler>(*document_, services_.GetSettings(), *backup_timer_,
                                               services_.Folders().BackupFile());
  CreateBars();
  CreatePanels();
  CreateMenus();
  frame_ = new MainFrame(*this, services_.GetSettings(), zoom_list_,
                         [this] { return &document_->Objects(); });
  ShowCanvasMenuTips(*this);
  // A click on a Layers line makes that object the view's current one, and the list
  // follows the view's selection.
  frame_->Layers()->make_current = [this](const CDrawObject* object) {
    for (const auto& o : document_->Objects()) {
      if (o.get() == object && !o->GetHidden()) view_->Tools()->SelectObject(o.get());
    }
    view_->viewport()->update();
  };
  connect(view_, &CPlenivorView::currentObjectChanged, this,
          [this](const CDrawObject* object) { frame_->Layers()->SetObject(object); });
  frame_->Layers()->delete_selected = [this] { object_menus_->Run("Delete Object"); };
  CreatePropertyBars();
  frame_->AttachPanel(kViewStyles, style_panel_, QStringLiteral("Style"), /*shown_by_default=*/true);
  frame_->AttachPanel(kViewObjectLibrary, object_panel_, QStringLiteral("ObLib"), /*shown_by_default=*/true);
  setAcceptDrops(true);
  UpdateTitle();
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!backups_started_) backup_->Start();
  backups_started_ = true;
}

MainWindow::~MainWindow() {
  // The view goes with the widgets; it must not be asked to paint a document already gone.
  document_->SetViews(nullptr);
}

void MainWindow::CreateBars() {
  // The zoom list goes into the main toolbar that MainFrame builds.
  zoom_list_ = new QComboBox(this);
  for (std::string_view entry : kZoomComboEntries)
    zoom_list_->addItem(ToQString(entry));
  zoom_list_->setCurrentIndex(kZoomEntryOriginal);
  connect(zoom_list_, &QComboBox::activated, view_, &CPlenivorView::chooseZoomEntry);
  connect(view_, &CPlenivorView::zoomEntryChanged, zoom_list_, [this](int index) {
    const QSignalBlocker block(zoom_list_);
    zoom_list_->setCurrentIndex(index);
  });
}

void MainWindow::CreateMenus() {
  QMenu* file_menu = menuBar()->addMenu(QStringLiteral("&File"));
  file_menu->addAction(QStringLiteral("&New"), QKeySequence::New, this, [this] { NewFile(); });
  file_menu->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this,
                       [this] { OpenWithDialog(); });
  file_menu->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, [this] { SaveFile(); });
  file_menu->addAction(QStringLiteral("Save &As..."), this, [this] { SaveAsWithDialog(); });
  file_menu->addSeparator();
  // Both exports may leave the picture changed (looks switched, the canvas composed):
  // the views repaint afterwards.
  file_menu->addAction(QStringLiteral("&Export..."), this, [this] {
    RunExportCommand(this, *document_, *host_, services_.GetSettings(), services_.Folders().root);
    UpdateAllViews(kHintRepaint);
  })->setObjectName(QStringLiteral("exportAction"));
  file_menu->addAction(QStringLiteral("&Multimedia Export..."), this, [this] {
    RunMultimediaExport(*document_, *host_, services_.GetSettings(), QtMultimediaExportSteps(this));
    UpdateAllViews(kHintRepaint);
  })->setObjectName(QStringLiteral("multimediaExportAction"));
  file_menu->addSeparator();
  file_menu->addAction(QStringLiteral("&Print..."), QKeySequence::Print, this,
                       [this] { print_->Print(); });
  file_menu->addAction(QStringLiteral("Print Pre&view"), this, [this] { print_->Preview(); });
  file_menu->addSeparator();
  for (int i = 0; i < RecentFiles::kSize; ++i) {
    QAction* entry = file_menu->addAction(QString(), this, [this, i] { OpenRecentFile(i); });
    entry->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
    recent_actions_ << entry;
  }
  no_recent_action_ = file_menu->addAction(QStringLiteral("Recent File"));
  no_recent_action_->setEnabled(false);
  UpdateRecentMenu();
  file_menu->addSeparator();
  file_menu->addAction(QStringLiteral("E&xit"), this, &QWidget::close);

  QMenu* edit_menu = menuBar()->addMenu(QStringLiteral("&Edit"));
  undo_action_ = edit_menu->addAction(QStringLiteral("&Undo"), this, [this] { Undo(); });
  undo_action_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
  undo_action_->setObjectName(QStringLiteral("undoAction"));
  redo_action_ = edit_menu->addAction(QStringLiteral("&Redo"), this, [this] { Redo(); });
  redo_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
  redo_action_->setObjectName(QStringLiteral("redoAction"));
  connect(edit_menu, &QMenu::aboutToShow, this, [this] { UpdateUndoActions(); });
  UpdateUndoActions();
  CreateObjectMenus(*edit_menu);

  QMenu* view_menu = menuBar()->addMenu(QStringLiteral("&View"));
  QAction* zoom_in = view_menu->addAction(QStringLiteral("Zoom &In"), view_, &CPlenivorView::zoomIn);
  zoom_in->setShortcut(QKeySequence::ZoomIn);
  QAction* zoom_out =
      view_menu->addAction(QStringLiteral("Zoom &Out"), view_, &CPlenivorView::zoomOut);
  zoom_out->setShortcut(QKeySequence::ZoomOut);
  view_menu->addAction(QStringLiteral("Original Size"), view_, &CPlenivorView::originalSize);
  view_menu->addSeparator();
  QAction* gene = view_menu->addAction(QStringLiteral("Mutavia Color..."), this, [this] { EditCurrentGene(); });
  gene->setObjectName(QStringLiteral("mutaviaColorAction"));
  connect(view_menu, &QMenu::aboutToShow, this, [this, gene] { gene->setEnabled(CurrentObject() != nullptr); });
  view_menu->addSeparator();
  QAction* matte = view_menu->addAction(QStringLiteral("Mate Canvas Borders"), view_,
                                        &CPlenivorView::toggleMatte);
  matte->setCheckable(true);

  CreateToolsMenu();
  AddCanvasMenu(*this);

  QMenu* help_menu = menuBar()->addMenu(QStringLiteral("&Help"));
  help_menu->addAction(QStringLiteral("&Help Topics"), QKeySequence(Qt::Key_F1), this,
                       [this] { ShowHelp(); });
  help_menu->addAction(QStringLiteral("&About Lumiverdant..."), this, [this] { ShowAbout(); });
}

void MainWindow::CreateObjectMenus(QMenu& edit_menu) {
  ObjectMenuHooks hooks;
  hooks.after_command = [this] {
    view_->viewport()->update();
    UpdateUndoActions();
    UpdateTitle();
  };
  hooks.rebuild_layers = [this] { RebuildLayers(); };
  hooks.edit_gene = [this] { EditCurrentGene(); };
  hooks.run_dialog_command = [this](std::string_view text) { RunCanvasCommand(*this, text); };
  hooks.add_to_library = [this] {
    if (object_panel_) object_panel_->AddToLibrary();
  };
  object_menus_ = new ObjectMenus(*this, *menuBar(), edit_menu, *view_->Tools(), services_.GetSettings(),
                                  std::move(hooks));
  // The accelerators follow the selection without a menu being opened.
  connect(view_, &CPlenivorView::toolChanged, object_menus_, &ObjectMenus::Refresh);
  connect(view_, &CPlenivorView::currentObjectChanged, object_menus_, &ObjectMenus::Refresh);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, object_menus_, &ObjectMenus::Refresh);
  connect(view_, &CPlenivorView::contextMenuWanted, this, [this](QPoint global) {
    object_menus_->Refresh();
    object_menus_->ContextMenu()->popup(global);
  });
}

void MainWindow::CreateToolsMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("&Tools"));
  menu->setObjectName(QStringLiteral("toolsMenu"));
  std::vector<std::pair<QAction*, Tool>> tool_actions;
  for (const ToolCommand& c : kToolCommands) {
    QAction* a = menu->addAction(ToQString(c.text), this,
                                 [this, tool = c.tool] { view_->Tools()->ChooseTool(tool); });
    a->setCheckable(true);
    // The tool's key shows in the menu and the tooltip; the view itself answers it, so it
    // is dead while a text field or a dialog has the focus.
    if (const auto key = KeyForTool(c.tool)) {
      a->setShortcut(QKeySequence(ToQString(*key)));
      a->setShortcutContext(Qt::WidgetShortcut);
    }
    tool_actions.emplace_back(a, c.tool);
  }
  menu->addSeparator();
  std::vector<std::pair<QAction*, const MenuCommand*>> command_actions;
  for (const MenuCommand& c : ToolMenuCommands()) {
    QAction* a = menu->addAction(ToQString(c.text), this,
                                 [this, &c] {
                                   if (c.enabled(*view_->Tools())) c.run(*view_->Tools());
                                 });
    command_actions.emplace_back(a, &c);
  }
  // Enabled and checked by the current tool and selection each time the menu opens.
  auto refresh = [this, tool_actions, command_actions] {
    ToolMachine& t = *view_->Tools();
    for (const auto& [action, tool] : tool_actions) {
      action->setEnabled(t.CanChooseTool(tool));
      action->setChecked(CheckedTool(t.CurrentTool()) == tool);
    }
    for (const auto& [action, command] : command_actions) action->setEnabled(command->enabled(t));
  };
  connect(menu, &QMenu::aboutToShow, this, refresh);
  connect(view_, &CPlenivorView::toolChanged, this, refresh);
  refresh();
}

void MainWindow::CreatePropertyBars() {
  bars_ = new PropertyBars(*frame_, *view_, new_object_defaults_, services_.Folders(), services_.Bank(),
                           services_.GetSettings(), this);
  connect(bars_, &PropertyBars::changed, this, [this] {
    UpdateUndoActions();
    view_->viewport()->update();
  });
  connect(bars_, &PropertyBars::statusText, this, [this](const QString& text) { statusBar()->showMessage(text, 5000); });
  // The gene button opens the gene dialog on the colour bar's gene.
  bars_->Colour()->SetEditGene([this](const BarGene& gene) -> std::optional<BarGene> {
    MutaviaDialog dialog(gene.kind, {gene.words[0], gene.words[1], gene.words[2]}, services_.Folders().root,
                         services_.GetSettings(), *host_, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return BarGene{dialog.GeneKind(), {dialog.Words().word1, dialog.Words().word2, dialog.Words().word3}};
  });
  // For a bitmap it opens "Bitmap Color Tweak" on the selected bitmap, which takes its
  // own undo step and renders; the bar has nothing more to apply.
  bars_->Colour()->SetTweakBitmap([this](CDrawObject&) {
    if (OpenBitmapColourTweak(*this)) {
      UpdateUndoActions();
      view_->viewport()->update();
    }
    return false;
  });
}

void MainWindow::CreatePanels() {
  const FolderSet& folders = services_.Folders();
  // The frame docks them and gives them their View toggles once it exists.
  style_panel_ = new StyleLibraryPanel(folders.styles, *this, services_.GetSettings(), this);
  object_panel_ = new ObjectLibraryPanel(folders.objects, *this, services_.GetSettings(), this);
  connect(view_, &CPlenivorView::libraryEntryDropped, this, [this](const QString& path, QPoint canvas) {
    InsertLibraryEntry(ToPath(path), Point{canvas.x(), canvas.y()});
  });
}

const CDrawObject* MainWindow::CurrentObject() { return view_->Tools()->Selected(); }

CDrawObject* MainWindow::MutableCurrentObject() { return view_->Tools()->Selected(); }

std::vector<const CDrawObject*> MainWindow::SelectedObjects() {
  if (const CDrawObject* current = CurrentObject()) return {current};
  const std::vector<CDrawObject*>& multi = view_->Tools()->MultiSelection();
  std::vector<const CDrawObject*> in_order;
  for (const auto& object : document_->Objects()) {
    if (std::find(multi.begin(), multi.end(), object.get()) != multi.end()) in_order.push_back(object.get());
  }
  return in_order;
}

void MainWindow::ApplyStyle(const std::filesystem::path& path) {
  CDrawObject* current = MutableCurrentObject();
  if (!ApplyStyleFile(*document_, current, path, new_object_defaults_)) return;
  if (current) {
    view_->View().InvalidateObject(*current);
    view_->viewport()->update();
  }
}

void MainWindow::InsertLibraryEntry(const std::filesystem::path& path, std::optional<Point> drop) {
  const std::optional<InsertedEntry> inserted = lumi::InsertLibraryEntry(*document_, path, drop);
  if (!inserted) return;
  view_->OnUpdate(kHintGeneral);
  // The tools own the selection; they mirror it into the view.
  if (inserted->objects.size() == 1) {
    view_->Tools()->SelectObject(inserted->objects.front());
  } else {
    view_->Tools()->SetMultiSelection(inserted->objects, true);
  }
  view_->viewport()->update();
}

bool MainWindow::EditCurrentGene() {
  CDrawObject* current = MutableCurrentObject();
  if (!current) return false;
  MutaviaDialog dialog(current->GetGeneSeed(),
                       {current->GetGeneParam1(), current->GetGeneParam2(), current->GetGeneParam3()},
                       services_.Folders().root, services_.GetSettings(), *host_, this);
  if (dialog.exec() != QDialog::Accepted) return false;
  current->SetGeneSeed(dialog.GeneKind());
  current->SetGeneParam1(dialog.Words().word1);
  current->SetGeneParam2(dialog.Words().word2);
  current->SetGeneParam3(dialog.Words().word3);
  current->Render();
  document_->SetModified();
  document_->TakeSnapshot();
  view_->View().InvalidateObject(*current);
  return true;
}

void MainWindow::UpdateAllViews(int hint) {
  if (view_) view_->OnUpdate(hint);  // the first new document comes before the view
  if (undo_action_) UpdateUndoActions();
}

void MainWindow::RebuildLayers() {
  if (frame_) frame_->Layers()->Rebuild();  // the first new document comes before the frame
}

void MainWindow::ShowMultimediaBar() {
  if (frame_) frame_->ShowMultimediaExtension();
}

void MainWindow::DocumentReplaced() {
  // The objects the view may have selected are gone, and the canvas may have changed.
  view_->OnUpdate(kHintGeneral);
  view_->OnUpdate(kHintCanvasChanged);
  UpdateTitle();
  UpdateUndoActions();
}

void MainWindow::UpdateUndoActions() {
  undo_action_->setEnabled(document_->CanUndo());
  redo_action_->setEnabled(document_->CanRedo());
}

void MainWindow::Undo() {
  // The selection goes first: undo replaces every object it could point at.
  view_->OnUpdate(kHintGeneral);
  document_->Undo();
  UpdateUndoActions();
}

void MainWindow::Redo() {
  view_->OnUpdate(kHintGeneral);
  document_->Redo();
  UpdateUndoActions();
}

bool MainWindow::OpenRecovered(const std::filesystem::path& backup) {
  const bool opened = document_->OpenRecovered(backup);
  DocumentReplaced();
  return opened;
}

void MainWindow::UpdateTitle() {
  setWindowTitle(FromStd(document_->GetTitle()) + QStringLiteral(" - Lumiverdant"));
}

bool MainWindow::SaveModified() {
  switch (document_->AskToSave()) {
    case Answer::Yes: return SaveFile();
    case Answer::Cancel: return false;
    default: return true;
  }
}

bool MainWindow::NewFile() {
  if (!SaveModified()) return false;
  document_->NewDocument();
  // The drawing the last backup holds was saved or given up by the user.
  if (run_mark_) run_mark_->NoteSave();
  DocumentReplaced();
  return true;
}

bool MainWindow::OpenFile(const QString& path) {
  if (!SaveModified()) return false;
  return OpenWithoutAsking(path);
}

bool MainWindow::OpenWithoutAsking(const QString& path) {
  const bool opened = document_->Open(ToPath(path));
  if (run_mark_) run_mark_->NoteSave();
  // A refused file may have left a new empty document in place of the old one.
  DocumentReplaced();
  // An editable JPG opens without giving the document its name, and is not listed.
  if (opened && !document_->GetPath().empty()) AddDocumentToRecent();
  return opened;
}

bool MainWindow::OpenRecentFile(int index) {
  if (index < 0 || index >= recent_->Files().size()) return false;
  const QString path = recent_->Files().at(index);
  if (!SaveModified()) return false;  // the user kept the document; the entry stays
  if (OpenWithoutAsking(path)) return true;
  recent_->Remove(path);
  UpdateRecentMenu();
  return false;
}

void MainWindow::AddDocumentToRecent() {
  if (document_->GetPath().empty()) return;
  recent_->Add(FromStd(document_->GetPath().string()));
  UpdateRecentMenu();
}

void MainWindow::UpdateRecentMenu() {
  const QStringList& files = recent_->Files();
  for (int i = 0; i < recent_actions_.size(); ++i) {
    const bool used = i < files.size();
    recent_actions_[i]->setVisible(used);
    if (used) recent_actions_[i]->setText(RecentMenuText(i, files[i]));
  }
  no_recent_action_->setVisible(files.isEmpty());
}

bool MainWindow::SaveFile() {
  switch (document_->Save()) {
    case SaveResult::Saved:
      if (run_mark_) run_mark_->NoteSave();
      UpdateTitle();
      AddDocumentToRecent();
      return true;
    case SaveResult::Failed: return false;
    case SaveResult::NeedsName: break;
  }
  return SaveAsWithDialog();
}

bool MainWindow::SaveFileAs(const QString& path, ImageFormat format) {
  const bool saved = document_->SaveAs(ToPath(path), format);
  UpdateTitle();
  // Only a project takes the name; a flat image leaves the document where it was.
  if (saved && format == ImageFormat::kProject) {
    if (run_mark_) run_mark_->NoteSave();
    AddDocumentToRecent();
  }
  return saved;
}

void MainWindow::OpenWithDialog() {
  Settings& settings = services_.GetSettings();
  const std::string start =
      settings.GetString("Load", "Path", services_.Folders().samples);
  const QString path =
      QFileDialog::getOpenFileName(this, QStringLiteral("Open Project File"), FromStd(start),
                                   QtDialogFilter(FormatDialog::kOpen));
  if (path.isEmpty()) return;
  settings.SetString("Load", "Path", QFileInfo(path).absolutePath().toStdString());
  OpenFile(path);
}

bool MainWindow::SaveAsWithDialog() {
  Settings& settings = services_.GetSettings();
  const QString filter = QtDialogFilter(FormatDialog::kSaveAs);
  QString proposed = FromStd(document_->ProposedSaveName());
  if (QFileInfo(proposed).isRelative()) {
    const QString folder = FromStd(settings.GetString("Export", "SaveAs", ""));
    if (!folder.isEmpty()) {
      const QFileInfo last(folder);
      proposed = QDir(last.isDir() ? folder : last.absolutePath()).filePath(proposed);
    }
  }
  QString selected;
  const QString path =
      AskSaveFileName(this, QStringLiteral("Save file as"), proposed, filter, &selected, true);
  if (path.isEmpty()) return false;
  settings.SetString("Export", "SaveAs", path.toStdString());
  // A dialog that reports no filter it was given saves the project, as the first entry.
  return SaveFileAs(path, QtFilterFormat(FormatDialog::kSaveAs, selected).value_or(ImageFormat::kProject));
}

void MainWindow::OpenAfterStartUp(const QString& path) {
  QTimer::singleShot(1000, this, [this, path] { OpenFile(path); });
}

void MainWindow::ShowHelp() { OpenHelpPage(services_.Folders().HelpIndex(), *host_, url_opener_); }

void MainWindow::ShowAbout() {
  QMessageBox::about(this, QStringLiteral("About Lumiverdant"),
                     QStringLiteral("<b>Lumiverdant</b><p>A drawing program for vector outlines and "
                                    "bitmaps with raster decorations: bevels, shadows, glows, "
                                    "gradient and texture fills and transparency.</p>"));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (SaveModified()) {
    frame_->SaveOnClose();
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* data = event->mimeData();
  if (data->hasUrls() && !data->urls().isEmpty() && data->urls().front().isLocalFile())
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  // One document at a time: the first dropped file is the one opened.
  const QString path = urls.front().toLocalFile();
  if (UseOfDroppedFile(ToPath(path)) == DroppedFileUse::kInsertPicture) {
    // A picture joins the drawing, centred where it was dropped (the middle of the view
    // when dropped beside it).
    const QPoint at = view_->viewport()->mapFrom(this, event->position().toPoint());
    const QPoint device = view_->viewport()->rect().contains(at) ? at : view_->viewport()->rect().center();
    const Point canvas = view_->View().Zoom().DeviceToCanvas({device.x(), device.y()});
    QTimer::singleShot(0, this, [this, path, canvas] {
      CDrawObject* picture = InsertPictureFile(*document_, ToPath(path), canvas);
      if (!picture) return;
      UpdateAllViews(kHintGeneral);
      RebuildLayers();
      view_->Tools()->SelectObject(picture);
      view_->viewport()->update();
    });
    return;
  }
  // Let the drag source finish before any question is asked.
  QTimer::singleShot(0, this, [this, path] { OpenFile(path); });
}

}  // namespace lumi::app
