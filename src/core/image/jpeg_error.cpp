#include "image/jpeg_error.h"

namespace lumi::pixwerk {

namespace {

[[noreturn]] void JumpOnError(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  std::longjmp(manager->jump, 1);
}

void Silent(j_common_ptr, int) {}
void SilentOutput(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* InstallJpegErrors(JpegErrorManager& manager) {
  jpeg_error_mgr* err = jpeg_std_error(&manager.pub);
  err->error_exit = JumpOnError;
  err->emit_message = Silent;
  err->output_message = SilentOutput;
  return err;
}

}  // namespace lumi::pixwerk
