#pragma once
// CTextureCombo: the colour bar's and the transparency bar's texture list. Every item is
// 50 pixels high and shows a picture of the texture (its .tmb thumbnail, written from the
// texture file the first time the item is drawn without one) above its caption.
#include <QComboBox>
#include <QImage>
#include <map>
#include <optional>
#include <string>

#include "library/texture_list.h"

namespace lumi {
class CTextureBank;
}

namespace lumi::app {

class CTextureCombo : public QComboBox {
  Q_OBJECT

 public:
  static constexpr int kItemHeight = 50;

  explicit CTextureCombo(QWidget* parent = nullptr);

  // The bank project textures are drawn from (they have no file); may be null.
  void SetBank(const CTextureBank* bank) { bank_ = bank; }

  // Empties the list, adds the bar's reserved entries, then the folder's textures sorted
  // by name, and selects the first item. `folder` ends with a "/".
  void Fill(TextureListKind kind, const QString& folder);
  // Adds one entry at the end (a project texture made from a bitmap, for instance).
  void AppendItem(const QString& name);
  QString Folder() const { return folder_; }

  // One item drawn at the given size, as the list and the selection field show it.
  QImage ItemImage(int index, QSize size, bool selected);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const std::optional<QImage>& Picture(const std::string& item);

  const CTextureBank* bank_ = nullptr;
  QString folder_;
  std::map<std::string, std::optional<QImage>> pictures_;  // read once per item and fill
};

}  // namespace lumi::app
