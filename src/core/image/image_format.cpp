#include "image/image_format.h"

namespace lumi {

namespace {

const DialogFilterEntry* FindEntry(FormatDialog dialog, ImageFormat format) {
  for (const DialogFilterEntry& e : kDialogFilterEntries) {
    if (e.dialog == dialog && e.format == format) return &e;
  }
  return nullptr;
}

void AppendEntry(std::string& filter, const DialogFilterEntry& e) {
  filter.append(e.description).append("|").append(e.pattern).append("|");
}

}  // namespace

std::string_view DefaultExtension(ImageFormat format) {
  switch (format) {
    case ImageFormat::kProject: return ".plv";
    case ImageFormat::kPng: return ".png";
    case ImageFormat::kBmp: return ".bmp";
    case ImageFormat::kJpg:
    case ImageFormat::kEditableJpg: break;
  }
  return ".jpg";
}

bool IsFlatImage(ImageFormat format) {
  return format == ImageFormat::kJpg || format == ImageFormat::kPng || format == ImageFormat::kBmp;
}

bool DialogOffers(FormatDialog dialog, ImageFormat format) {
  return FindEntry(dialog, format) != nullptr;
}

std::string DialogFilter(FormatDialog dialog) {
  std::string filter;
  for (const DialogFilterEntry& e : kDialogFilterEntries) {
    if (e.dialog == dialog) AppendEntry(filter, e);
  }
  return filter + "|";
}

std::string DialogFilter(FormatDialog dialog, ImageFormat format) {
  const DialogFilterEntry* e = FindEntry(dialog, format);
  if (!e) return {};
  std::string filter;
  AppendEntry(filter, *e);
  return filter + "|";
}

std::optional<ImageFormat> FormatOfFilter(FormatDialog dialog, std::string_view description) {
  // The export lists the editable JPG under the JPG entry's text; the first entry wins.
  for (const DialogFilterEntry& e : kDialogFilterEntries) {
    if (e.dialog == dialog && e.description == description) return e.format;
  }
  return std::nullopt;
}

}  // namespace lumi
