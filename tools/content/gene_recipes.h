#pragma once
// The colour genes the program ships: one library of named genes, each chosen by eye
// from a board of candidates for a pattern that reads well as a fill.
#include <filesystem>
#include <string>
#include <vector>

#include "library/gene_library.h"

namespace lumi::content {

struct NamedGene {
  std::string name;
  Gene gene;
};

// The genes of the shipped library, in the order the library lists them.
const std::vector<NamedGene>& ShippedGenes();

// The library's file name inside the data folder.
inline constexpr const char* kGeneLibraryFile = "Starter.dna";

// The library's strings: ".." and one "name|word1|word2|word3" per gene.
std::vector<std::string> GeneLibraryEntries();

// Writes `root`/Starter.dna (the folder is created when missing) and returns its path;
// throws std::runtime_error when it cannot be written.
std::filesystem::path WriteGenes(const std::filesystem::path& root);

}  // namespace lumi::content
