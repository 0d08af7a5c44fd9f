#pragma once
// A document with a recording host, in-memory settings and its own texture bank, a
// scratch folder, and helpers that assemble project bytes field by field.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "library/texture_bank.h"

namespace lumi::testing {

// Remembers what the document told the window.
struct RecordingViews : DocumentViews {
  void UpdateAllViews(int hint) override { hints.push_back(hint); }
  void ShowNothingSelected() override { ++nothing_selected; }
  void RebuildLayers() override { ++layers; }
  void ShowMultimediaBar() override { ++multimedia; }
  std::vector<int> hints;
  int nothing_selected = 0;
  int layers = 0;
  int multimedia = 0;
};

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& b) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

inline std::int32_t Int32At(const std::vector<std::uint8_t>& b, std::size_t offset) {
  std::int32_t v;
  std::memcpy(&v, b.data() + offset, 4);
  return v;
}

inline void PutInt32At(std::vector<std::uint8_t>& b, std::size_t offset, std::int32_t v) {
  std::memcpy(b.data() + offset, &v, 4);
}

class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() {
    dir_ = std::filesystem::temp_directory_path() /
           ("lumi_doc_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir_);
    doc_.SetViews(&views_);
  }
  ~DocumentTest() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  // The project as Serialize writes it.
  std::vector<std::uint8_t> Store() {
    MemorySink sink;
    CArchive ar(sink);
    doc_.Serialize(ar);
    return sink.TakeBytes();
  }

  // Loads bytes through Open, as a file.
  bool OpenBytes(const std::vector<std::uint8_t>& bytes, const char* name = "in.plv") {
    const auto path = dir_ / name;
    WriteBytes(path, bytes);
    return doc_.Open(path);
  }

  // A rectangle object appended to the document.
  CDrawObject& AddRectangle(int left, int top, int right, int bottom) {
    auto object = doc_.MakeObject();
    object->CreateRectangle(left, top, right, bottom);
    doc_.Objects().push_back(std::move(object));
    return *doc_.Objects().back();
  }

  std::vector<std::string> StatusAndProgress() const {
    std::vector<std::string> lines;
    for (const auto& line : host_.Log()) {
      if (line.rfind("status", 0) == 0 || line.rfind("progress", 0) == 0) lines.push_back(line);
    }
    return lines;
  }

  std::filesystem::path dir_;
  RecordingHost host_;
  MemorySettings settings_;
  CTextureBank bank_;
  RecordingViews views_;
  CPlenivorDoc doc_{host_, settings_, bank_};
};

// Assembles project fields in file order, independently of the document's writer.
struct ProjectBytes {
  MemorySink sink;
  CArchive ar{sink};
  ProjectBytes& Str(std::string_view s) { ar.WriteString(s); return *this; }
  ProjectBytes& I32(std::int32_t v) { ar.WriteInt32(v); return *this; }
  ProjectBytes& Header(int width, int height, std::uint32_t colour, int portable) {
    Str("QUELMDAW1.0").I32(width).I32(height);
    ar.WriteUInt32(colour);
    return I32(portable);
  }
  ProjectBytes& Crop(int l, int t, int r, int b, int active) {
    return I32(l).I32(t).I32(r).I32(b).I32(active);
  }
  ProjectBytes& Group(const std::vector<std::string>& members, int l, int t, int r, int b) {
    I32(static_cast<std::int32_t>(members.size())).I32(l).I32(t).I32(r).I32(b);
    for (const auto& m : members) Str(m);
    return *this;
  }
  std::vector<std::uint8_t> Take() { return sink.TakeBytes(); }
};

}  // namespace lumi::testing
