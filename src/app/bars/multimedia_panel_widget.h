#pragma once
// The "Multimedia Extesion" panel's window: the three frame buttons, the "Has" checks,
// solo mode, "Keep With Previous" and the "Switch All Objects to:" buttons, on the core
// MultimediaPanel.
#include <QWidget>

class QCheckBox;
class QPushButton;

namespace lumi {
class MultimediaPanel;
}

namespace lumi::app {

class CImageToggleButton;

class MultimediaPanelWidget final : public QWidget {
  Q_OBJECT
 public:
  MultimediaPanelWidget(MultimediaPanel& panel, QWidget* parent = nullptr);
  // The controls from the core panel.
  void Sync();
  CImageToggleButton* FrameButton(int frame) const { return frames_[frame]; }

 signals:
  void changed();

 private:
  QCheckBox* AddCheck(const QString& caption);
  void Done();

  MultimediaPanel& panel_;
  CImageToggleButton* frames_[3];
  QCheckBox *has_highlighted_, *has_pushed_, *solo_, *keep_;
  QPushButton* switch_all_[3];
};

}  // namespace lumi::app
