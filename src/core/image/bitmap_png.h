#pragma once
// A 32-bit bitmap written as a PNG that keeps its alpha: for looking at one object's
// rendered layers outside the program (the command line's render --object).
#include <filesystem>

#include "image/dib_section.h"

namespace lumi {

enum class BitmapPngContent {
  kColourAndAlpha,  // 8-bit RGBA
  kAlphaAsGrey,     // the alpha channel alone, as 8-bit grey (a coverage mask)
};

// True on success; sets the library's result code like the other writers.
bool SaveBitmapPng(const std::filesystem::path& path, const CDIBSection& bitmap,
                   BitmapPngContent content);

}  // namespace lumi
