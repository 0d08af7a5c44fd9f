// lumiverdant-cli info: what a drawing, a style, a library entry or a gene library holds,
// readable or as JSON.
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "base/parallel_render.h"
#include "cli_session.h"
#include "commands.h"
#include "document/scene_writer.h"
#include "library/gene_library.h"
#include "options.h"

namespace lumi::cli {

namespace {

using nlohmann::ordered_json;

// One "  key: value" line per field; nested values stay on their line as compact JSON.
std::string FieldLines(const ordered_json& fields) {
  std::string text;
  for (const auto& [key, value] : fields.items()) {
    if (key == "source" && value.contains("zlib")) {
      // A bitmap's pixels: their size says more to a reader than their Base64 text.
      text += "  source: stored pixels, " +
              std::to_string(value["zlib"].get<std::string>().size()) + " bytes of Base64\n";
      continue;
    }
    text +=
        "  " + key + ": " + (value.is_string() ? value.get<std::string>() : value.dump()) + "\n";
  }
  return text;
}

void PrintFields(const ordered_json& fields) {
  std::fputs(FieldLines(fields).c_str(), stdout);
}

// The objects' lines are made side by side, each object's fields let go on the thread that
// wrote them, and printed in order.
void PrintObjects(ordered_json objects) {
  std::printf("objects: %zu\n", objects.size());
  std::vector<std::string> texts(objects.size());
  ParallelFor(objects.size(), [&](std::size_t i) {
    texts[i] = "\nobject " + std::to_string(i) + ":\n" + FieldLines(objects[i]);
    objects[i] = nullptr;
  });
  for (const std::string& text : texts) std::fwrite(text.data(), 1, text.size(), stdout);
}

void PrintReadable(ordered_json scene) {
  std::printf("canvas:\n");
  PrintFields(scene["canvas"]);
  if (scene.contains("crop")) std::printf("crop: %s\n", scene["crop"].dump().c_str());
  if (scene.contains("groups")) {
    std::printf("groups:\n");
    for (std::size_t g = 0; g < scene["groups"].size(); ++g) {
      std::printf("  group %zu: objects %s\n", g, scene["groups"][g].dump().c_str());
    }
  }
  PrintObjects(std::move(scene["objects"]));
}

// A gene library: its entries in file order, genes as their numbers.
int PrintGeneLibrary(const std::filesystem::path& input, bool json) {
  const std::optional<std::vector<std::string>> entries = ReadGeneLibrary(input);
  if (!entries) throw FileError("cannot read " + input.string());
  ordered_json genes = ordered_json::array();
  ordered_json others = ordered_json::array();
  for (const std::string& entry : *entries) {
    const std::optional<GeneEntry> gene = ParseGeneEntry(entry);
    if (!gene) {
      others.push_back(entry);
      continue;
    }
    const Gene g = UnpackLibraryGene(gene->words);
    genes.push_back(ordered_json{{"name", gene->name},
                                 {"words", {gene->words.word1, gene->words.word2, gene->words.word3}},
                                 {"bytes", g.P},
                                 {"mode", g.mode}});
  }
  if (json) {
    std::printf("%s\n", ordered_json{{"entries", entries->size()}, {"genes", genes}, {"other", others}}
                            .dump(2)
                            .c_str());
    return 0;
  }
  std::printf("gene library: %zu entries, %zu genes\n", entries->size(), genes.size());
  for (const auto& g : genes) {
    std::printf("  %s: words %s, mode %d, bytes %s\n", g["name"].get<std::string>().c_str(),
                g["words"].dump().c_str(), g["mode"].get<int>(), g["bytes"].dump().c_str());
  }
  for (const auto& o : others) std::printf("  other entry: %s\n", o.get<std::string>().c_str());
  return 0;
}

}  // namespace

int RunInfo(const std::vector<std::string>& args) {
  const Options opts(args, {"--data"}, {"--json"});
  if (opts.Positional().size() != 1) throw UsageError("info takes one INPUT (see info --help)");
  const std::filesystem::path input = opts.Positional()[0];
  const std::string ext = LowerExtension(input);
  if (ext == ".dna") return PrintGeneLibrary(input, opts.Has("--json"));
  CliSession session(opts.Value("--data"));
  const bool library_file = ext == ".sty" || ext == ".obj";
  if (library_file) {
    session.LoadLibraryFile(input);
  } else {
    session.Load(input);
  }
  // The JSON form is a scene that `build` turns back into the project, so it says in one
  // line what it cannot express; the readable form shows every project that opens.
  if (opts.Has("--json")) {
    std::printf("%s\n", SceneOfDocument(session.Doc(), SceneDetail::kExact).dump(2).c_str());
  } else if (library_file) {
    std::printf("%s: %s\n", ext == ".sty" ? "style" : "library entry", input.filename().string().c_str());
    PrintObjects(SceneOfDocument(session.Doc(), SceneDetail::kReadable)["objects"]);
  } else {
    PrintReadable(SceneOfDocument(session.Doc(), SceneDetail::kReadable));
  }
  return 0;
}

}  // namespace lumi::cli
