// JSON scenes read from hostile bytes, as `lumiverdant-cli build` reads them: every object
// is built and rendered, the scene moved into a project, and the project written again
// as a scene and rebuilt from it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/errors.h"
#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "document/scene.h"
#include "document/scene_project.h"
#include "document/scene_writer.h"
#include "library/texture_bank.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const nlohmann::json root = nlohmann::json::parse(data, data + size, nullptr, false);
  if (root.is_discarded()) return 0;
  lumi::SilentHost host;
  lumi::MemorySettings settings;
  lumi::CTextureBank bank;
  lumi::CPlenivorDoc doc(host, settings, bank);
  try {
    lumi::MoveSceneIntoDocument(lumi::BuildScene(root, host, nullptr), doc);
    const nlohmann::json again = nlohmann::json::parse(lumi::SceneOfDocument(doc).dump());
    lumi::MoveSceneIntoDocument(lumi::BuildScene(again, host, nullptr), doc);
  } catch (const lumi::Error&) {
    return 0;
  }
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  const std::string scenes[] = {
      R"({"canvas": {"width": 64, "height": 48}, "objects": [
          {"shape": "rectangle", "rect": [2, 2, 30, 20], "ops": [{"rotate": 30}]},
          {"shape": "star", "rect": [10, 10, 40, 40], "points": 5, "inner": 2, "bevelKind": 2}],
        "groups": [[0, 1]], "crop": [0, 0, 32, 32]})",
      R"({"objects": [{"shape": "outline", "width": 20, "height": 10,
          "outline": {"closed": 1, "nodes": [[0,0],[0,0],[1,0],[1,0],[1,0],[1,1],[1,1],[1,1],[0,0]]}},
          {"shape": "polynome", "width": 30, "height": 30, "polynome": {"nodes": [[0,0,6],[1000,0,2],[500,1000,3]],
           "envelope": [0,0,0.4,0,0.6,0,1,0,0,1,0.4,1,0.6,1,1,1], "envelopeOn": 1}}]})",
      R"({"objects": [{"shape": "circle", "rect": [0, 0, 20, 20], "ops": [{"convert": "bitmap"},
          {"states": {"highlighted": {"fillColor": "#00FF00"}, "pushed": true}}]},
          {"shape": "rectangle", "rect": [0, 0, 9, 9], "ops": [{"states": {"solo": 1, "pushed": 1}}]}]})",
  };
  std::vector<std::vector<std::uint8_t>> seeds;
  for (const std::string& s : scenes) seeds.emplace_back(s.begin(), s.end());
  return seeds;
}
