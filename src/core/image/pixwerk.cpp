// The library's per-thread state: result code, JPEG writing options and collected texts.
#include "image/pixwerk.h"

#include <utility>

namespace lumi {

namespace {

thread_local int t_last_error = 0;
thread_local int t_dct_method = 0;
thread_local std::vector<std::string> t_jpg_texts;
thread_local std::vector<std::string> t_read_texts;

}  // namespace

int PxGetLastError() { return t_last_error; }
void PxSetLastError(int code) { t_last_error = code; }

std::string ErrorText(int code) {
  switch (code) {
    case 0: return "No error";
    case 1: return "Error : out of memory";
    case 2: return "Error on file open";
    case 3: return "Error on file read";
    case 4: return "Error on file write";
    case 5: return "Bad user param";
    case 6: return "Bad BMP file";
    case 7: return "We don't do RLE BMP files";
    case 8: return "Bad GIF file";
    case 9: return "Bad jpg file";
    case 10: return "Device error";
    case 11: return "GetDIBits error";
    case 12: return "No GIF support..";
    case 13: return "Resource Not Found";
    case 14: return "Operation cancelled by callback";
    case 16: return "Internal PNG creation error - possibly bad params";
    case 17: return "Internal Pixwerk error";
    case 18: return "Font creation error";
    case 20: return "Bad TIF file";
    default: return "Error #" + std::to_string(code);
  }
}

void PxSetDCTMethod(int method) {
  t_dct_method = method;
  t_last_error = 0;
}
int PxGetDCTMethod() { return t_dct_method; }

void PxAddJPGText(const std::string& text) {
  t_jpg_texts.push_back(text);
  t_last_error = 0;
}
void PxClearJPGText() {
  t_jpg_texts.clear();
  t_last_error = 0;
}
const std::vector<std::string>& PxJPGTexts() { return t_jpg_texts; }

const std::vector<std::string>& PxReadTexts() { return t_read_texts; }
void PxClearReadTexts() { t_read_texts.clear(); }
void PxAddReadText(std::string text) { t_read_texts.push_back(std::move(text)); }

}  // namespace lumi
