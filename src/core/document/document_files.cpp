// Opening and saving projects by path: the document's side of File Open, Save and Save As.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "document/plenivor_doc.h"
#include "document/editable_jpg.h"
#include "document/save_flat_image.h"

namespace lumi {

namespace {

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool IsJpgPath(const std::filesystem::path& path) {
  const std::string name = path.string();
  if (name.size() < 4) return false;
  const std::string tail = LowerAscii(name.substr(name.size() - 4));
  return tail == ".jpg" || tail == "jpeg";
}

// Replaces the file name's extension (after its last ".", when that "." is not the first
// character of the name) by `extension`; a name without one gets it appended only when
// `append_when_missing`. Dots in folder names are left alone.
std::filesystem::path WithExtension(const std::filesystem::path& path, std::string_view extension,
                                    bool append_when_missing) {
  std::string name = path.filename().string();
  const auto dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) {
    name.erase(dot);
  } else if (!append_when_missing) {
    return path;
  }
  return path.parent_path() / (name + std::string(extension));
}

}  // namespace

bool CPlenivorDoc::Open(const std::filesystem::path& path) {
  if (IsJpgPath(path)) return OpenEditableJpg(path);

  // The project is read into a fresh document and taken over only when the whole file
  // was read, so a damaged file never leaves a half-loaded document behind. The texture
  // bank is shared: it is emptied first, as emptying the document does.
  // A file that cannot be opened at all leaves the current document as it is.
  std::unique_ptr<FileSource> source;
  try {
    source = std::make_unique<FileSource>(path);
  } catch (const FileError& e) {
    host_->Message(e.what(), MessageKind::Error);
    return false;
  }
  DeleteContents();
  CPlenivorDoc fresh(*host_, *settings_, *bank_);
  fresh.SetRenderContext(render_context_);
  bool loaded = false;
  try {
    CArchive ar(*source);
    loaded = fresh.LoadProject(ar);
  } catch (const Error&) {
    host_->Message("Unexpected file format.", MessageKind::Error);
  }
  if (!loaded) {
    NewDocument();
    return false;
  }

  TakeContentsFrom(fresh);
  m_path = path;
  m_modified = false;
  ClearUndoHistory();
  TakeSnapshot();
  NotifyLoaded();
  views_->UpdateAllViews(kHintCanvasChanged);
  return true;
}

bool CPlenivorDoc::OpenRecovered(const std::filesystem::path& path) {
  if (!Open(path)) return false;
  m_path.clear();
  m_modified = true;
  return true;
}

bool CPlenivorDoc::OpenEditableJpg(const std::filesystem::path& path) {
  DeleteContents();
  SetNewDocumentDefaults();
  ClearUndoHistory();
  bool loaded = false;
  try {
    loaded = jpg_reader_ ? jpg_reader_(path, *this) : ReadEditableJpg(*this, path, *host_);
  } catch (const FileError& e) {
    host_->Message(e.what(), MessageKind::Error);
  } catch (const Error&) {
    host_->Message("Unexpected file format.", MessageKind::Error);
  }
  if (!loaded) {
    // Nothing half-read stays behind.
    DeleteContents();
    SetNewDocumentDefaults();
  }
  TakeSnapshot();
  if (loaded) {
    NotifyLoaded();
    views_->UpdateAllViews(kHintCanvasChanged);
  } else {
    views_->RebuildLayers();
  }
  // Never the JPG's path: a later Save asks for a name instead of overwriting the JPG.
  m_path.clear();
  return loaded;
}

void CPlenivorDoc::WriteProjectFile(const std::filesystem::path& path) {
  PruneTextureBank();
  FileSink sink(path);
  CArchive ar(sink);
  StoreProject(ar);
  sink.Commit();
}

void CPlenivorDoc::ReportSaveError(const std::filesystem::path& path, const std::string& why) {
  if (why.find(std::strerror(ENOSPC)) != std::string::npos) {
    host_->Message("Destination disk drive is full.", MessageKind::Error);
  } else {
    host_->Message("Unable to write to " + path.string() +
                       ", it is read-only or opened by someone else.",
                   MessageKind::Error);
  }
}

SaveResult CPlenivorDoc::Save() {
  if (m_path.empty()) return SaveResult::NeedsName;
  std::error_code ec;
  if (std::filesystem::exists(m_path, ec) && ::access(m_path.c_str(), W_OK) != 0) {
    return SaveResult::NeedsName;
  }
  WaitCursor wait(*host_);
  try {
    WriteProjectFile(m_path);
  } catch (const Error& e) {
    ReportSaveError(m_path, e.what());
    return SaveResult::Failed;
  }
  m_modified = false;
  return SaveResult::Saved;
}

bool CPlenivorDoc::SaveAs(const std::filesystem::path& path, ImageFormat format, bool take_name) {
  if (!DialogOffers(FormatDialog::kSaveAs, format))
    throw std::invalid_argument("Save As does not write this format");
  if (format != ImageFormat::kProject) return SaveFlat(path, format);

  const std::filesystem::path target =
      WithExtension(path, DefaultExtension(ImageFormat::kProject), false);
  WaitCursor wait(*host_);
  try {
    WriteProjectFile(target);
  } catch (const Error& e) {
    // The temporary file is already gone: a failed Save As leaves nothing behind.
    ReportSaveError(target, e.what());
    return false;
  }
  if (take_name) {
    m_path = target;
    m_modified = false;
  }
  return true;
}

bool CPlenivorDoc::SaveFlat(const std::filesystem::path& path, ImageFormat format) {
  bool written = false;
  try {
    written = SaveFlatImage(WithExtension(path, DefaultExtension(format), true), format, GetCanvasArea(),
                            m_objects, *host_);
  } catch (const Error& e) {
    host_->Message(e.what(), MessageKind::Error);
  }
  views_->UpdateAllViews(kHintRepaint);
  return written;
}

std::string CPlenivorDoc::GetTitle() const {
  return m_path.empty() ? std::string("Untitled") : m_path.filename().string();
}

std::string CPlenivorDoc::ProposedSaveName() const {
  if (!m_path.empty()) return m_path.string();
  std::string title = GetTitle();
  const auto cut = title.find_first_of(" #%;/\\");
  if (cut != std::string::npos) title.erase(cut);
  return title;
}

Answer CPlenivorDoc::AskToSave() {
  if (!ShouldAskToSave()) return Answer::No;
  const std::string name = m_path.empty() ? GetTitle() : m_path.string();
  return host_->Ask("Save changes to " + name + "?", AskButtons::YesNoCancel);
}

}  // namespace lumi
