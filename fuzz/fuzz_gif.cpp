// GIF files read from hostile bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_seed_files.h"
#include "image/gif_read.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string message;
  const auto image = lumi::GIFDecode({data, size}, "fuzz.gif", message);
  lumi::fuzz::CheckPicture(image);
  if (!image && message.empty()) std::abort();  // every failure has its text
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  // 4 x 4, two-bit codes: clear, then literal and table codes, growing to three bits.
  const std::vector<std::uint8_t> head = {'G', 'I', 'F', '8', '9', 'a', 4, 0, 4, 0, 0x81, 0, 0,
                                          255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  const std::vector<std::uint8_t> control = {'!', 249, 4, 1, 10, 0, 2, 0, '!', 254, 2, 'h', 'i', 0};
  const std::vector<std::uint8_t> image = {',', 0, 0, 0, 0, 4, 0, 4, 0, 0x00,
                                           2, 6, 0x8C, 0x2D, 0x99, 0x87, 0x2A, 0x05, 0, ';'};
  std::vector<std::uint8_t> plain = head;
  plain.insert(plain.end(), image.begin(), image.end());
  std::vector<std::uint8_t> extended = head;
  extended.insert(extended.end(), control.begin(), control.end());
  extended.insert(extended.end(), image.begin(), image.end());
  extended[head.size() + control.size() + 9] = 0xC0;  // interlaced, local table of 2
  extended.insert(extended.begin() + head.size() + control.size() + 10, {9, 9, 9, 200, 100, 50});
  return {plain, extended};
}
