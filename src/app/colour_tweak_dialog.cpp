#include "colour_tweak_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>
#include <ctime>

#include "base/runtime_random.h"
#include "controls/color_slider.h"
#include "effects/colour_tweak.h"
#include "image/two_pass_scaler.h"
#include "qt_convert.h"

namespace lumi::app {

namespace {

constexpr int kRowHeight = 20;

// Paints the shown preview 1:1 centred on white; the alpha bytes are not shown.
class PreviewFrameWidget : public QWidget {
 public:
  PreviewFrameWidget(const CDIBSection& shown, QWidget* parent) : QWidget(parent), shown_(shown) {
    setFixedSize(ColourTweakDialog::kFrameWidth, ColourTweakDialog::kFrameHeight);
    setObjectName(QStringLiteral("previewFrame"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (shown_.IsEmpty()) return;
    const QImage image = ToQImage(shown_);
    const int x = std::max(0, width() / 2 - shown_.Width() / 2);
    const int y = std::max(0, height() / 2 - shown_.Height() / 2);
    painter.drawImage(x, y, image);
  }

 private:
  const CDIBSection& shown_;
};

}  // namespace

ColourTweakDialog::ColourTweakDialog(const CDIBSection& image, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Bitmap Color Tweak"));
  // A fresh sequence for "Random" each time the dialog opens.
  SeedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
  for (int i = 0; i < 3; ++i) Rand();

  // The preview: the image reduced to fit the frame with the bilinear kernel.
  const PreviewSize size = ColourTweakPreviewSize(image.Width(), image.Height(), kFrameWidth, kFrameHeight);
  if (!image.IsEmpty() && image.Bits() == 32) {
    CTwoPassScaler scaler(ScaleKernel::kBilinear);
    if (!scaler.ScaleBitmap(image, clean_, size.width, size.height)) clean_ = image;
  }
  shown_ = clean_;
  if (!shown_.IsEmpty()) factory_.SetImage(shown_);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* top = new QHBoxLayout;
  frame_ = new PreviewFrameWidget(shown_, this);
  top->addWidget(frame_);
  auto* side = new QVBoxLayout;
  filters_ = new QComboBox(this);
  filters_->setObjectName(QStringLiteral("filterList"));
  for (int i = 0; !factory_.FilterName(i).empty(); ++i)
    filters_->addItem(QString::fromStdString(factory_.FilterName(i)));
  side->addWidget(filters_);
  side->addStretch();
  random_ = new QPushButton(QStringLiteral("Random"), this);
  apply_ = new QPushButton(QStringLiteral("Apply"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  apply_->setDefault(true);
  live_ = new QCheckBox(QStringLiteral("Preview while dragging"), this);
  side->addWidget(live_);
  for (QPushButton* b : {random_, apply_, cancel}) side->addWidget(b);
  top->addLayout(side);
  layout->addLayout(top);

  auto* rows = new QGridLayout;
  rows->setVerticalSpacing(2);
  rows->setColumnStretch(1, 1);
  for (std::size_t i = 0; i < sliders_.size(); ++i) {
    labels_[i] = new QLabel(this);
    labels_[i]->setMinimumWidth(110);
    labels_[i]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    sliders_[i] = new CColorSlider(this);
    sliders_[i]->SetRange(0, 255);
    sliders_[i]->setFixedHeight(kRowHeight);
    sliders_[i]->setObjectName(QStringLiteral("parameterSlider%1").arg(i + 1));
    rows->addWidget(labels_[i], static_cast<int>(i), 0);
    rows->addWidget(sliders_[i], static_cast<int>(i), 1);
    // Only the end of a drag filters the preview again.
    connect(sliders_[i], &CColorSlider::changeFinished, this, [this] { UpdatePreview(); });
    connect(sliders_[i], &CColorSlider::valueChanging, this, [this] {
      if (live_->isChecked() && last_run_ms_ <= kLivePreviewLimitMs) UpdatePreview();
    });
  }
  layout->addLayout(rows);
  // The dialog ends one row below the last slider shown.
  layout->addSpacing(kRowHeight);

  connect(filters_, &QComboBox::currentIndexChanged, this, [this](int index) { SelectFilter(index); });
  connect(random_, &QPushButton::clicked, this, &ColourTweakDialog::Randomise);
  connect(apply_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  SelectFilter(0);
}

ColourTweakDialog::~ColourTweakDialog() = default;

ColourTweakChoice ColourTweakDialog::Choice() const {
  ColourTweakChoice choice;
  choice.filter = filters_->currentIndex();
  for (std::size_t i = 0; i < sliders_.size(); ++i) choice.params[i] = sliders_[i]->Position();
  return choice;
}

void ColourTweakDialog::SelectFilter(int index) {
  factory_.SelectFilter(index);
  const int count = factory_.ParamCount();
  for (int i = 0; i < CFilterFactory::kParamSlots; ++i) {
    const auto row = static_cast<std::size_t>(i);
    sliders_[row]->SetPosition(factory_.GetParam(i));
    sliders_[row]->SetBaseColour(factory_.ParamColour(i));
    labels_[row]->setText(QString::fromStdString(factory_.ParamName(i)));
    sliders_[row]->setVisible(i < count);
    labels_[row]->setVisible(i < count);
  }
  UpdatePreview();
}

void ColourTweakDialog::UpdatePreview() {
  for (int i = 0; i < CFilterFactory::kParamSlots; ++i)
    factory_.SetParam(i, sliders_[static_cast<std::size_t>(i)]->Position());
  // ApplyFilter starts from the clean copy the factory took of the preview.
  QElapsedTimer clock;
  clock.start();
  factory_.ApplyFilter();
  last_run_ms_ = clock.elapsed();
  ++preview_runs_;
  frame_->update();
}

void ColourTweakDialog::Randomise() {
  const std::array<int, 8> values = RandomSliderValues();
  for (std::size_t i = 0; i < sliders_.size(); ++i) sliders_[i]->SetPosition(values[i]);
  UpdatePreview();
}

}  // namespace lumi::app
