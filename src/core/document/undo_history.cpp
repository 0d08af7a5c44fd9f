// Snapshot undo and redo: every completed change pushes the whole object list, written as
// the objects-only stream, on the undo stack; undo and redo swap whole object lists.
#include <algorithm>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "document/plenivor_doc.h"

namespace lumi {

void CPlenivorDoc::ClearUndoHistory() {
  m_undo.clear();
  m_redo.clear();
}

std::size_t CPlenivorDoc::UndoHeldBytes() const {
  std::size_t bytes = 0;
  for (const auto* stack : {&m_undo, &m_redo})
    for (const Snapshot& snapshot : *stack) bytes += snapshot.capacity();
  return bytes;
}

void CPlenivorDoc::PushUndo(Snapshot snapshot) {
  // A snapshot is kept for many changes: not with the spare room its stream grew into.
  snapshot.shrink_to_fit();
  // The stack keeps at most limit + 1 snapshots: the current list and limit steps back.
  if (m_undo.size() > static_cast<std::size_t>(std::max(m_undoLimit, 0))) m_undo.pop_back();
  m_undo.push_front(std::move(snapshot));
}

void CPlenivorDoc::TakeSnapshot() {
  if (m_undoLimit < 1) return;
  MemorySink sink;
  CArchive ar(sink);
  WriteObjects(ar);
  PushUndo(sink.TakeBytes());
  m_redo.clear();
}

void CPlenivorDoc::ReadSnapshot(const Snapshot& snapshot) {
  MemorySource source(snapshot);
  CArchive ar(source);
  try {
    ReadObjects(ar);
  } catch (const Error& e) {
    // Our own bytes; only a failed render could land here. The list stays as it was.
    host_->Message(e.what(), MessageKind::Error);
  }
  views_->RebuildLayers();
  views_->UpdateAllViews(kHintGeneral);
}

void CPlenivorDoc::Undo() {
  if (!CanUndo()) return;
  m_redo.push_front(std::move(m_undo.front()));
  m_undo.pop_front();
  ReadSnapshot(m_undo.front());
}

void CPlenivorDoc::Redo() {
  if (!CanRedo()) return;
  Snapshot snapshot = std::move(m_redo.front());
  m_redo.pop_front();
  PushUndo(std::move(snapshot));
  ReadSnapshot(m_undo.front());
}

}  // namespace lumi
