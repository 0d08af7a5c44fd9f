#include "library/gene_library.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"

namespace lumi {

namespace fs = std::filesystem;

GeneWords PackGene(const Gene& g, bool with_mode) {
  GeneWords w;
  w.word1 = g.P[0] + 256 * g.P[1] + 65536 * g.P[2];
  w.word2 = g.P[3] + 256 * g.P[4] + 65536 * g.P[5];
  w.word3 = g.P[6] + 256 * g.P[7] + (with_mode ? 65536 * (g.mode < 0 ? 0 : g.mode) : 0);
  return w;
}

Gene UnpackLibraryGene(const GeneWords& w) {
  const auto byte = [](std::int32_t word, int i) {
    return static_cast<int>((static_cast<std::uint32_t>(word) >> (8 * i)) & 255u);
  };
  Gene g;
  for (int i = 0; i < 3; ++i) {
    g.P[static_cast<std::size_t>(i)] = byte(w.word1, i);
    g.P[static_cast<std::size_t>(i + 3)] = byte(w.word2, i);
  }
  g.P[6] = byte(w.word3, 0);
  g.P[7] = byte(w.word3, 1);
  g.mode = byte(w.word3, 2);
  return g;
}

std::string FormatGeneEntry(const std::string& name, const GeneWords& w) {
  return name + "|" + std::to_string(w.word1) + "|" + std::to_string(w.word2) + "|" +
         std::to_string(w.word3);
}

namespace {

// The runtime's string-to-integer reading: leading blanks, a sign, then digits; stops at
// the first other character.
std::int32_t DecimalPrefix(const std::string& text) {
  const long long v = std::strtoll(text.c_str(), nullptr, 10);
  return static_cast<std::int32_t>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

std::optional<GeneEntry> ParseGeneEntry(const std::string& text) {
  const std::size_t bar = text.find('|');
  if (bar == std::string::npos) return std::nullopt;
  GeneEntry entry;
  entry.name = text.substr(0, bar);
  std::int32_t* words[3] = {&entry.words.word1, &entry.words.word2, &entry.words.word3};
  std::size_t start = bar + 1;
  for (std::int32_t* word : words) {
    if (start > text.size()) break;
    const std::size_t next = text.find('|', start);
    *word = DecimalPrefix(text.substr(start, next == std::string::npos ? std::string::npos : next - start));
    start = next == std::string::npos ? text.size() + 1 : next + 1;
  }
  return entry;
}

std::optional<std::vector<std::string>> ReadGeneLibrary(const fs::path& path) {
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ReadWholeFile(path, kMaxGeneLibraryBytes);
  } catch (const FileError&) {
    std::error_code ec;
    if (fs::exists(path, ec) && fs::file_size(path, ec) > kMaxGeneLibraryBytes) {
      throw ArchiveError(path.filename().string() + ": too large for a gene library");
    }
    return std::nullopt;
  }
  return ReadGeneLibraryBytes(bytes);
}

std::vector<std::string> ReadGeneLibraryBytes(std::span<const std::uint8_t> bytes) {
  MemorySource source(bytes);
  CArchive ar(source);
  const std::int32_t count = ar.ReadInt32();
  if (count < 0) throw ArchiveError("Gene library: negative count");
  ar.RequireRemaining(static_cast<std::uint64_t>(count), 1, "Gene library");
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) entries.push_back(ar.ReadString());
  return entries;
}

bool WriteGeneLibrary(const fs::path& path, const std::vector<std::string>& entries) {
  try {
    FileSink sink(path);
    CArchive ar(sink);
    ar.WriteInt32(static_cast<std::int32_t>(entries.size()));
    for (const std::string& entry : entries) ar.WriteString(entry);
    sink.Commit();
    return true;
  } catch (const Error&) {
    return false;
  }
}

std::vector<std::string> GeneLibraryFiles(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code type_ec;
    const std::string name = it->path().filename().string();
    if (it->is_regular_file(type_ec) && name.size() > 4 &&
        Lower(name.substr(name.size() - 4)) == ".dna") {
      names.push_back(name);
    }
  }
  SortGeneList(names);
  return names;
}

std::string GeneLibraryCaption(const std::string& name) {
  std::string caption = name.size() > 5 ? name.substr(0, name.size() - 4) : name;
  if (!caption.empty()) {
    caption[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(caption[0])));
  }
  return caption;
}

int GeneListIcon(const std::string& entry) {
  if (entry == "..") return 10;
  const std::optional<GeneEntry> gene = ParseGeneEntry(entry);
  if (!gene) return 9;
  const int mode = UnpackLibraryGene(gene->words).mode;
  if (mode == 8) return 1;
  return mode > 8 ? 7 : mode;
}

std::string GeneListText(const std::string& entry) {
  if (entry == "..") return entry;
  if (const std::optional<GeneEntry> gene = ParseGeneEntry(entry)) return gene->name;
  return GeneLibraryCaption(entry);
}

void SortGeneList(std::vector<std::string>& entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
    // ".." heads the list whatever the names after it.
    if (a == ".." || b == "..") return a == ".." && b != "..";
    const std::string la = Lower(a), lb = Lower(b);
    return la != lb ? la < lb : a < b;
  });
}

}  // namespace lumi
