#include "export/multi_state_compose.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/errors.h"
#include "base/host.h"
#include "base/parallel_render.h"
#include "base/work_turn.h"
#include "export/alpha_mask_rgb.h"
#include "render/canvas_composition.h"
#include "image/dib_section.h"
#include "objects/draw_object.h"

namespace lumi {

namespace {

CDIBSection CanvasColoured(int width, int height, COLORREF colour) {
  CDIBSection bitmap;
  bitmap.Create(width, height, 32, true);
  bitmap.FillRGBA(colour);
  return bitmap;
}

RgbImage Checked(std::optional<RgbImage> rgb) {
  if (!rgb) throw BitmapError(ErrorText(PxGetLastError()));
  return std::move(*rgb);
}

// Switches every object of `shown` to look `state` (see CDrawObject::ShowState), the
// renders side by side on the render threads; messages reach `host` once each, in list
// order. A switch that had to stop for its turn has already taken the look's attributes,
// so its second run only renders.
void ShowStateTogether(const std::vector<CDrawObject*>& shown, int state, Host& host) {
  std::vector<char> switched(shown.size(), 0);
  RunInOrder(shown.size(), host, [&](std::size_t i, Host& task_host) {
    CDrawObject& object = *shown[i];
    Host& own = object.GetHost();
    object.SetHost(task_host);
    const int before = object.GetCurrentState();
    try {
      if (switched[i]) {
        object.SetSize(object.GetWidth(), object.GetHeight());
      } else {
        object.ShowState(state);
      }
    } catch (const NeedsItsTurn&) {
      switched[i] = switched[i] || object.GetCurrentState() != before;
      object.SetHost(own);
      throw;
    } catch (...) {
      object.SetHost(own);
      throw;
    }
    object.SetHost(own);
  }, [&](std::size_t i) { return shown[i]->RenderNeedsItsTurn(); });
}

}  // namespace

RgbImage ComposeButtonBackground(const CanvasArea& canvas, const ObjectList& objects,
                                 Host& host) {
  WaitCursor wait(host);
  CDIBSection bitmap = CanvasColoured(canvas.width, canvas.height, canvas.colour);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (!IsFramed(*objects[i])) objects[i]->DrawTo(bitmap);
    ShowCompositionProgress(host, i, objects.size());
  }
  return Checked(PxBitmapToRGB(bitmap));
}

std::optional<StateImages> ComposeStates(const CanvasArea& canvas, ObjectList& objects, int j,
                                         MultiStateTarget target, Host& host) {
  const int found = ExportedFramedIndex(objects, j);
  if (found < 0) return std::nullopt;
  const std::size_t index = static_cast<std::size_t>(found);
  WaitCursor wait(host);
  CDrawObject& button = *objects[index];
  StateImages result;
  result.rect = ExportRect(button);
  const Point origin{result.rect.left, result.rect.top};

  // Objects are blended with their alpha into the images' alpha too (the colours come out
  // as on the canvas), so a Solo-mode image drawn on a clear background carries coverage.
  CDIBSection normal = CanvasColoured(result.rect.Width(), result.rect.Height(), canvas.colour);
  for (std::size_t i = 0; i < index; ++i) {
    objects[i]->DrawTo(normal, origin, CDrawObject::kBlendCanvasAlpha);
    ShowCompositionProgress(host, i, objects.size());
  }
  CDIBSection highlighted = normal;
  CDIBSection pushed = normal;
  // A Solo-mode object becomes a movable bitmap of the authoring tool: its normal image
  // is drawn on nothing, so its alpha says where the object is.
  const bool alpha_mask =
      target == MultiStateTarget::Pavonix && button.GetStatesSuppressed() != 0;
  if (alpha_mask) std::fill_n(normal.Pixels(), normal.PixelBytes(), std::uint8_t{0});

  // The button and the visible objects above it, in list order; each state's looks
  // render together before they are drawn.
  std::vector<CDrawObject*> shown{&button};
  for (std::size_t i = index + 1; i < objects.size(); ++i) {
    if (!objects[i]->GetHidden()) shown.push_back(objects[i].get());
  }
  const std::array<CDIBSection*, 3> images{&normal, &highlighted, &pushed};
  for (int state = 0; state < 3; ++state) {
    ShowStateTogether(shown, state, host);
    for (CDrawObject* object : shown) object->DrawTo(*images[state], origin, CDrawObject::kBlendCanvasAlpha);
  }
  ShowStateTogether(shown, 0, host);

  result.normal = Checked(PxBitmapToRGB(normal));
  result.highlighted = Checked(PxBitmapToRGB(highlighted));
  result.third = Checked(alpha_mask ? AlphaMaskToRGB(normal) : PxBitmapToRGB(pushed));
  return result;
}

}  // namespace lumi
