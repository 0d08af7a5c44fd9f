#pragma once
// Pixwerk, the program's image library: readers and writers of image files and the
// conversions between RGB buffers and bitmaps.
//
// Every call records a per-thread result code (0 = success) that PxGetLastError gives
// back and ErrorText turns into the message shown to the user. Readers treat their input
// as hostile: each size is checked against the bytes that remain and against the
// program's bitmap limits before anything is allocated, and a failure leaves no output.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumi {

class CDIBSection;

// Top-down rows of red, green, blue bytes, rows packed without padding.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // 3 x width x height bytes
};

// Result codes of the library calls.
enum PxResult : int {
  kPxOk = 0,
  kPxOutOfMemory = 1,
  kPxFileOpen = 2,
  kPxFileRead = 3,
  kPxFileWrite = 4,
  kPxBadParam = 5,
  kPxBadBmp = 6,
  kPxBadGif = 8,
  kPxBadJpg = 9,
  kPxBadPng = 15,
  kPxPngCreate = 16,
  kPxBadTif = 20,
  kPxBadPcx = 22,
};

// Result of the calling thread's last library call.
int PxGetLastError();
// Records a result code for the calling thread (used by every library call).
void PxSetLastError(int code);
// The message for a result code; unknown codes give "Error #<code>".
std::string ErrorText(int code);

// JPEG writing options kept per thread: DCT method (0 library default, 1 integer slow,
// 2 integer fast, 3 floating point) and the texts written as comment markers.
void PxSetDCTMethod(int method);
int PxGetDCTMethod();
void PxAddJPGText(const std::string& text);
void PxClearJPGText();
const std::vector<std::string>& PxJPGTexts();

// Texts collected from JPEG comment markers and PNG text chunks by the last JPEG or PNG
// read on this thread. Kept for callers that want them; the program itself never does.
const std::vector<std::string>& PxReadTexts();
void PxClearReadTexts();
void PxAddReadText(std::string text);

// Readers. Each returns the picture or nothing and sets the result code. The path forms
// read the whole file and hand it to the memory forms.
std::optional<RgbImage> PxLoadJPG(const std::filesystem::path& path);
std::optional<RgbImage> PxLoadBMP(const std::filesystem::path& path);
std::optional<RgbImage> PxLoadPNG(const std::filesystem::path& path);
std::optional<RgbImage> PxLoadPCX(const std::filesystem::path& path);
std::optional<RgbImage> PxLoadTIF(const std::filesystem::path& path);
std::optional<RgbImage> PxDecodeJPG(std::span<const std::uint8_t> file);
std::optional<RgbImage> PxDecodeBMP(std::span<const std::uint8_t> file);
std::optional<RgbImage> PxDecodePNG(std::span<const std::uint8_t> file);
std::optional<RgbImage> PxDecodePCX(std::span<const std::uint8_t> file);
std::optional<RgbImage> PxDecodeTIF(std::span<const std::uint8_t> file);

// Writers; each returns true on success and sets the result code. A file is written
// beside the target and renamed over it, so a failed write leaves the old file.
// `rgb` is an RGB buffer; `indices` one palette index per pixel, top-down, rows packed;
// `palette` holds `colour_count` entries of blue, green, red, 0.
bool PxSaveJPG(const std::filesystem::path& path, const std::uint8_t* rgb, int width,
               int height, int quality, bool colour, bool progressive);
// The JPG file PxSaveJPG would write, in memory, for callers that write it with more.
std::optional<std::vector<std::uint8_t>> PxEncodeJPG(const std::uint8_t* rgb, int width,
                                                    int height, int quality, bool colour,
                                                    bool progressive);
// The same from rows handed over one at a time, for pictures that are still being made:
// rows(y) gives the 3 x width bytes of row y, valid until the next call, and is asked for
// y = 0, 1, 2 ... in turn. A null row stops the writer with result 1 (out of memory).
using RgbRowSource = std::function<const std::uint8_t*(int y)>;
// The rows of a whole RGB buffer of `width` pixels a row.
RgbRowSource RowsOfBuffer(const std::uint8_t* rgb, int width);
std::optional<std::vector<std::uint8_t>> PxEncodeJPGRows(const RgbRowSource& rows, int width,
                                                        int height, int quality, bool colour,
                                                        bool progressive);
bool PxSaveJPGRows(const std::filesystem::path& path, const RgbRowSource& rows, int width,
                   int height, int quality, bool colour, bool progressive);
bool PxSaveBMP(const std::filesystem::path& path, const std::uint8_t* rgb, int width,
               int height);
bool PxSaveBMP(const std::filesystem::path& path, const std::uint8_t* indices, int width,
               int height, int bits_per_pixel, int colour_count, const std::uint8_t* palette);
bool PxSavePNG(const std::filesystem::path& path, const std::uint8_t* rgb, int width,
               int height);
bool PxSavePNG(const std::filesystem::path& path, const std::uint8_t* indices, int width,
               int height, int colour_count, const std::uint8_t* palette);

// Conversions.
// Bilinear resample into `destination` (3 x dst_width x dst_height bytes).
bool PxResizeRGB(const std::uint8_t* source, int src_width, int src_height,
                 std::uint8_t* destination, int dst_width, int dst_height);
// Columns left .. right - 1 of rows top .. bottom - 1. A rectangle of zero width or
// height gives nothing with result 0.
std::optional<RgbImage> PxCropRGB(const std::uint8_t* rgb, int width, int height, int left,
                                  int top, int right, int bottom);
// An in-memory bitmap of 32 bits or less as an RGB buffer, through its colour table.
std::optional<RgbImage> PxBitmapToRGB(const CDIBSection& bitmap);

}  // namespace lumi
