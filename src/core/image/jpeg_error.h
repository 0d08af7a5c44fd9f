#pragma once
// libjpeg error handling for the library: errors jump back to the caller's setjmp point
// instead of ending the process, and warnings are not printed.
//
// libjpeg is C: the function that calls setjmp must hold no object with a destructor,
// because the jump skips destructors. Callers therefore split their work into small
// functions of plain data, each with its own setjmp.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace lumi::pixwerk {

struct JpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

// Installs the silent, jumping handlers into `manager` and returns its public part.
jpeg_error_mgr* InstallJpegErrors(JpegErrorManager& manager);

}  // namespace lumi::pixwerk
