#pragma once
// Colour-gene libraries: small .dna files in the program's folder, each a count and that
// many archive strings. The first string is always ".."; every other one is a gene,
// "name|word1|word2|word3" with the three gene words in decimal and the mode in bits 16
// to 23 of word 3.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumi {

// Eight gene bytes and the mode (-1 while a handed-in gene is "none").
struct Gene {
  std::array<int, 8> P{};
  int mode = 0;
  bool operator==(const Gene&) const = default;
};

struct GeneWords {
  std::int32_t word1 = 0;
  std::int32_t word2 = 0;
  std::int32_t word3 = 0;
};

// Words from a gene; `with_mode` puts the mode into bits 16 to 23 of word 3.
GeneWords PackGene(const Gene& gene, bool with_mode);
// A gene from three words as a library stores them: the mode from bits 16 to 23 of word 3.
Gene UnpackLibraryGene(const GeneWords& words);

// "name|word1|word2|word3".
std::string FormatGeneEntry(const std::string& name, const GeneWords& words);
struct GeneEntry {
  std::string name;
  GeneWords words;
};
// The name before the first "|" and the three numbers after the next ones, each read as
// a decimal prefix (no digits reads as 0, out-of-range numbers as the nearest int).
// Nothing for a text without "|" (a library file name in the list).
std::optional<GeneEntry> ParseGeneEntry(const std::string& text);

// Reads a library's strings. Nothing when the file cannot be opened; a damaged file
// (negative count, count beyond its bytes, a string past the end) throws ArchiveError.
std::optional<std::vector<std::string>> ReadGeneLibrary(const std::filesystem::path& path);
// The same from a file's bytes.
std::vector<std::string> ReadGeneLibraryBytes(std::span<const std::uint8_t> bytes);
// Writes the strings (temporary file, then rename); false when it could not be written.
bool WriteGeneLibrary(const std::filesystem::path& path, const std::vector<std::string>& entries);
inline constexpr std::uint64_t kMaxGeneLibraryBytes = 16u << 20;

// The .dna files of a folder (files only), sorted as the list shows them.
std::vector<std::string> GeneLibraryFiles(const std::filesystem::path& folder);

// What the list and title show of a library name: without its last four characters when
// longer than 5, first letter capitalised ("flowers.dna" is "Flowers").
std::string GeneLibraryCaption(const std::string& name);

// The icon of a list entry in the icon strip: ".." 10, a library file 9, a gene the icon
// of its mode (mode 8 icon 1, modes above 8 icon 7, modes 0 to 7 their own number).
int GeneListIcon(const std::string& entry);
// The text a list entry shows: a gene's name, a library's caption, ".." as it is.
std::string GeneListText(const std::string& entry);

// The order of the sorted list: ".." first, then case-insensitive, byte order between
// names equal but for case.
void SortGeneList(std::vector<std::string>& entries);

}  // namespace lumi
