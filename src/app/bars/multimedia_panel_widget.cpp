#include "bars/multimedia_panel_widget.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/image_toggle_button.h"
#include "qt_convert.h"
#include "ui/multimedia_panel.h"

namespace lumi::app {

MultimediaPanelWidget::MultimediaPanelWidget(MultimediaPanel& panel, QWidget* parent)
    : QWidget(parent), panel_(panel) {
  setWindowTitle(ToQString(MultimediaPanel::kTitle));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 6, 6, 6);
  auto* frame_row = new QHBoxLayout;
  const char* strips[3] = {"frame-normal", "frame-highlighted", "frame-pushed"};
  const char* names[3] = {"Normal frame", "Highlighted frame", "Pushed frame"};
  for (int i = 0; i < 3; ++i) {
    frames_[i] = new CImageToggleButton(this);
    frames_[i]->setObjectName(QString::fromUtf8(names[i]));
    frames_[i]->setAccessibleName(QString::fromUtf8(names[i]));
    frames_[i]->LoadImages(QString::fromUtf8(strips[i]), 60);
    frame_row->addWidget(frames_[i]);
    connect(frames_[i], &QAbstractButton::clicked, this, [this, i] {
      panel_.PressFrame(i);
      Done();
    });
  }
  column->addLayout(frame_row);
  has_highlighted_ = AddCheck(QStringLiteral("Has Highlighted Frame"));
  has_pushed_ = AddCheck(QStringLiteral("Has Pushed Frame"));
  solo_ = AddCheck(QStringLiteral("Solo mode (Export Normal Frame Only)"));
  keep_ = AddCheck(QStringLiteral("Keep With Previous (Do Not Export)"));
  for (QCheckBox* c : {has_highlighted_, has_pushed_, solo_, keep_}) column->addWidget(c);
  connect(has_highlighted_, &QCheckBox::clicked, this, [this](bool on) {
    panel_.CheckHasHighlighted(on);
    Done();
  });
  connect(has_pushed_, &QCheckBox::clicked, this, [this](bool on) {
    panel_.CheckHasPushed(on);
    Done();
  });
  connect(solo_, &QCheckBox::clicked, this, [this](bool on) {
    panel_.CheckSolo(on);
    Done();
  });
  connect(keep_, &QCheckBox::clicked, this, [this](bool on) {
    panel_.CheckKeepWithPrevious(on);
    Done();
  });

  auto* group = new QGroupBox(QStringLiteral("Switch All Objects to:"), this);
  auto* buttons = new QHBoxLayout(group);
  const char* captions[3] = {"Normal", "Highlighted", "Pushed"};
  for (int i = 0; i < 3; ++i) {
    switch_all_[i] = new QPushButton(QString::fromUtf8(captions[i]), group);
    switch_all_[i]->setObjectName(QString::fromUtf8(captions[i]));
    buttons->addWidget(switch_all_[i]);
    connect(switch_all_[i], &QPushButton::clicked, this, [this, i] {
      panel_.SwitchAllObjects(i);
      Done();
    });
  }
  column->addWidget(group);
  Sync();
}

QCheckBox* MultimediaPanelWidget::AddCheck(const QString& caption) {
  auto* check = new QCheckBox(caption, this);
  check->setObjectName(caption);
  return check;
}

void MultimediaPanelWidget::Done() {
  Sync();
  emit changed();
}

void MultimediaPanelWidget::Sync() {
  for (int i = 0; i < 3; ++i) {
    frames_[i]->SetOn(panel_.frame == i);
    frames_[i]->setEnabled(panel_.FrameButtonEnabled(i));
    switch_all_[i]->setEnabled(panel_.Object() != nullptr);
  }
  has_highlighted_->setChecked(panel_.has_highlighted != 0);
  has_pushed_->setChecked(panel_.has_pushed != 0);
  solo_->setChecked(panel_.solo != 0);
  keep_->setChecked(panel_.keep_with_previous != 0);
  has_highlighted_->setEnabled(panel_.HasChecksEnabled());
  has_pushed_->setEnabled(panel_.HasChecksEnabled());
  solo_->setEnabled(panel_.SoloEnabled());
  keep_->setEnabled(panel_.KeepEnabled());
}

}  // namespace lumi::app
