#include "multimedia_export_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "export/multi_state_export.h"

namespace lumi::app {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CMultimediaExportDlg::CMultimediaExportDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(Text(kMultimediaExportTitle));
  targets_ = new QComboBox(this);
  for (std::string_view name : kMultiStateTargetNames) targets_->addItem(Text(name));
  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);
  text_->setMinimumSize(420, 200);
  export_button_ = new QPushButton(Text(kMultimediaExportButton), this);
  export_button_->setDefault(true);
  cancel_button_ = new QPushButton(Text(kMultimediaCancelButton), this);
  cancel_button_->setAutoDefault(false);

  auto* target_row = new QHBoxLayout;
  target_row->addWidget(new QLabel(Text(kMultimediaExportLabel), this));
  target_row->addWidget(targets_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(export_button_);
  buttons->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(target_row);
  layout->addWidget(text_);
  layout->addLayout(buttons);

  connect(targets_, &QComboBox::currentIndexChanged, this,
          &CMultimediaExportDlg::ShowExplanation);
  connect(export_button_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
  ShowExplanation();
}

MultiStateTarget CMultimediaExportDlg::Target() const {
  return static_cast<MultiStateTarget>(targets_->currentIndex());
}

void CMultimediaExportDlg::ShowExplanation() {
  // The texts break their lines with CR LF; the edit wants plain line feeds.
  QString text = Text(MultiStateTargetText(Target()));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text_->setPlainText(text);
}

}  // namespace lumi::app
