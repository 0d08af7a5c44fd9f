// The sample projects a new user opens: each is the project its scene builds, and each
// renders with the shipped textures, none missing.
#include <algorithm>
#include <string>

#include "cli_fixture.h"

namespace lumi {
namespace {

class CliSamples : public CliTest {};

struct Sample {
  const char* name;
  int width;
  int height;
};

// The samples the program ships (welcome, the first flat sample, is checked on its own).
constexpr Sample kSamples[] = {
    {"poster", 640, 420}, {"buttons", 560, 110}, {"photo-card", 552, 552}, {"materials", 640, 480}};

TEST_F(CliSamples, EachProjectIsItsSceneBuiltAndRendersWithItsTextures) {
  for (const Sample& sample : kSamples) {
    SCOPED_TRACE(sample.name);
    const fs::path scene = fs::path(LUMI_SAMPLES) / (std::string(sample.name) + ".json");
    const fs::path shipped = fs::path(LUMI_SAMPLES) / (std::string(sample.name) + ".plv");
    // Rebuild a project with `lumiverdant-cli build NAME.json -o NAME.plv` after changing
    // its scene.
    const fs::path built = dir_ / (std::string(sample.name) + ".plv");
    const CliRun build = Cli("build '" + scene.string() + "' -o '" + built.string() + "'");
    ASSERT_EQ(build.status, 0) << build.out;
    EXPECT_TRUE(Bytes(built) == Bytes(shipped)) << "the shipped project differs from its scene";

    const fs::path from_project = dir_ / (std::string(sample.name) + "-project.png");
    const fs::path from_scene = dir_ / (std::string(sample.name) + "-scene.png");
    const std::string data = " --data '" + std::string(LUMI_DATA) + "'";
    const CliRun project_run = Cli("render '" + shipped.string() + "' -o '" + from_project.string() + "'" + data);
    const CliRun scene_run = Cli("render '" + scene.string() + "' -o '" + from_scene.string() + "'" + data);
    ASSERT_EQ(project_run.status, 0) << project_run.out;
    ASSERT_EQ(scene_run.status, 0) << scene_run.out;
    // The program prints only the path it wrote: any warning (a missing texture above
    // all) is a fault of the sample.
    EXPECT_EQ(project_run.out, from_project.string() + "\n");
    EXPECT_EQ(scene_run.out, from_scene.string() + "\n");

    const auto image = PxLoadPNG(from_project);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, sample.width);
    EXPECT_EQ(image->height, sample.height);
    const auto same = PxLoadPNG(from_scene);
    ASSERT_TRUE(same.has_value());
    EXPECT_TRUE(image->pixels == same->pixels) << "project and scene render differently";
    // A textured drawing has many colours; a flat fallback has a handful.
    std::vector<std::uint32_t> colours;
    for (std::size_t i = 0; i + 2 < image->pixels.size(); i += 3)
      colours.push_back(image->pixels[i] << 16 | image->pixels[i + 1] << 8 | image->pixels[i + 2]);
    std::sort(colours.begin(), colours.end());
    EXPECT_GT(std::unique(colours.begin(), colours.end()) - colours.begin(), 2000);
  }
}

}  // namespace
}  // namespace lumi
