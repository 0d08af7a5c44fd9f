// lumiverdant-cli export: the Export dialog's work with its choices given as options.
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>

#include "base/errors.h"
#include "cli_session.h"
#include "commands.h"
#include "document/editable_jpg.h"
#include "export/export_choices.h"
#include "export/export_image.h"
#include "image/dib_section.h"
#include "render/canvas_composition.h"
#include "options.h"

namespace lumi::cli {

namespace {

namespace fs = std::filesystem;

template <typename Value>
Value Pick(const std::map<std::string, Value>& names, const std::string& option, const std::string& value) {
  const auto it = names.find(value);
  if (it != names.end()) return it->second;
  std::string list;
  for (const auto& [name, index] : names) list += (list.empty() ? "" : ", ") + name;
  throw UsageError(option + " is one of " + list + ", not '" + value + "'");
}

ImageFormat FormatFor(const Options& opts, const fs::path& output) {
  if (const auto format = opts.Value("--format")) {
    return Pick<ImageFormat>({{"jpg", ImageFormat::kJpg},
                              {"bmp", ImageFormat::kBmp},
                              {"png", ImageFormat::kPng},
                              {"ejpg", ImageFormat::kEditableJpg}},
                             "--format", *format);
  }
  const std::string ext = LowerExtension(output);
  if (ext == ".jpg" || ext == ".jpeg") return ImageFormat::kJpg;
  if (ext == ".bmp") return ImageFormat::kBmp;
  if (ext == ".png") return ImageFormat::kPng;
  throw UsageError("give --format, or an output ending in .jpg, .bmp or .png: " + output.string());
}

// The choices the Export dialog would hold, from the options; unset options keep the
// dialog's defaults (quality 95, Floyd-Steinberg, cubic) but the file is baseline unless
// --progressive is given.
ExportChoices ChoicesFrom(const Options& opts, const fs::path& output, const Rect& area) {
  ExportChoices c;
  c.format = FormatFor(opts, output);
  c.width = area.Width();
  c.height = area.Height();
  const auto width = opts.Int("--width", -(1 << 30), 1 << 30);
  const auto height = opts.Int("--height", -(1 << 30), 1 << 30);
  // One side alone keeps the aspect, as the dialog's lock does.
  if (width && height) {
    c.width = *width;
    c.height = *height;
  } else if (width) {
    c.width = *width;
    c.height = AspectHeight(area.Width(), area.Height(), *width);
  } else if (height) {
    c.height = *height;
    c.width = AspectHeight(area.Height(), area.Width(), *height);
  }
  if (const auto kernel = opts.Value("--kernel")) {
    c.kernel = Pick<int>({{"cubic", 0}, {"bilinear", 1}, {"hamming", 2}, {"blackman", 3}}, "--kernel", *kernel);
  }
  c.sharpen = opts.Int("--sharpen", 0, 100).value_or(0);
  c.quality = opts.Int("--quality", 0, 100).value_or(95);
  c.progressive = opts.Has("--progressive");
  c.greyscale = opts.Has("--gray");
  if (const auto colours = opts.Value("--colors")) {
    if (*colours == "24bit") {
      c.colour_mode = kExportTrueColour;
    } else if (*colours == "256") {
      c.colour_mode = kExport256Colours;
    } else {
      c.colour_mode = kExportCustomColours;
      c.custom_count = opts.Int("--colors", -(1 << 30), 1 << 30).value_or(0);
    }
  }
  if (const auto dither = opts.Value("--dither")) {
    c.dither = Pick<int>({{"none", 0}, {"diffusion", 1}, {"floyd", 2}}, "--dither", *dither);
  }
  const bool jpeg = c.format == ImageFormat::kJpg || c.format == ImageFormat::kEditableJpg;
  if (jpeg && (opts.Has("--colors") || opts.Has("--dither"))) {
    throw UsageError("--colors and --dither apply to BMP and PNG output");
  }
  if (!jpeg && (opts.Has("--quality") || c.progressive || c.greyscale)) {
    throw UsageError("--quality, --progressive and --gray apply to JPG output");
  }
  if (const auto why = ValidateExportChoices(c)) throw UsageError(*why);
  return c;
}

}  // namespace

void ExportCanvas(CliSession& session, const ExportChoices& choices,
                  const fs::path& output) {
  CliHost& host = session.GetHost();
  ExportContext context{host, session.GetSettings(), fs::temp_directory_path(),
                        [&](const SaveDialogRequest&) { return std::optional<fs::path>(output); },
                        [&](const fs::path& path, std::span<const std::uint8_t> jpeg) {
                          return WriteEditableJpg(session.Doc(), path, jpeg, host);
                        }};
  // The export tells the user why it failed through the host; here that is the one line
  // of the error.
  ExportResult result;
  const std::string why =
      host.CollectDuring([&] {
        result = ExportComposedCanvas(ExportMode::kExport, session.Doc().GetCanvasArea(), session.Doc().Objects(),
                                      choices, context);
      });
  if (!result.written) throw FileError("cannot export " + output.string() + (why.empty() ? "" : ": " + why));
}

void ExportEditableJpg(CliSession& session, const fs::path& output) {
  const Rect area = ComposedArea(session.Doc().GetCanvasArea());
  CheckBitmapSize(area.Width(), area.Height());
  ExportChoices choices;
  choices.format = ImageFormat::kEditableJpg;
  choices.width = area.Width();
  choices.height = area.Height();
  choices.progressive = false;
  ExportCanvas(session, choices, output);
}

int RunExport(const std::vector<std::string>& args) {
  const Options opts(args,
                     {"-o", "--format", "--width", "--height", "--kernel", "--sharpen", "--quality",
                      "--colors", "--dither", "--data"},
                     {"--progressive", "--gray"});
  if (opts.Positional().size() != 1) throw UsageError("export takes one INPUT (see export --help)");
  const fs::path input = opts.Positional()[0];
  const fs::path output = opts.Required("-o");

  CliSession session(opts.Value("--data"));
  session.Load(input);
  const Rect area = ComposedArea(session.Doc().GetCanvasArea());
  CheckBitmapSize(area.Width(), area.Height());  // an area that cannot be composed fails first
  ExportCanvas(session, ChoicesFrom(opts, output, area), output);
  std::printf("%s\n", output.string().c_str());
  return 0;
}

}  // namespace lumi::cli
