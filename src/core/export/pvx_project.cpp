#include "export/pvx_project.h"

#include <span>

#include "base/archive.h"
#include "base/errors.h"
#include "objects/draw_object.h"

namespace lumi {

namespace {

void Zeros(CArchive& ar, int count) {
  for (int i = 0; i < count; ++i) ar.WriteInt32(0);
}

void EmptyStrings(CArchive& ar, int count) {
  for (int i = 0; i < count; ++i) ar.WriteString("");
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

void WriteImage(CArchive& ar, const RgbImage& image) {
  ar.WriteInt32(1);
  ar.WriteInt32(image.width);
  ar.WriteInt32(image.height);
  ar.WriteBytes(std::span(image.pixels));
}

void WriteButtonItem(CArchive& ar, const CanvasArea& canvas, ObjectList& objects, int j,
                     Host& host) {
  const std::optional<StateImages> states =
      ComposeStates(canvas, objects, j, MultiStateTarget::Pavonix, host);
  if (!states) throw Error("Error export #2");  // j below the count always exists
  const CDrawObject& object = *objects[static_cast<std::size_t>(ExportedFramedIndex(objects, j))];
  PvxItem item;
  item.rect = states->rect;
  if (object.GetStatesSuppressed()) {
    item.kind = kPvxBitmapItem;
    item.name = "Bitmap" + std::to_string(j);
    item.images = {&states->normal, nullptr, &states->third};
  } else {
    item.kind = kPvxButtonItem;
    item.name = "Button" + std::to_string(j);
    item.images = {&states->normal, &states->highlighted, &states->third};
  }
  WritePvxItem(ar, item);
}

}  // namespace

int PvxPageItemCount(const ObjectList& objects) {
  const int count = CountExportedFramed(objects);
  return objects.size() > static_cast<std::size_t>(count) ? count + 1 : count;
}

void WritePvxImages(CArchive& ar, const std::array<const RgbImage*, 3>& images) {
  Zeros(ar, 6);
  for (const RgbImage* image : images) {
    if (image)
      WriteImage(ar, *image);
    else
      ar.WriteInt32(0);
  }
  Zeros(ar, 4);
  EmptyStrings(ar, 3);
  Zeros(ar, 6);
}

void WritePvxItem(CArchive& ar, const PvxItem& item) {
  const bool bitmap = StartsWith(item.name, "Bitmap");
  const bool button = !bitmap && item.name != "Background";
  EmptyStrings(ar, 5);
  ar.WriteInt32(0);
  ar.WriteInt32(item.kind);
  ar.WriteInt32(item.rect.left);
  ar.WriteInt32(item.rect.top);
  ar.WriteInt32(item.rect.right);
  ar.WriteInt32(item.rect.bottom);
  ar.WriteString(item.name);

  Zeros(ar, 2);
  ar.WriteInt32(bitmap ? 0 : 1);
  Zeros(ar, 2);
  EmptyStrings(ar, 2);
  Zeros(ar, 2);
  ar.WriteString("");
  ar.WriteInt32(0);

  ar.WriteInt32(button ? 1 : 0);
  ar.WriteInt32(0);

  WritePvxImages(ar, item.images);

  ar.WriteInt32(0);
  for (int value : {0, 0, 1, 0, 0, 0, 0, 0, 0}) ar.WriteInt32(value);
  ar.WriteDouble(1.0);
  ar.WriteInt32(bitmap ? 1 : 0);
  ar.WriteInt32(0);
  ar.WriteString("");
  ar.WriteInt32(0);
  Zeros(ar, 5);
  Zeros(ar, 2);  // eight zero bytes
  ar.WriteString("");
  ar.WriteInt32(0);
}

void WritePvxPage(CArchive& ar, std::string_view name, COLORREF canvas_colour, int item_count,
                  const std::function<void(CArchive&)>& write_items) {
  ar.WriteString(name);
  ar.WriteInt32(0);
  ar.WriteString("");
  Zeros(ar, 4);
  ar.WriteUInt32(canvas_colour);
  ar.WriteInt32(0);
  ar.WriteInt32(0x5900);
  ar.WriteInt32(item_count);
  if (write_items) write_items(ar);
  EmptyStrings(ar, 3);
  Zeros(ar, 5);
  ar.WriteInt32(100);
  ar.WriteInt32(0);
  ar.WriteInt32(-1);
}

void WritePvxProject(CArchive& ar, const CanvasArea& canvas, ObjectList& objects,
                     Host& host) {
  ar.WriteString("Pavonix006");
  ar.WriteString("Project...");
  for (int value : {1, 0, 0, 0}) ar.WriteInt32(value);

  const int count = CountExportedFramed(objects);
  const int item_count = PvxPageItemCount(objects);
  ar.WriteInt32(1);
  WritePvxPage(ar, "Page 1", canvas.colour, item_count, [&](CArchive& items) {
    if (item_count > count) {
      const RgbImage background = ComposeButtonBackground(canvas, objects, host);
      PvxItem item;
      item.kind = kPvxBitmapItem;
      item.rect = {0, 0, canvas.width, canvas.height};
      item.name = "Background";
      item.images = {&background, nullptr, nullptr};
      WritePvxItem(items, item);
    }
    for (int j = 0; j < count; ++j) WriteButtonItem(items, canvas, objects, j, host);
  });
  ar.WriteInt32(0);
  WritePvxPage(ar, "Master Page 000", canvas.colour, 0, {});
  WritePvxPage(ar, "Master Layer 000", canvas.colour, 0, {});
  EmptyStrings(ar, 3);
  Zeros(ar, 6);

  ar.WriteInt32(0);
  ar.WriteInt32(canvas.width);
  ar.WriteInt32(canvas.height);
  ar.WriteInt32(0);

  EmptyStrings(ar, 2);
  ar.WriteString("Tarnwick");
  ar.WriteString("Tarnwick");
  ar.WriteString("Created with Tarnwick");

  Zeros(ar, 3);
  ar.WriteString("TARNWK");
  ar.WriteInt32(0);
}

}  // namespace lumi
