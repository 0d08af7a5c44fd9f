#include "ui/char_map_grid.h"

#include "base/text_encoding.h"

namespace lumi {

namespace {

constexpr int kPerPage = kCharMapColumns * kCharMapRows;
constexpr char32_t kFirstLaterCode = 0x100;
constexpr char32_t kLastCode = 0xFFFF;

}  // namespace

std::optional<CharMapCell> CharMapCellAt(Point p) {
  if (p.x < 0 || p.y < 0) return std::nullopt;
  const CharMapCell cell{p.x / kCharMapCell, p.y / kCharMapCell};
  if (cell.column >= kCharMapColumns || cell.row >= kCharMapRows) return std::nullopt;
  return cell;
}

Rect CharMapCellRect(CharMapCell cell) {
  const int x = kCharMapCell * cell.column, y = kCharMapCell * cell.row;
  return {x + 1, y + 1, x + kCharMapCell, y + kCharMapCell};
}

int CharMapPageCount() {
  return 1 + static_cast<int>((kLastCode - kFirstLaterCode + kPerPage) / kPerPage);
}

std::string CharMapCharacter(int page, CharMapCell cell) {
  if (page < 0 || page >= CharMapPageCount() || cell.column < 0 || cell.row < 0 ||
      cell.column >= kCharMapColumns || cell.row >= kCharMapRows)
    return {};
  const int index = kCharMapColumns * cell.row + cell.column;
  if (page == 0) {
    const int code = 32 + index;
    if (code > 255) return {};
    return Cp1252ToUtf8(std::string(1, static_cast<char>(code)));
  }
  const char32_t code = kFirstLaterCode + static_cast<char32_t>((page - 1) * kPerPage + index);
  if (code > kLastCode || (code >= 0xD800 && code <= 0xDFFF)) return {};
  return EncodeUtf8(std::u32string(1, code));
}

}  // namespace lumi
