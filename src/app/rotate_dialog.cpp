#include "rotate_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumi::app {

RotateDialog::RotateDialog(int angle, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Rotate Object"));
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("Angle"), this);
  angle_ = new QLineEdit(QString::number(angle), this);
  angle_->setObjectName(QStringLiteral("angle"));
  angle_->setValidator(new QIntValidator(angle_));
  label->setBuddy(angle_);
  row->addWidget(label);
  row->addWidget(angle_);
  layout->addLayout(row);
  auto* presets = new QGridLayout;
  const int values[] = {90, -90, 45, -45, 135, -135, 180, -180};
  for (int i = 0; i < 8; ++i) {
    auto* button = new QPushButton(QString::number(values[i]), this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, v = values[i]] { angle_->setText(QString::number(v)); });
    presets->addWidget(button, i / 2, i % 2);
  }
  layout->addLayout(presets);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (Angle()) accept();  // the integer check refuses anything else
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

std::optional<int> RotateDialog::Angle() const {
  bool ok = false;
  const int value = angle_->text().toInt(&ok);
  return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<int> RotateDialog::Ask(int angle, QWidget* parent) {
  RotateDialog dialog(angle, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Angle();
}

}  // namespace lumi::app
