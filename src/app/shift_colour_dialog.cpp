#include "shift_colour_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "controls/color_picker.h"

namespace lumi::app {

namespace {

CColorPicker* PickerGroup(const QString& title, const QString& name, QDialog* dialog, QVBoxLayout* layout) {
  auto* group = new QGroupBox(title, dialog);
  auto* inner = new QVBoxLayout(group);
  auto* picker = new CColorPicker(group);
  picker->SetSingleColour(true);
  picker->SetFirstColour(RGB(0, 0, 0));
  picker->setMinimumHeight(50);
  picker->setObjectName(name);
  inner->addWidget(picker);
  layout->addWidget(group);
  return picker;
}

}  // namespace

ShiftColourDialog::ShiftColourDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Shift Color"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Shift 'F' color of all objects in the selection"), this));
  from_ = PickerGroup(QStringLiteral("From:"), QStringLiteral("fromPicker"), this, layout);
  towards_ = PickerGroup(QStringLiteral("Towards:"), QStringLiteral("towardsPicker"), this, layout);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

ShiftColourChoice ShiftColourDialog::Choice() const { return {from_->FirstColour(), towards_->FirstColour()}; }

}  // namespace lumi::app
