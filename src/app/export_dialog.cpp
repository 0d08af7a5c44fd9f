#include "export_dialog.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "export_preview.h"

namespace lumi::app {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// An edit's number as the dialog passes it on; anything that is no number counts as 0,
// which the export refuses with its own message.
int EditValue(const QLineEdit* edit) { return edit->text().trimmed().toInt(); }

QSlider* MakeSlider(QWidget* parent) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setRange(0, 100);
  return slider;
}

// The preview area's size; the picture is centred in it.
constexpr QSize kPreviewSize(360, 270);

}  // namespace

CExportDlg::CExportDlg(const RgbImage& source, ExportContext context, QWidget* parent)
    : QDialog(parent), source_(source), context_(std::move(context)) {
  setWindowTitle(Text(export_texts::kTitle));
  BuildControls();
  FillControls(LoadExportChoices(context_.settings, source_.width, source_.height));
  ConnectControls();
  // The start: the aspect lock's state, then what the format shows and its preview (the
  // one preview of the start; a second one would write the same file again).
  AspectChanged();
  FormatChanged();
}

void CExportDlg::BuildControls() {
  format_ = new QComboBox(this);
  for (const ExportFormatEntry& entry : kExportFormats) format_->addItem(Text(entry.text));

  // Colours: the radios with the custom count, the dither choice, and for the JPEG
  // formats the progressive, greyscale and quality controls in their place.
  auto* colours = new QGroupBox(this);
  auto* colour_layout = new QGridLayout(colours);
  colour_group_ = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    colour_radios_[i] =
        new QRadioButton(i < 2 ? Text(kExportColourModeTexts[i]) : QString(), colours);
    colour_group_->addButton(colour_radios_[i], i);
  }
  colour_layout->addWidget(colour_radios_[0], 0, 0, 1, 3);
  colour_layout->addWidget(colour_radios_[1], 1, 0, 1, 3);
  colour_layout->addWidget(colour_radios_[2], 2, 0);
  custom_count_ = new QLineEdit(colours);
  custom_count_->setValidator(new QIntValidator(0, 99999, custom_count_));
  custom_count_->setMaximumWidth(60);
  colour_layout->addWidget(custom_count_, 2, 1);
  custom_count_label_ = new QLabel(Text(kExportCustomCountLabel), colours);
  colour_layout->addWidget(custom_count_label_, 2, 2);
  dither_label_ = new QLabel(QStringLiteral("Dither:"), colours);
  colour_layout->addWidget(dither_label_, 3, 0, 1, 3);
  dither_group_ = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    dither_radios_[i] = new QRadioButton(Text(kExportDitherTexts[i]), colours);
    dither_group_->addButton(dither_radios_[i], i);
    colour_layout->addWidget(dither_radios_[i], 4 + i, 0, 1, 3);
  }
  progressive_ = new QCheckBox(Text(export_texts::kProgressive), colours);
  greyscale_ = new QCheckBox(Text(export_texts::kGreyscale), colours);
  quality_label_ = new QLabel(Text(export_texts::kQuality), colours);
  quality_ = MakeSlider(colours);
  colour_layout->addWidget(progressive_, 7, 0, 1, 3);
  colour_layout->addWidget(greyscale_, 8, 0, 1, 3);
  colour_layout->addWidget(quality_label_, 9, 0, 1, 3);
  colour_layout->addWidget(quality_, 10, 0, 1, 3);

  // Output size.
  auto* size_layout = new QGridLayout;
  width_ = new QLineEdit(this);
  height_ = new QLineEdit(this);
  for (QLineEdit* edit : {width_, height_}) {
    edit->setValidator(new QIntValidator(0, 99999, edit));
    edit->setMaximumWidth(70);
  }
  scale_ = new QComboBox(this);
  for (std::string_view text : kExportScaleTexts) scale_->addItem(Text(text));
  aspect_ = new QCheckBox(Text(export_texts::kAspect), this);
  size_layout->addWidget(new QLabel(Text(export_texts::kWidth), this), 0, 0);
  size_layout->addWidget(width_, 0, 1);
  size_layout->addWidget(scale_, 0, 2);
  size_layout->addWidget(new QLabel(Text(export_texts::kHeight), this), 1, 0);
  size_layout->addWidget(height_, 1, 1);
  size_layout->addWidget(aspect_, 1, 2);

  auto* resize = new QGroupBox(Text(export_texts::kResizeGroup), this);
  kernel_ = new QComboBox(resize);
  for (std::string_view text : kExportKernelTexts) kernel_->addItem(Text(text));
  (new QVBoxLayout(resize))->addWidget(kernel_);

  auto* sharpen = new QGroupBox(Text(export_texts::kSharpenGroup), this);
  sharpen_ = MakeSlider(sharpen);
  (new QVBoxLayout(sharpen))->addWidget(sharpen_);

  preview_ = new CExportPreview(this);
  preview_->setFixedSize(kPreviewSize);
  size_label_ = new QLabel(this);
  preview_button_ = new QPushButton(Text(export_texts::kPreview), this);
  preview_button_->setAutoDefault(false);
  export_button_ = new QPushButton(Text(export_texts::kExportButton), this);
  export_button_->setDefault(true);
  cancel_button_ = new QPushButton(Text(export_texts::kCancel), this);
  cancel_button_->setAutoDefault(false);

  auto* left = new QVBoxLayout;
  left->addWidget(preview_);
  left->addWidget(size_label_);
  left->addWidget(preview_button_, 0, Qt::AlignLeft);
  left->addStretch();

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(export_button_);
  buttons->addWidget(cancel_button_);

  auto* right = new QVBoxLayout;
  right->addWidget(format_);
  right->addWidget(colours);
  right->addLayout(size_layout);
  right->addWidget(resize);
  right->addWidget(sharpen);
  right->addStretch();
  right->addLayout(buttons);

  auto* columns = new QHBoxLayout(this);
  columns->addLayout(left);
  columns->addLayout(right);
}

void CExportDlg::FillControls(const ExportChoices& c) {
  format_->setCurrentIndex(std::max(ExportFormatIndex(c.format), 0));
  colour_radios_[c.colour_mode]->setChecked(true);
  dither_radios_[c.dither]->setChecked(true);
  custom_count_->setText(QString::number(c.custom_count));
  width_->setText(QString::number(c.width));
  height_->setText(QString::number(c.height));
  scale_->setCurrentIndex(c.scale);
  aspect_->setChecked(c.aspect_lock);
  progressive_->setChecked(c.progressive);
  greyscale_->setChecked(c.greyscale);
  kernel_->setCurrentIndex(c.kernel);
  quality_->setValue(c.quality);
  sharpen_->setValue(c.sharpen);
}

ExportChoices CExportDlg::ReadControls() const {
  ExportChoices c;
  const int format = format_->currentIndex();
  if (format >= 0 && format < static_cast<int>(kExportFormats.size())) c.format = kExportFormats[format].format;
  c.colour_mode = colour_group_->checkedId();
  c.dither = dither_group_->checkedId();
  c.width = EditValue(width_);
  c.height = EditValue(height_);
  c.aspect_lock = aspect_->isChecked();
  c.progressive = progressive_->isChecked();
  c.greyscale = greyscale_->isChecked();
  c.custom_count = EditValue(custom_count_);
  c.kernel = kernel_->currentIndex();
  c.scale = scale_->currentIndex();
  c.quality = quality_->value();
  c.sharpen = sharpen_->value();
  return c;
}

void CExportDlg::ConnectControls() {
  connect(format_, &QComboBox::currentIndexChanged, this, &CExportDlg::FormatChanged);
  connect(colour_group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) ColourModeChanged();
  });
  connect(dither_group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) RunPreview();
  });
  connect(preview_button_, &QPushButton::clicked, this, &CExportDlg::RunPreview);
  connect(progressive_, &QCheckBox::toggled, this, &CExportDlg::RunPreview);
  connect(greyscale_, &QCheckBox::toggled, this, &CExportDlg::RunPreview);
  connect(kernel_, &QComboBox::currentIndexChanged, this, &CExportDlg::RunPreview);
  connect(aspect_, &QCheckBox::toggled, this, &CExportDlg::AspectChanged);
  connect(width_, &QLineEdit::textChanged, this, &CExportDlg::WidthChanged);
  connect(scale_, &QComboBox::currentIndexChanged, this, &CExportDlg::ScaleChanged);
  for (QSlider* slider : {quality_, sharpen_}) {
    // A drag ends with the release; a key or a click beside the handle moves the slider
    // without a drag and ends at once.
    connect(slider, &QSlider::sliderReleased, this, &CExportDlg::SliderReleased);
    connect(slider, &QSlider::valueChanged, this, [this, slider] {
      if (!slider->isSliderDown()) SliderReleased();
    });
  }
  connect(export_button_, &QPushButton::clicked, this, &CExportDlg::RunExport);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
}

void CExportDlg::UpdateDitherEnabled() {
  const bool enabled = ExportControlsFor(ReadControls()).dither_enabled;
  for (QRadioButton* radio : dither_radios_) radio->setEnabled(enabled);
}

void CExportDlg::FormatChanged() {
  const ExportControlStates states = ExportControlsFor(ReadControls());
  for (QWidget* w : {static_cast<QWidget*>(progressive_), static_cast<QWidget*>(greyscale_),
                     static_cast<QWidget*>(quality_label_), static_cast<QWidget*>(quality_)})
    w->setVisible(states.jpeg_options_visible);
  for (QWidget* w : {static_cast<QWidget*>(custom_count_),
                     static_cast<QWidget*>(custom_count_label_),
                     static_cast<QWidget*>(dither_label_)})
    w->setVisible(states.colour_options_visible);
  for (QRadioButton* radio : colour_radios_) radio->setVisible(states.colour_options_visible);
  for (QRadioButton* radio : dither_radios_) radio->setVisible(states.colour_options_visible);
  UpdateDitherEnabled();
  RunPreview();
}

void CExportDlg::ColourModeChanged() {
  RunPreview();
  UpdateDitherEnabled();
}

void CExportDlg::AspectChanged() {
  height_->setEnabled(ExportControlsFor(ReadControls()).height_edit_enabled);
  WidthChanged();
}

void CExportDlg::WidthChanged() {
  if (!aspect_->isChecked()) return;
  height_->setText(QString::number(AspectHeight(source_.width, source_.height, EditValue(width_))));
}

void CExportDlg::ScaleChanged() {
  const ExportSize size = ScaledExportSize(source_.width, source_.height, scale_->currentIndex());
  // The width first: with the lock on it sets the height, which is then written as scaled.
  width_->setText(QString::number(size.width));
  height_->setText(QString::number(size.height));
  RunPreview();
}

void CExportDlg::SliderReleased() {
  RunPreview();
  StoreExportSliders(context_.settings, ReadControls());
}

void CExportDlg::RunPreview() {
  last_result_ = ExportImage(ExportMode::kPreview, &source_, ReadControls(), context_);
  if (!last_result_.written) return;  // the last good preview stays
  size_label_->setText(QString::fromStdString(last_result_.size_label));
  if (last_result_.preview) preview_->SetImage(*last_result_.preview);
}

void CExportDlg::RunExport() {
  last_result_ = ExportImage(ExportMode::kExport, &source_, ReadControls(), context_);
  done(last_result_.written ? QDialog::Accepted : QDialog::Rejected);
}

}  // namespace lumi::app
