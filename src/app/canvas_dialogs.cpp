#include "canvas_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/host.h"
#include "colour_tweak_dialog.h"
#include "controls/color_picker.h"
#include "document/plenivor_doc.h"
#include "shift_colour_dialog.h"

namespace lumi::app {

namespace {

QLineEdit* IntegerEdit(int value, QWidget* parent) {
  auto* edit = new QLineEdit(QString::number(value), parent);
  edit->setMaximumWidth(70);
  return edit;
}

// A row of an edit and its unit.
QWidget* WithUnit(QLineEdit* edit, const QString& unit, QWidget* parent) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit);
  layout->addWidget(new QLabel(unit, row));
  layout->addStretch();
  return row;
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

QLabel* Explanation(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  label->setIndent(20);
  return label;
}

}  // namespace

std::optional<int> ReadIntegerEdit(const QLineEdit& edit, Host& host) {
  bool ok = false;
  const int value = edit.text().trimmed().toInt(&ok);
  if (ok) return value;
  host.Message("Please enter an integer.", MessageKind::Warning);
  return std::nullopt;
}

// ---- Document Properties

DocumentPropertiesDialog::DocumentPropertiesDialog(CPlenivorDoc& doc, const DocumentPropertiesValues& values,
                                                   Host& host, QWidget* parent)
    : QDialog(parent), doc_(doc), host_(host), values_(values) {
  setWindowTitle(QStringLiteral("Document Properties"));
  const DocumentCounts counts = CountDocument(doc);
  auto* layout = new QVBoxLayout(this);

  auto* count_box = new QGroupBox(this);
  auto* count_grid = new QGridLayout(count_box);
  preloaded_ = new QLabel(QString::number(counts.preloaded), count_box);
  preloaded_->setObjectName(QStringLiteral("preloadedCount"));
  const std::pair<QString, QWidget*> rows[] = {
      {QStringLiteral("Objects:"), new QLabel(QString::number(counts.objects), count_box)},
      {QStringLiteral("Groups:"), new QLabel(QString::number(counts.groups), count_box)},
      {QStringLiteral("Vectors:"), new QLabel(QString::number(counts.vectors), count_box)},
      {QStringLiteral("Preloaded in Document:"), preloaded_},
  };
  int row = 0;
  for (const auto& [text, value] : rows) {
    count_grid->addWidget(new QLabel(text, count_box), row, 0);
    count_grid->addWidget(value, row++, 1);
  }
  remove_unused_ = new QPushButton(QStringLiteral("Remove Unused"), count_box);
  count_grid->addWidget(remove_unused_, row - 1, 2);
  connect(remove_unused_, &QPushButton::clicked, this, [this] {
    doc_.PruneTextureBank();
    preloaded_->setText(QString::number(CountDocument(doc_).preloaded));
  });
  layout->addWidget(count_box);

  auto* size_box = new QGroupBox(QStringLiteral("Canvas Size"), this);
  auto* size_form = new QFormLayout(size_box);
  width_ = IntegerEdit(values.width, size_box);
  height_ = IntegerEdit(values.height, size_box);
  size_form->addRow(QStringLiteral("Width"), WithUnit(width_, QStringLiteral("pixels"), size_box));
  size_form->addRow(QStringLiteral("Height"), WithUnit(height_, QStringLiteral("pixels"), size_box));
  layout->addWidget(size_box);

  auto* colour_box = new QGroupBox(QStringLiteral("Canvas Color"), this);
  auto* colour_layout = new QVBoxLayout(colour_box);
  picker_ = new CColorPicker(colour_box);
  picker_->SetSingleColour(true);
  picker_->SetFirstColour(values.colour);
  picker_->setMinimumHeight(50);
  colour_layout->addWidget(picker_);
  layout->addWidget(colour_box);

  auto* note = new QLabel(QStringLiteral("Note: If you want to resize the Canvas to accommodate all the objects use "
                                         "'Trim Cnavas' or 'Trim Canvas Expanded' from menu Project."),
                          this);
  note->setWordWrap(true);
  layout->addWidget(note);
  layout->addWidget(OkCancel(this));
}

void DocumentPropertiesDialog::accept() {
  const std::optional<int> width = ReadIntegerEdit(*width_, host_);
  if (!width) return;
  const std::optional<int> height = ReadIntegerEdit(*height_, host_);
  if (!height) return;
  if (!AcceptCanvasSize(host_, *width, *height)) return;  // the dialog stays open
  values_ = {*width, *height, picker_->FirstColour()};
  QDialog::accept();
}

// ---- General Settings

GeneralSettingsDialog::GeneralSettingsDialog(const GeneralSettingsValues& values, Host& host, QWidget* parent)
    : QDialog(parent), host_(host), values_(values) {
  setWindowTitle(QStringLiteral("General Settings"));
  auto* layout = new QVBoxLayout(this);
  always_portable_ = new QCheckBox(QStringLiteral("Always make the (*.plv) Project Files portable"), this);
  always_portable_->setChecked(values.always_portable);
  layout->addWidget(always_portable_);
  layout->addWidget(Explanation(
      QStringLiteral("This will save all used textures into the project file (*.plv). Use this options if you want "
                     "to share the project file with someone else and you are using your own textures. However the "
                     "file will be much bigger."),
      this));
  portable_ = new QCheckBox(QStringLiteral("Make only current File Portable"), this);
  portable_->setChecked(values.portable);
  layout->addWidget(portable_);
  layout->addWidget(Explanation(QStringLiteral("The file must be saved as a portable if you create a project specific "
                                               "textures (textures existing in project but not on the disk) "),
                                this));

  auto* size_box = new QGroupBox(QStringLiteral("Default Document Size on StartUp"), this);
  auto* size_form = new QFormLayout(size_box);
  width_ = IntegerEdit(values.default_width, size_box);
  height_ = IntegerEdit(values.default_height, size_box);
  size_form->addRow(QStringLiteral("Width"), WithUnit(width_, QStringLiteral("pixels"), size_box));
  size_form->addRow(QStringLiteral("Height"), WithUnit(height_, QStringLiteral("pixels"), size_box));
  layout->addWidget(size_box);

  auto* backup_box = new QGroupBox(QStringLiteral("Backup"), this);
  auto* backup_form = new QFormLayout(backup_box);
  backup_ = IntegerEdit(values.backup_minutes, backup_box);
  backup_form->addRow(QStringLiteral("Every"), WithUnit(backup_, QStringLiteral("min"), backup_box));
  layout->addWidget(backup_box);

  auto* undo_box = new QGroupBox(QStringLiteral("Maximum Undo Levels"), this);
  auto* undo_layout = new QHBoxLayout(undo_box);
  undo_ = IntegerEdit(values.undo_levels, undo_box);
  undo_layout->addWidget(undo_);
  undo_layout->addStretch();
  layout->addWidget(undo_box);
  layout->addWidget(OkCancel(this));
}

void GeneralSettingsDialog::accept() {
  GeneralSettingsValues v;
  v.always_portable = always_portable_->isChecked();
  v.portable = portable_->isChecked();
  for (auto [edit, field] : {std::pair{width_, &v.default_width}, std::pair{height_, &v.default_height},
                             std::pair{backup_, &v.backup_minutes}, std::pair{undo_, &v.undo_levels}}) {
    const std::optional<int> value = ReadIntegerEdit(*edit, host_);
    if (!value) return;
    *field = *value;
  }
  if (!AcceptCanvasSize(host_, v.default_width, v.default_height)) return;
  values_ = v;
  QDialog::accept();
}

// ---- the window's command dialogs

bool QtCommandDialogs::DocumentProperties(CPlenivorDoc& doc, DocumentPropertiesValues& values) {
  DocumentPropertiesDialog dialog(doc, values, host_, parent_);
  if (dialog.exec() != QDialog::Accepted) return false;
  values = dialog.Values();
  return true;
}

bool QtCommandDialogs::GeneralSettings(GeneralSettingsValues& values) {
  GeneralSettingsDialog dialog(values, host_, parent_);
  if (dialog.exec() != QDialog::Accepted) return false;
  values = dialog.Values();
  return true;
}

bool QtCommandDialogs::ColourTweak(const CDIBSection& image, ColourTweakChoice& choice) {
  ColourTweakDialog dialog(image, parent_);
  if (dialog.exec() != QDialog::Accepted) return false;
  choice = dialog.Choice();
  return true;
}

bool QtCommandDialogs::ShiftColour(ShiftColourChoice& choice) {
  ShiftColourDialog dialog(parent_);
  if (dialog.exec() != QDialog::Accepted) return false;
  choice = dialog.Choice();
  return true;
}

}  // namespace lumi::app
