#include "document/scene_project.h"

#include <map>

#include "document/plenivor_doc.h"

namespace lumi {

void MoveSceneIntoDocument(Scene&& scene, CPlenivorDoc& doc) {
  std::map<std::string, std::size_t> first_with_id;
  for (std::size_t i = 0; i < scene.objects.size(); ++i) {
    const auto [it, fresh] = first_with_id.emplace(scene.objects[i]->GetId(), i);
    if (!fresh) {
      throw SceneError("object " + std::to_string(i) + ": \"id\": already used by object " +
                       std::to_string(it->second));
    }
  }

  std::vector<CObjectGroup> groups;
  for (const std::vector<int>& members : scene.groups) {
    CObjectGroup group;
    for (const int index : members) {
      const CDrawObject& member = *scene.objects[static_cast<std::size_t>(index)];
      group.m_members.push_back(member.GetId());
      group.m_rect = Union(group.m_rect, member.GetRect());
    }
    groups.push_back(std::move(group));
  }

  // The texture bank is kept: it holds the textures the scene's objects were rendered
  // with, which a portable project embeds.
  doc.Objects().clear();
  doc.SetCanvasSize(scene.width, scene.height);
  doc.SetCanvasColor(scene.colour);
  doc.SetPortable(scene.portable);
  doc.SetCropRect(scene.crop.value_or(Rect{}));
  doc.SetCropActive(scene.crop.has_value());
  for (auto& object : scene.objects) {
    // Built for this document (BuildScene) or not: from now on it renders with its context.
    object->SetRenderContext(doc.GetRenderContext());
    doc.Objects().push_back(std::move(object));
  }
  doc.Groups() = std::move(groups);
  scene.objects.clear();
}

}  // namespace lumi
