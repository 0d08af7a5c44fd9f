#pragma once
// The editable JPG ("E-JPG"): an ordinary JPG file with the whole project appended after
// the JPEG data, so that any viewer shows the flat export and this program opens the
// project again. After the JPEG data come the project block (editable_jpg_block.h), the
// 10 bytes "STANDALONE" and the block's length as a little-endian uint32: the last 14
// bytes of the file find the block.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace lumi {

class CPlenivorDoc;
class Host;

inline constexpr std::string_view kEJpgTrailerTag = "STANDALONE";
inline constexpr std::string_view kEJpgComment = "Lumiverdant PLV";
inline constexpr std::string_view kOrdinaryJpgText =
    "This is just an ordinary JPG file!\nWe are looking for a special Lumiverdant Editable "
    "E-JPG.E-JPG file is fully compatible with JPG however you can edit it in Lumiverdant "
    "as ordinary *.plv file.\nYou can create LVJPG files with Export command.\nNote: You "
    "can always load this ordinary JPG file with the Bitmap Tool as a bitmap object.";

// Writes the editable JPG at `path`: the JPEG file `jpeg` (from PxEncodeJPG) followed by
// the project of `doc`, into one temporary file beside `path` that is renamed over it
// once, so a failure (a full disk, say) leaves whatever file was there before as it was.
// Returns false after telling `host` why: "Cannot Create " with the path, or the write
// error with its cause.
bool WriteEditableJpg(CPlenivorDoc& doc, const std::filesystem::path& path,
                      std::span<const std::uint8_t> jpeg, Host& host);

// Appends the project of `doc` to the JPG file already at `jpg_path`, through
// WriteEditableJpg. Returns false after telling `host` why: "Cannot Open " with the
// JPG's path when it cannot be read, otherwise as WriteEditableJpg.
bool AppendProjectToJpg(CPlenivorDoc& doc, const std::filesystem::path& jpg_path, Host& host);

// Loads the project embedded in the editable JPG at `path` into `doc`, which the caller
// has just reset. Returns true when it did. Every failure is reported through `host`
// (the block codec reports through the document's host) and leaves the document as it
// was and the file untouched: "Cannot Open " + path; the "ordinary JPG" text when the
// file does not end in the trailer; "Corrupted e-JPG file (2)" when the block's length
// or its "KVELT" mark is wrong; then whatever DecodeProjectBlock reports. Damage inside
// the project stream throws ArchiveError, as the document's reader does.
bool ReadEditableJpg(CPlenivorDoc& doc, const std::filesystem::path& path, Host& host);

}  // namespace lumi
