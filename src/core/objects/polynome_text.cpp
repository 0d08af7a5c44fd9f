// CPolynome from text: the glyph outlines of a laid-out text become the nodes, relative to
// the largest point of the path.
#include <algorithm>

#include "objects/font_engine.h"
#include "objects/polynome.h"
#include "objects/text_layout.h"

namespace lumi {

PointD CPolynome::FromTextPath(const PathPoints& path) {
  nodes_.clear();
  double mx = 0.0, my = 0.0;
  for (const PathPoint& p : path) {
    mx = std::max(mx, p.x);
    my = std::max(my, p.y);
  }
  // Nothing right of or below the origin cannot be scaled to the box.
  if (path.empty() || mx <= 0.0 || my <= 0.0) return {0.0, 0.0};

  nodes_.reserve(path.size() + path.size() / 8);
  auto node = [&](const PathPoint& p, std::uint8_t type) {
    return CPolynomeNode{p.x / mx * 1000.0, p.y / my * 1000.0, type};
  };
  // Fillers close every figure anyway; the explicit line-to keeps the node editor's
  // figures and the stroked look of open polynomes closed too.
  std::size_t figure_start = 0;
  auto close_figure = [&](std::size_t end) {
    if (end > figure_start && path[end - 1].x != path[figure_start].x)
      nodes_.push_back(node(path[figure_start], kPtLineTo));
  };
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i].type == PathPoint::kMoveTo) {
      close_figure(i);
      figure_start = i;
    }
    nodes_.push_back(node(path[i], path[i].type));
  }
  close_figure(path.size());
  return {mx, my};
}

PointD CPolynome::FromText(FontFace& face, std::string_view text, int height, int alignment) {
  PathPoints path;
  try {
    path = BuildTextPath(face, text, height, alignment);
  } catch (const FontError&) {
    path.clear();  // a text the layout cannot measure has no outline
  }
  return FromTextPath(path);
}

}  // namespace lumi
