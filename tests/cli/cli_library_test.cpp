// Styles, object-library entries and gene libraries on the command line.
#include <nlohmann/json.hpp>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/host.h"
#include "base/settings.h"
#include "cli_fixture.h"
#include "collections/library_commands.h"
#include "document/plenivor_doc.h"
#include "library/texture_bank.h"
#include "objects/text_dialog.h"

namespace lumi {
namespace {

using CliLibrary = CliTest;

const char* kLookScene = R"({
  "canvas": {"width": 200, "height": 150},
  "objects": [
    {"shape": "rectangle", "rect": [10, 10, 90, 60], "fillColor": "#123456",
     "fillColor2": "#654321", "bevelKind": 3, "effectKind": 1, "transparency": 30},
    {"shape": "circle", "rect": [100, 20, 150, 70], "fillColor": "#00FF00"}
  ]
})";

TEST_F(CliLibrary, AStyleRoundTripsAndGivesATextItsLookButNotItsText) {
  const fs::path scene = Write("scene.json", kLookScene);
  const fs::path style = dir_ / "look.sty";
  CliRun run = Cli("build '" + scene.string() + "' -o '" + style.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, style.string() + "\n" + (dir_ / "look.tmb").string() + "\n");
  EXPECT_EQ(Bytes(dir_ / "look.tmb").size(), 54u + 152u * 50u);

  run = Cli("info '" + style.string() + "' --json");
  ASSERT_EQ(run.status, 0) << run.out;
  const auto json = nlohmann::json::parse(run.out);
  ASSERT_EQ(json["objects"].size(), 1u) << "the first object only";
  const auto& object = json["objects"][0];
  EXPECT_EQ(object["kindName"], "Circle");
  EXPECT_EQ(object["width"], 65);
  EXPECT_EQ(object["fillColor"], "#123456");
  EXPECT_EQ(object["bevelKind"], 3);
  EXPECT_EQ(object["effectKind"], 1);
  // The scene info gives back builds the same style file.
  const fs::path again = dir_ / "again.sty";
  run = Cli("build '" + Write("look.json", run.out).string() + "' -o '" + again.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(Bytes(again), Bytes(style));

  // Applied to a text object: the text and font stay, the look comes over.
  RecordingHost host;
  MemorySettings settings;
  CTextureBank bank;
  CPlenivorDoc doc(host, settings, bank);
  doc.NewDocument();
  auto text = doc.MakeObject();
  ScriptedTextDialog dialog;
  dialog.Ok([](TextDialogValues& v) {
    v.text = "Kept";
    v.size = 30;
    SetFaceName(v.font, "Liberation Serif");
  });
  ASSERT_EQ(text->CreateText(20, 20, "", dialog), 1);
  doc.Objects().push_back(std::move(text));
  CDrawObject& target = *doc.Objects().back();
  NewObjectDefaultSets defaults;
  ASSERT_TRUE(ApplyStyleFile(doc, &target, style, defaults));
  EXPECT_EQ(target.GetText(), "Kept");
  EXPECT_EQ(std::string(target.GetFont().lfFaceName), "Liberation Serif");
  EXPECT_EQ(target.GetFillColor(), 0x563412u);
  EXPECT_EQ(target.GetFillColor2(), 0x214365u);
  EXPECT_EQ(target.GetBevelKind(), 3);
  EXPECT_EQ(target.GetEffectKind(), 1);
  EXPECT_EQ(target.GetTransparency(), 30);
}

TEST_F(CliLibrary, AnEntryHoldsEveryObjectAndInfoShowsThem) {
  const fs::path scene = Write("scene.json", kLookScene);
  const fs::path entry = dir_ / "two.obj";
  CliRun run = Cli("build '" + scene.string() + "' -o '" + entry.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  const std::vector<char> bytes = Bytes(entry);
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(bytes[0], 2);
  run = Cli("info '" + entry.string() + "' --json");
  ASSERT_EQ(run.status, 0) << run.out;
  const auto json = nlohmann::json::parse(run.out);
  ASSERT_EQ(json["objects"].size(), 2u);
  EXPECT_EQ(json["objects"][1]["fillColor"], "#00FF00");
  run = Cli("info '" + entry.string() + "'");
  EXPECT_NE(run.out.find("library entry: two.obj\nobjects: 2"), std::string::npos) << run.out;
}

TEST_F(CliLibrary, GeneLibrariesShowTheirGenesAsNumbers) {
  MemorySink sink;
  CArchive ar(sink);
  ar.WriteInt32(2);
  ar.WriteString("..");
  ar.WriteString("Sea|2334|243|327923");
  const fs::path dna = dir_ / "sea.dna";
  WriteFileAtomically(dna, sink.Bytes());
  CliRun run = Cli("info '" + dna.string() + "' --json");
  ASSERT_EQ(run.status, 0) << run.out;
  const auto json = nlohmann::json::parse(run.out);
  ASSERT_EQ(json["genes"].size(), 1u);
  EXPECT_EQ(json["genes"][0]["name"], "Sea");
  EXPECT_EQ(json["genes"][0]["words"], nlohmann::json({2334, 243, 327923}));
  EXPECT_EQ(json["genes"][0]["bytes"], nlohmann::json({30, 9, 0, 243, 0, 0, 243, 0}));
  EXPECT_EQ(json["genes"][0]["mode"], 5);
  run = Cli("info '" + dna.string() + "'");
  EXPECT_NE(run.out.find("Sea: words [2334,243,327923], mode 5"), std::string::npos) << run.out;
}

TEST_F(CliLibrary, DamagedAndMissingLibraryFilesFailWithTheirStatus) {
  struct Case {
    std::string name, bytes;
    int status;
  };
  const Case cases[] = {
      {"cut.sty", std::string("\x01\x00\x00", 3), 2},
      {"cut.obj", std::string("\x05\x00\x00\x00", 4), 2},
      {"cut.dna", std::string("\x05\x00\x00\x00\x02..", 7), 2},
  };
  for (const Case& c : cases) {
    const fs::path p = dir_ / c.name;
    std::ofstream(p, std::ios::binary) << c.bytes;
    const CliRun run = Cli("info '" + p.string() + "'");
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.out;
    EXPECT_NE(run.out.find("damaged input"), std::string::npos) << run.out;
  }
  EXPECT_EQ(Cli("info '" + (dir_ / "none.obj").string() + "'").status, 1);
  const fs::path empty = Write("empty.json", R"({"objects": []})");
  const CliRun run = Cli("build '" + empty.string() + "' -o '" + (dir_ / "x.sty").string() + "'");
  EXPECT_EQ(run.status, 1) << run.out;
  EXPECT_FALSE(fs::exists(dir_ / "x.sty"));
  EXPECT_FALSE(fs::exists(dir_ / "x.tmb"));
}

}  // namespace
}  // namespace lumi
