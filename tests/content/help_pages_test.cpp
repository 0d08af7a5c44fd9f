// The help pages: every link and picture resolves, every page is reachable from the
// contents, and the pages stay plain HTML without scripts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "image/pixwerk.h"

namespace fs = std::filesystem;

namespace {

std::string Text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The ids a page declares, for links to its sections.
std::set<std::string> Ids(const std::string& page) {
  std::set<std::string> ids;
  static const std::regex id(R"(\bid="([^"]*)\")");
  for (auto it = std::sregex_iterator(page.begin(), page.end(), id); it != std::sregex_iterator(); ++it)
    ids.insert((*it)[1]);
  return ids;
}

// Checks the pages of `pages` (with generated pictures under `generated`, laid out as
// they are installed beside the pages) and returns one line per problem.
std::vector<std::string> CheckHelp(const fs::path& pages, const fs::path& generated) {
  std::vector<std::string> problems;
  auto find = [&](const std::string& relative) -> fs::path {
    for (const fs::path& root : {pages, generated})
      if (fs::is_regular_file(root / relative)) return root / relative;
    return {};
  };
  std::map<std::string, std::string> texts;
  for (const auto& entry : fs::directory_iterator(pages))
    if (entry.path().extension() == ".htm") texts[entry.path().filename().string()] = Text(entry.path());
  std::set<std::string> linked = {"index.htm"};
  static const std::regex reference(R"(\b(href|src)="([^"]*)\")");
  static const std::regex scripted(R"((<script|\son[a-z]+\s*=|javascript:))", std::regex::icase);
  for (const auto& [name, page] : texts) {
    if (std::regex_search(page, scripted)) problems.push_back(name + ": has a script");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), reference); it != std::sregex_iterator(); ++it) {
      const std::string target = (*it)[2];
      const auto hash = target.find('#');
      const std::string file = target.substr(0, hash);
      const std::string anchor = hash == std::string::npos ? "" : target.substr(hash + 1);
      if (target.find(':') != std::string::npos || target.starts_with('/')) {
        problems.push_back(name + ": " + target + " leaves the help folder");
        continue;
      }
      const std::string page_name = file.empty() ? name : file;
      if (!file.empty() && find(file).empty()) {
        problems.push_back(name + ": " + target + " does not exist");
        continue;
      }
      if (page_name.ends_with(".htm")) {
        linked.insert(page_name);
        if (!anchor.empty() && !Ids(texts[page_name]).contains(anchor))
          problems.push_back(name + ": " + target + " names no section");
      } else if (page_name.ends_with(".png")) {
        const auto picture = lumi::PxLoadPNG(find(file));
        if (!picture || picture->width < 1) problems.push_back(name + ": " + target + " is no picture");
      }
    }
  }
  for (const auto& [name, page] : texts)
    if (!linked.contains(name)) problems.push_back(name + ": no page links to it");
  return problems;
}

TEST(HelpPages, EveryLinkAndPictureResolves) {
  const std::vector<std::string> problems = CheckHelp(LUMI_HELP_PAGES, LUMI_HELP_GENERATED);
  for (const std::string& p : problems) ADD_FAILURE() << p;
  // The contents page and a page for each part of the program.
  for (const char* page : {"index.htm", "window.htm", "tools.htm", "bars.htm", "menus.htm", "libraries.htm",
                           "export.htm", "command-line.htm"})
    EXPECT_TRUE(fs::is_regular_file(fs::path(LUMI_HELP_PAGES) / page)) << page;
}

TEST(HelpPages, TheCheckFindsBrokenPages) {
  const fs::path dir = fs::temp_directory_path() / ("lumi-help-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "generated");
  std::ofstream(dir / "index.htm") << R"(<a href="gone.htm">x</a> <a href="#nowhere">y</a>
<img src="pictures/none.png"> <a href="http://example.invalid/">z</a> <a href="ok.htm#top">ok</a>)";
  std::ofstream(dir / "ok.htm") << R"(<h1 id="top">Top</h1><script>alert(1)</script>)";
  std::ofstream(dir / "lonely.htm") << "<p>nobody links here</p>";
  const std::vector<std::string> expected = {
      "index.htm: gone.htm does not exist",       "index.htm: #nowhere names no section",
      "index.htm: pictures/none.png does not exist", "index.htm: http://example.invalid/ leaves the help folder",
      "ok.htm: has a script",                     "lonely.htm: no page links to it"};
  const std::vector<std::string> problems = CheckHelp(dir, dir / "generated");
  EXPECT_EQ(std::set<std::string>(problems.begin(), problems.end()),
            std::set<std::string>(expected.begin(), expected.end()));
  fs::remove_all(dir);
}

}  // namespace
