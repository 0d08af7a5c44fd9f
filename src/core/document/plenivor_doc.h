#pragma once
// The project document: the ordered object list (head drawn first), the groups, the
// canvas, the export crop region and the portable flag; the .plv project stream, the
// open and save operations on paths, and snapshot-based undo and redo.
//
// Typical use without a window (the command line, tests):
//
//   CTextureBank bank;                      // application-wide, outlives documents
//   CPlenivorDoc doc(host, settings, bank);
//   doc.NewDocument();                      // defaults from the settings, first snapshot
//   doc.Objects().push_back(doc.MakeObject());  ... edit ...;  doc.TakeSnapshot();
//   doc.SaveAs("drawing.plv", ImageFormat::kProject);
//   doc.Open("other.plv");                  // false when the file was refused
//
// Dialogs belong to the window: these operations take paths, and report to the user
// through the Host (messages, status texts, progress).
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/colour.h"
#include "base/host.h"
#include "base/geometry.h"
#include "document/object_group.h"
#include "document/update_hints.h"
#include "image/image_format.h"
#include "render/canvas_composition.h"
#include "objects/draw_object.h"

namespace lumi {

class CArchive;
class CTextureBank;
class Host;
struct RenderContext;
class Settings;

// What the document tells the window. Every call does nothing unless overridden.
class DocumentViews {
 public:
  virtual ~DocumentViews() = default;
  // Repaint every view, with one of the hints of update_hints.h.
  virtual void UpdateAllViews(int /*hint*/) {}
  // The property bars show that nothing is selected (the document is being emptied).
  virtual void ShowNothingSelected() {}
  // The layers list is rebuilt from the object list.
  virtual void RebuildLayers() {}
  // A loaded object carries button looks: the multimedia bar is shown.
  virtual void ShowMultimediaBar() {}
};

// The outcome of "Save".
enum class SaveResult {
  Saved,
  Failed,     // the user was told why; the previous file is intact
  NeedsName,  // no path yet, or the file is read-only: the window runs "Save As"
};

class CPlenivorDoc {
 public:
  static constexpr std::string_view kSignature = "QUELMDAW1.0";
  // Largest canvas side a project file may declare; the dialogs allow far less.
  static constexpr int kMaxCanvasSide = 32768;

  // Reads the undo level limit ("Settings"/"Undo", default 4). `settings` also gives the
  // new-document defaults and the objects' default font; `bank` is the application's
  // texture bank, which projects read and write but the document does not own.
  CPlenivorDoc(Host& host, Settings& settings, CTextureBank& bank);
  ~CPlenivorDoc();
  CPlenivorDoc(const CPlenivorDoc&) = delete;
  CPlenivorDoc& operator=(const CPlenivorDoc&) = delete;

  void SetViews(DocumentViews* views) { views_ = views ? views : &no_views_; }
  DocumentViews& Views() const { return *views_; }
  // Refreshes every view with a hint of update_hints.h (commands that change the canvas).
  void UpdateAllViews(int hint) { views_->UpdateAllViews(hint); }
  Host& GetHost() const { return *host_; }
  Settings& GetSettings() const { return *settings_; }
  CTextureBank& TextureBank() const { return *bank_; }

  // The texture bank and folders the document's objects render with (render_context.h);
  // the owner keeps it alive. Setting it gives it to every object the document holds, and
  // every object the document makes or reads takes it. Null, the start, is the empty
  // context: no textures.
  void SetRenderContext(const RenderContext* context);
  const RenderContext* GetRenderContext() const { return render_context_; }

  // ---- contents
  // A new, empty object bound to the document's host, font settings and render context.
  std::unique_ptr<CDrawObject> MakeObject() const;
  std::vector<std::unique_ptr<CDrawObject>>& Objects() { return m_objects; }
  const std::vector<std::unique_ptr<CDrawObject>>& Objects() const { return m_objects; }
  std::vector<CObjectGroup>& Groups() { return m_groups; }
  const std::vector<CObjectGroup>& Groups() const { return m_groups; }
  // The first object whose identifier is byte-equal to `id`, else null.
  CDrawObject* FindObject(std::string_view id) const;

  int GetCanvasWidth() const { return m_canvasWidth; }
  int GetCanvasHeight() const { return m_canvasHeight; }
  void SetCanvasSize(int width, int height) { m_canvasWidth = width; m_canvasHeight = height; }
  COLORREF GetCanvasColor() const { return m_canvasColor; }
  void SetCanvasColor(COLORREF colour) { m_canvasColor = colour; }
  Rect GetCropRect() const { return {m_cropLeft, m_cropTop, m_cropRight, m_cropBottom}; }
  void SetCropRect(const Rect& r);
  // Clears a crop region no export could use (inverted or less than a pixel, larger than
  // a bitmap may be, or wholly outside the canvas), as a loaded project may hold one.
  void ClearUnusableCropRegion();
  bool IsCropActive() const { return m_cropActive != 0; }
  void SetCropActive(bool active) { m_cropActive = active ? 1 : 0; }
  bool IsPortable() const { return m_portable != 0; }
  void SetPortable(bool portable) { m_portable = portable ? 1 : 0; }
  // The canvas as the composition for export sees it (the crop region when active).
  CanvasArea GetCanvasArea() const;

  // ---- the project stream
  // Writes or reads the whole project. Writing first prepares every object
  // (PrepareObjectsForSave) unless a backup is being written. Reading appends to the
  // document ("Document is Not Empty" is shown when it holds objects), renders every
  // object as it is read and fixes the groups' rectangles; it returns false, after
  // "This is not a valid project file", when the signature is wrong, and throws
  // ArchiveError on damaged data, leaving the document partly loaded: Open loads into a
  // fresh document so that never shows.
  bool Serialize(CArchive& ar);
  // The objects-only stream of undo snapshots: count, identifier and record pairs, end
  // marker. Reading replaces the object list, and only once the whole stream was read.
  void WriteObjects(CArchive& ar);
  void ReadObjects(CArchive& ar);
  // Brings every object into its stored form before a save: each stores its shown look.
  // Bitmap objects will also apply pending size changes here once they exist.
  void PrepareObjectsForSave();
  // Each group's rectangle around its members again (after loads and moves); groups
  // left without members are removed.
  void RecomputeGroupRects();
  // Drops every bank texture that no object names as its fill or transparency texture.
  void PruneTextureBank();

  // ---- document operations
  // Empties the document: property bars told, texture bank, objects and groups deleted.
  // The undo and redo stacks are kept.
  void DeleteContents();
  // Empties the document, clears undo and redo, sets the defaults ("Settings": "DefWidth"
  // 400, "DefHeight" 300, "STexture" 0; white canvas, no crop), takes the first snapshot.
  void NewDocument();
  // Opens a project. On success the document takes the path, undo and redo are cleared
  // before the first snapshot, and the views fit the new canvas. A wrong signature or
  // damaged data shows a message and fails the open as a whole: the document is then a
  // new empty document without a path and the file is untouched. A file that cannot be
  // opened at all is reported and leaves the document as it was. A path ending in ".jpg"
  // or "jpeg" goes to the editable-JPG reader and never gives the document a path (true
  // when the embedded project was loaded).
  bool Open(const std::filesystem::path& path);
  // Opens a drawing recovered from a backup as Open does, but the document stays
  // untitled and modified: nothing is ever saved over the file it came from.
  bool OpenRecovered(const std::filesystem::path& path);
  // Replaces the editable-JPG reader (ReadEditableJpg unless set): it loads the embedded
  // project into the (new) document and returns true when it did. Tests use it.
  using EditableJpgReader = std::function<bool(const std::filesystem::path&, CPlenivorDoc&)>;
  void SetEditableJpgReader(EditableJpgReader reader) { jpg_reader_ = std::move(reader); }

  // "Save": to the document's path, or NeedsName when there is none or it is read-only.
  SaveResult Save();
  // "Save As" after the dialog, in one of the formats its dialog offers (others are the
  // caller's mistake: std::invalid_argument). Project: the extension becomes ".plv", the
  // project is saved and (with `take_name`) the document takes the path. JPG, PNG, BMP:
  // the extension is replaced and the canvas exported as a flat image; the document's
  // path and modified flag stay as they were. Returns false after telling the user why.
  bool SaveAs(const std::filesystem::path& path, ImageFormat format, bool take_name = true);
  // Writes the project to `path`: prunes the bank, writes a temporary file beside the
  // target and renames it over the target. Throws FileError; the target is intact then.
  void WriteProjectFile(const std::filesystem::path& path);
  // The name the "Save As" dialog proposes: the document's path, else its title cut at
  // the first of " #%;/\".
  std::string ProposedSaveName() const;

  const std::filesystem::path& GetPath() const { return m_path; }
  // The file name of the path, or "Untitled".
  std::string GetTitle() const;
  bool IsModified() const { return m_modified; }
  void SetModified(bool modified = true) { m_modified = modified; }
  // Whether closing or replacing the document asks "Save changes to %1?": only when it
  // is modified and holds at least one object.
  bool ShouldAskToSave() const { return m_modified && !m_objects.empty(); }
  // Asks that question (Yes, No, Cancel) when ShouldAskToSave; Answer::No when not asked.
  // On Yes the caller runs "Save".
  Answer AskToSave();

  // ---- undo and redo
  // The level limit L: the undo stack keeps at most L + 1 snapshots; below 1 undo is off.
  int GetUndoLimit() const { return m_undoLimit; }
  void SetUndoLimit(int limit) { m_undoLimit = limit; }
  // Called after every completed change: pushes the object list and empties redo.
  void TakeSnapshot();
  bool CanUndo() const { return m_undo.size() > 1; }
  bool CanRedo() const { return !m_redo.empty(); }
  void Undo();
  void Redo();
  void ClearUndoHistory();
  std::size_t UndoDepth() const { return m_undo.size(); }
  std::size_t RedoDepth() const { return m_redo.size(); }
  // The bytes the undo and redo snapshots hold, spare room included.
  std::size_t UndoHeldBytes() const;

  // ---- backup
  // Writes the project to `path` (temporary file, then rename) without preparing the
  // objects or pruning the bank; the status bar shows "Doing Backup ...", then
  // "Backup Finished (Backup.plv)" or "Backup Failed...". Returns true when written.
  bool WriteBackup(const std::filesystem::path& path);
  bool IsBackupInProgress() const { return m_backupInProgress != 0; }

 private:
  using Snapshot = std::vector<std::uint8_t>;

  void StoreProject(CArchive& ar);
  bool LoadProject(CArchive& ar);
  // After a load: the multimedia bar when an object has button looks, the layers list.
  void NotifyLoaded();
  // Renders just-read records together (see CDrawObject::RenderAsRead); `step` makes an
  // object's progress calls before its renders, or after them with `step_after`.
  void RenderReadObjects(std::vector<std::unique_ptr<CDrawObject>>& objects,
                         const std::function<void(std::size_t, Host&)>& step,
                         bool step_after = false) const;
  // Moves canvas, crop, portable flag, objects and groups of `other` into this document.
  void TakeContentsFrom(CPlenivorDoc& other);
  void SetNewDocumentDefaults();
  void ReadSnapshot(const Snapshot& snapshot);
  void PushUndo(Snapshot snapshot);
  bool OpenEditableJpg(const std::filesystem::path& path);
  bool SaveFlat(const std::filesystem::path& path, ImageFormat format);
  void ReportSaveError(const std::filesystem::path& path, const std::string& why);

  Host* host_;
  Settings* settings_;
  CTextureBank* bank_;
  const RenderContext* render_context_ = nullptr;
  DocumentViews no_views_;
  DocumentViews* views_ = &no_views_;
  EditableJpgReader jpg_reader_;

  std::string m_signature{kSignature};
  std::vector<std::unique_ptr<CDrawObject>> m_objects;
  std::vector<CObjectGroup> m_groups;
  std::int32_t m_portable = 0;
  std::deque<Snapshot> m_undo;  // newest first
  std::deque<Snapshot> m_redo;  // newest first
  std::int32_t m_undoLimit = 4;
  std::int32_t m_canvasWidth = 400;
  std::int32_t m_canvasHeight = 300;
  COLORREF m_canvasColor = 0xFFFFFF;
  std::int32_t m_cropLeft = 0, m_cropTop = 0, m_cropRight = 0, m_cropBottom = 0;
  std::int32_t m_cropActive = 0;
  std::int32_t m_backupInProgress = 0;

  std::filesystem::path m_path;
  bool m_modified = false;
};

}  // namespace lumi
