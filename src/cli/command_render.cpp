// lumiverdant-cli render: a drawing composed into an image file, or one object's layer.
#include <cstdio>
#include <filesystem>
#include <optional>

#include "base/errors.h"
#include "cli_session.h"
#include "commands.h"
#include "document/save_flat_image.h"
#include "image/bitmap_png.h"
#include "image/pixwerk.h"
#include "objects/draw_object.h"
#include "options.h"

namespace lumi::cli {

namespace {

namespace fs = std::filesystem;

// The flat-image format the output's extension names.
ImageFormat FormatOf(const fs::path& out) {
  const std::string ext = LowerExtension(out);
  if (ext == ".png") return ImageFormat::kPng;
  if (ext == ".bmp") return ImageFormat::kBmp;
  if (ext == ".jpg" || ext == ".jpeg") return ImageFormat::kJpg;
  throw UsageError("the output must end in .png, .jpg or .bmp: " + out.string());
}

}  // namespace

int RunRender(const std::vector<std::string>& args) {
  const Options opts(args, {"-o", "--object", "--layer", "--data"}, {});
  if (opts.Positional().size() != 1) throw UsageError("render takes one INPUT (see render --help)");
  const fs::path input = opts.Positional()[0];
  const fs::path output = opts.Required("-o");
  const auto object = opts.Int("--object", 0, 1 << 30);
  const auto layer = opts.Value("--layer");
  if (layer && !object) throw UsageError("--layer needs --object N");

  CliSession session(opts.Value("--data"));
  session.Load(input);
  const auto& objects = session.Doc().Objects();

  if (object) {
    if (*object >= static_cast<int>(objects.size())) {
      throw UsageError("there is no object " + std::to_string(*object) + " (the drawing has " +
                       std::to_string(objects.size()) + ")");
    }
    if (LowerExtension(output) != ".png") throw UsageError("an object's layer is written as .png");
    const CDrawObject& o = *objects[*object];
    const std::string which = layer.value_or("image");
    bool ok = false;
    if (which == "image") {
      ok = SaveBitmapPng(output, o.Image(), BitmapPngContent::kColourAndAlpha);
    } else if (which == "effect") {
      if (o.EffectLayer().IsEmpty()) throw UsageError("object " + std::to_string(*object) + " has no effect layer");
      ok = SaveBitmapPng(output, o.EffectLayer(), BitmapPngContent::kColourAndAlpha);
    } else if (which == "mask") {
      ok = SaveBitmapPng(output, o.Image(), BitmapPngContent::kAlphaAsGrey);
    } else {
      throw UsageError("--layer is image, effect or mask");
    }
    if (!ok) throw FileError("cannot write " + output.string() + ": " + ErrorText(PxGetLastError()));
  } else {
    // The canvas as "Save As" writes an image; the writer's complaint becomes the error line.
    const ImageFormat format = FormatOf(output);
    CliHost& host = session.GetHost();
    bool written = false;
    const std::string why = host.CollectDuring(
        [&] { written = SaveFlatImage(output, format, session.Doc().GetCanvasArea(), objects, host); });
    if (!written) throw FileError("cannot write " + output.string() + ": " + why);
  }
  std::printf("%s\n", output.string().c_str());
  return 0;
}

}  // namespace lumi::cli
