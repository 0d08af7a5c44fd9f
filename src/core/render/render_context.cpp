#include "render/render_context.h"

namespace lumi {

namespace {
// Rendering runs on one thread (the user-interface thread or the command line's).
const RenderContext* g_default_context = nullptr;
}  // namespace

void SetDefaultRenderContext(const RenderContext* context) { g_default_context = context; }
const RenderContext* DefaultRenderContext() { return g_default_context; }

}  // namespace lumi
