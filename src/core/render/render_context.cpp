#include "render/render_context.h"

namespace lumi {

namespace {
// Set by the owner before rendering starts; render threads only read it.
const RenderContext* g_default_context = nullptr;
}  // namespace

void SetDefaultRenderContext(const RenderContext* context) { g_default_context = context; }
const RenderContext* DefaultRenderContext() { return g_default_context; }

}  // namespace lumi
