#include "document/plenivor_doc.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "base/settings.h"
#include "library/texture_bank.h"
#include "base/parallel_render.h"

namespace lumi {

namespace {

constexpr std::int32_t kEndMark = -1;

// Closes the progress window however the read ends.
class ProgressScope {
 public:
  ProgressScope(Host& host, std::string_view title, int range, bool shown)
      : host_(host), shown_(shown) {
    if (shown_) host_.ProgressStart(title, range);
  }
  ~ProgressScope() { End(); }
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;
  void Step(int position) {
    if (shown_) host_.ProgressStep(position);
  }
  void End() {
    if (shown_) host_.ProgressEnd();
    shown_ = false;
  }

 private:
  Host& host_;
  bool shown_;
};

std::int32_t ReadCount(CArchive& ar, std::uint64_t min_item_size, const char* what) {
  const std::int32_t count = ar.ReadInt32();
  if (count < 0) throw ArchiveError(std::string(what) + ": negative count");
  ar.RequireRemaining(static_cast<std::uint64_t>(count), min_item_size, what);
  return count;
}

}  // namespace

void CPlenivorDoc::RenderReadObjects(std::vector<std::unique_ptr<CDrawObject>>& objects,
                                     const std::function<void(std::size_t, Host&)>& step,
                                     bool step_after) const {
  RunInOrder(objects.size(), *host_, [&](std::size_t i, Host& host) {
    if (!step_after) step(i, host);
    CDrawObject& object = *objects[i];
    object.SetHost(host);
    try {
      object.RenderAsRead();
    } catch (...) {
      object.SetHost(*host_);
      throw;
    }
    object.SetHost(*host_);
    if (step_after) step(i, host);
  }, [&](std::size_t i) { return objects[i]->RenderNeedsItsTurn(); });
}

CPlenivorDoc::CPlenivorDoc(Host& host, Settings& settings, CTextureBank& bank)
    : host_(&host), settings_(&settings), bank_(&bank) {
  m_undoLimit = settings_->GetInt("Settings", "Undo", 4);
}

CPlenivorDoc::~CPlenivorDoc() = default;

void CPlenivorDoc::SetRenderContext(const RenderContext* context) {
  render_context_ = context;
  for (const auto& object : m_objects) object->SetRenderContext(context);
}

std::unique_ptr<CDrawObject> CPlenivorDoc::MakeObject() const {
  auto object = std::make_unique<CDrawObject>(*host_, settings_);
  object->SetRenderContext(render_context_);
  return object;
}

CDrawObject* CPlenivorDoc::FindObject(std::string_view id) const {
  for (const auto& object : m_objects) {
    if (object->GetId() == id) return object.get();
  }
  return nullptr;
}

void CPlenivorDoc::SetCropRect(const Rect& r) {
  m_cropLeft = r.left;
  m_cropTop = r.top;
  m_cropRight = r.right;
  m_cropBottom = r.bottom;
}

void CPlenivorDoc::ClearUnusableCropRegion() {
  const std::int64_t width = std::int64_t{m_cropRight} - m_cropLeft;
  const std::int64_t height = std::int64_t{m_cropBottom} - m_cropTop;
  const bool none = m_cropLeft == 0 && m_cropTop == 0 && m_cropRight == 0 && m_cropBottom == 0;
  const bool usable = width >= 1 && height >= 1 && width <= CDIBSection::kMaxSide &&
                      height <= CDIBSection::kMaxSide && width * height <= CDIBSection::kMaxPixels &&
                      m_cropRight > 0 && m_cropBottom > 0 && m_cropLeft < m_canvasWidth &&
                      m_cropTop < m_canvasHeight;
  if (none || usable) return;
  // As the crop tool does with a region it cannot use: all four values and the flag 0.
  m_cropLeft = m_cropTop = m_cropRight = m_cropBottom = 0;
  m_cropActive = 0;
}

CanvasArea CPlenivorDoc::GetCanvasArea() const {
  CanvasArea canvas;
  canvas.width = m_canvasWidth;
  canvas.height = m_canvasHeight;
  canvas.colour = m_canvasColor;
  if (m_cropActive) canvas.crop = GetCropRect();
  return canvas;
}

// ---- the project stream

bool CPlenivorDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    StoreProject(ar);
    return true;
  }
  if (!LoadProject(ar)) return false;
  NotifyLoaded();
  return true;
}

void CPlenivorDoc::PrepareObjectsForSave() {
  for (const auto& object : m_objects) object->StoreShownState();
  // Bitmaps shown smaller than their source are saved (and kept) at the shown size.
  for (const auto& object : m_objects) object->ApplySizeChanges();
}

void CPlenivorDoc::StoreProject(CArchive& ar) {
  if (!m_backupInProgress) PrepareObjectsForSave();

  ar.WriteString(m_signature);
  ar.WriteInt32(m_canvasWidth);
  ar.WriteInt32(m_canvasHeight);
  ar.WriteUInt32(m_canvasColor);
  ar.WriteInt32(m_portable);
  if (m_portable) bank_->Serialize(ar);

  ar.WriteInt32(static_cast<std::int32_t>(m_objects.size()));
  for (const auto& object : m_objects) {
    ar.WriteString(object->GetId());
    object->SerializeObject(ar, false);
  }

  ar.WriteInt32(m_cropLeft);
  ar.WriteInt32(m_cropTop);
  ar.WriteInt32(m_cropRight);
  ar.WriteInt32(m_cropBottom);
  ar.WriteInt32(m_cropActive);

  ar.WriteInt32(static_cast<std::int32_t>(m_groups.size()));
  for (CObjectGroup& group : m_groups) group.Serialize(ar);
  ar.WriteInt32(kEndMark);

  if (!m_backupInProgress) views_->UpdateAllViews(kHintGeneral);
}

bool CPlenivorDoc::LoadProject(CArchive& ar) {
  if (ar.ReadString() != kSignature) {
    host_->Message("This is not a valid project file", MessageKind::Warning);
    return false;
  }
  const std::int32_t width = ar.ReadInt32();
  const std::int32_t height = ar.ReadInt32();
  if (width < 1 || height < 1 || width > kMaxCanvasSide || height > kMaxCanvasSide) {
    throw ArchiveError("Project: damaged canvas size");
  }
  m_canvasWidth = width;
  m_canvasHeight = height;
  m_canvasColor = ar.ReadUInt32();
  m_portable = ar.ReadInt32();
  if (m_portable) {
    host_->StatusText(0, "Reading Textures...");
    bank_->Serialize(ar);
  }

  if (!m_objects.empty()) host_->Message("Document is Not Empty", MessageKind::Warning);

  // Every object entry holds at least an identifier prefix and a record.
  const std::int32_t count = ReadCount(ar, 2, "Project objects");
  host_->StatusText(0, "Rendering Documents, Please Wait...");
  ProgressScope progress(*host_, "", count, true);
  // Every record is read first, then all are rendered at once; the status texts and
  // steps come with each object's render, as when each was rendered while read.
  std::vector<std::unique_ptr<CDrawObject>> objects;
  auto render_read = [&] {
    RenderReadObjects(objects, [&](std::size_t i, Host& host) {
      char text[64];
      std::snprintf(text, sizeof text, "Rendering Object %zu of %d", i + 1, count);
      host.StatusText(0, text);
      host.ProgressStep(static_cast<int>(i));
    });
    for (auto& object : objects) m_objects.push_back(std::move(object));
  };
  try {
    for (std::int32_t i = 0; i < count; ++i) {
      std::unique_ptr<CDrawObject> object = MakeObject();
      object->SetId(ar.ReadString());
      object->ReadRecordForLaterRender(ar);
      objects.push_back(std::move(object));
    }
  } catch (const Error&) {
    render_read();  // what was read shows its messages before the failure, as it did
    throw;
  }
  render_read();

  m_cropLeft = ar.ReadInt32();
  m_cropTop = ar.ReadInt32();
  m_cropRight = ar.ReadInt32();
  m_cropBottom = ar.ReadInt32();
  m_cropActive = ar.ReadInt32();
  ClearUnusableCropRegion();

  m_groups.clear();
  // A group record is at least its count and rectangle.
  const std::int32_t group_count = ReadCount(ar, 20, "Project groups");
  for (std::int32_t i = 0; i < group_count; ++i) {
    CObjectGroup group;
    group.Serialize(ar);
    m_groups.push_back(std::move(group));
  }
  if (group_count > 0) RecomputeGroupRects();

  ar.ReadInt32();  // end mark, not checked
  host_->StatusText(0, "Finished...");
  progress.End();
  return true;
}

void CPlenivorDoc::NotifyLoaded() {
  const bool has_looks = std::any_of(m_objects.begin(), m_objects.end(), [](const auto& o) {
    return o->GetHasHighlighted() != 0 || o->GetHasPushed() != 0;
  });
  if (has_looks) views_->ShowMultimediaBar();
  views_->RebuildLayers();
}

void CPlenivorDoc::RecomputeGroupRects() {
  for (CObjectGroup& group : m_groups) {
    Rect bounds;
    for (const std::string& id : group.m_members) {
      if (const CDrawObject* member = FindObject(id)) bounds = Union(bounds, member->GetRect());
    }
    group.m_rect = bounds;
  }
  std::erase_if(m_groups, [](const CObjectGroup& g) {
    return g.m_rect.Width() == 0 || g.m_rect.Height() == 0;
  });
}

void CPlenivorDoc::WriteObjects(CArchive& ar) {
  ar.WriteInt32(static_cast<std::int32_t>(m_objects.size()));
  for (const auto& object : m_objects) {
    ar.WriteString(object->GetId());
    object->SerializeObject(ar, false);
  }
  ar.WriteInt32(kEndMark);
}

void CPlenivorDoc::ReadObjects(CArchive& ar) {
  const std::int32_t count = ReadCount(ar, 2, "Object list");
  ProgressScope progress(*host_, "Working...", count, count > 4);
  std::vector<std::unique_ptr<CDrawObject>> objects;
  objects.reserve(static_cast<std::size_t>(count));
  auto render_read = [&] {
    RenderReadObjects(objects, [&](std::size_t i, Host& host) {
      if (count > 4) host.ProgressStep(static_cast<int>(i) + 1);
    }, true);
  };
  try {
    for (std::int32_t i = 0; i < count; ++i) {
      std::string id = ar.ReadString();
      std::unique_ptr<CDrawObject> object = MakeObject();
      object->ReadRecordForLaterRender(ar);
      object->SetId(std::move(id));
      objects.push_back(std::move(object));
    }
  } catch (const Error&) {
    render_read();
    throw;
  }
  render_read();
  ar.ReadInt32();  // end mark, not checked
  m_objects = std::move(objects);
}

void CPlenivorDoc::PruneTextureBank() {
  bank_->ClearUsedMarks();
  for (const auto& object : m_objects) {
    bank_->MarkUsed(object->GetTextureName(), object->GetTransparencyName());
  }
  bank_->RemoveUnused();
}

// ---- emptying and new documents

void CPlenivorDoc::DeleteContents() {
  views_->ShowNothingSelected();
  bank_->RemoveAll();
  m_objects.clear();
  m_groups.clear();
  views_->UpdateAllViews(kHintGeneral);
}

void CPlenivorDoc::SetNewDocumentDefaults() {
  m_cropLeft = m_cropTop = m_cropRight = m_cropBottom = 0;
  m_cropActive = 0;
  m_canvasWidth = settings_->GetInt("Settings", "DefWidth", 400);
  m_canvasHeight = settings_->GetInt("Settings", "DefHeight", 300);
  m_canvasColor = 0xFFFFFF;
  m_portable = settings_->GetInt("Settings", "STexture", 0);
  m_path.clear();
  m_modified = false;
}

void CPlenivorDoc::NewDocument() {
  DeleteContents();
  SetNewDocumentDefaults();
  // Undo must never bring another document's objects into this one.
  ClearUndoHistory();
  TakeSnapshot();
  views_->RebuildLayers();
}

void CPlenivorDoc::TakeContentsFrom(CPlenivorDoc& other) {
  m_objects = std::move(other.m_objects);
  m_groups = std::move(other.m_groups);
  m_portable = other.m_portable;
  m_canvasWidth = other.m_canvasWidth;
  m_canvasHeight = other.m_canvasHeight;
  m_canvasColor = other.m_canvasColor;
  m_cropLeft = other.m_cropLeft;
  m_cropTop = other.m_cropTop;
  m_cropRight = other.m_cropRight;
  m_cropBottom = other.m_cropBottom;
  m_cropActive = other.m_cropActive;
}

}  // namespace lumi
