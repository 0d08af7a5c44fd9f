// lumiverdant-cli info: what a drawing holds, readable or as a JSON scene.
#include <cstdio>
#include <filesystem>

#include "base/errors.h"
#include "cli_session.h"
#include "commands.h"
#include "document/scene_writer.h"
#include "options.h"

namespace lumi::cli {

namespace {

using nlohmann::ordered_json;

// One "  key: value" line per field; nested values stay on their line as compact JSON.
void PrintFields(const ordered_json& fields) {
  for (const auto& [key, value] : fields.items()) {
    if (key == "source" && value.contains("zlib")) {
      // A bitmap's pixels: their size says more to a reader than their Base64 text.
      std::printf("  source: stored pixels, %zu bytes of Base64\n", value["zlib"].get<std::string>().size());
      continue;
    }
    std::printf("  %s: %s\n", key.c_str(), value.is_string() ? value.get<std::string>().c_str() : value.dump().c_str());
  }
}

void PrintReadable(const ordered_json& scene) {
  std::printf("canvas:\n");
  PrintFields(scene["canvas"]);
  if (scene.contains("crop")) std::printf("crop: %s\n", scene["crop"].dump().c_str());
  if (scene.contains("groups")) {
    std::printf("groups:\n");
    for (std::size_t g = 0; g < scene["groups"].size(); ++g) {
      std::printf("  group %zu: objects %s\n", g, scene["groups"][g].dump().c_str());
    }
  }
  const ordered_json& objects = scene["objects"];
  std::printf("objects: %zu\n", objects.size());
  for (std::size_t i = 0; i < objects.size(); ++i) {
    std::printf("\nobject %zu:\n", i);
    PrintFields(objects[i]);
  }
}

}  // namespace

int RunInfo(const std::vector<std::string>& args) {
  const Options opts(args, {"--data"}, {"--json"});
  if (opts.Positional().size() != 1) throw UsageError("info takes one INPUT (see info --help)");
  CliSession session(opts.Value("--data"));
  session.Load(opts.Positional()[0]);
  // The JSON form is a scene that `build` turns back into the project, so it says in one
  // line what it cannot express; the readable form shows every project that opens.
  if (opts.Has("--json")) {
    std::printf("%s\n", SceneOfDocument(session.Doc(), SceneDetail::kExact).dump(2).c_str());
  } else {
    PrintReadable(SceneOfDocument(session.Doc(), SceneDetail::kReadable));
  }
  return 0;
}

}  // namespace lumi::cli
