#include "mutavia_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/host.h"
#include "base/settings.h"
#include "image/dib_section.h"
#include "qt_convert.h"

namespace lumi::app {

namespace {

// The icons of the list: ".." (10), a library (9), and one per gene mode (0 to 7).
QIcon ListIcon(int index) {
  static const QColor colours[] = {QColor(200, 60, 60),  QColor(60, 160, 60),  QColor(60, 90, 200),
                                   QColor(200, 160, 40), QColor(160, 60, 180), QColor(40, 170, 170),
                                   QColor(230, 120, 40), QColor(120, 120, 120), QColor(0, 0, 0),
                                   QColor(90, 60, 30),   QColor(255, 255, 255)};
  QPixmap pixmap(13, 13);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(Qt::black);
  painter.setBrush(colours[std::clamp(index, 0, 10)]);
  if (index == 9) {
    painter.drawRect(1, 3, 11, 8);  // a folder-like box for libraries
  } else if (index == 10) {
    painter.drawPolygon(QPolygon({QPoint(6, 1), QPoint(11, 7), QPoint(1, 7)}));  // up
  } else {
    painter.drawEllipse(1, 1, 11, 11);
  }
  return QIcon(pixmap);
}

std::optional<MutaviaDialog::NamedGene> AskGeneWithDialog(QWidget* parent,
                                                          const MutaviaDialog::NamedGene& proposed) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Add Gene to Library"));
  auto* form = new QFormLayout(&dialog);
  auto* dna = new QHBoxLayout;
  QSpinBox* words[3];
  const std::int32_t values[3] = {proposed.words.word1, proposed.words.word2, proposed.words.word3};
  for (int i = 0; i < 3; ++i) {
    words[i] = new QSpinBox;
    words[i]->setRange(INT_MIN, INT_MAX);
    words[i]->setValue(values[i]);
    if (i > 0) dna->addWidget(new QLabel(QStringLiteral("-")));
    dna->addWidget(words[i]);
  }
  form->addRow(QStringLiteral("DNA"), dna);
  auto* name = new QLineEdit(QString::fromStdString(proposed.name));
  form->addRow(QStringLiteral("Name"), name);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return MutaviaDialog::NamedGene{name->text().toStdString(),
                                  {words[0]->value(), words[1]->value(), words[2]->value()}};
}

}  // namespace

// The 4 x 4 grid of previews.
class GenePreviewArea : public QWidget {
 public:
  explicit GenePreviewArea(GeneBreeder& breeder, QWidget* parent = nullptr)
      : QWidget(parent), breeder_(breeder) {
    setFixedSize(4 * GeneBreeder::kCellWidth, 4 * GeneBreeder::kCellHeight);
    setMouseTracking(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    for (int k = 0; k < GeneBreeder::kCandidates; ++k) {
      const Point at = GeneBreeder::CellOrigin(k);
      painter.drawImage(QPoint(at.x, at.y), ToQImage(breeder_.CandidatePreview(k)));
    }
    painter.drawImage(QPoint(GeneBreeder::kCellWidth, GeneBreeder::kCellHeight),
                      ToQImage(breeder_.CentrePreview()));
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(71, 51, 138, 98));
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    breeder_.Click({p.x(), p.y()});
    update();
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    const QPoint p = event->position().toPoint();
    const int slot = GeneBreeder::SlotAt({p.x(), p.y()});
    setCursor(slot == GeneBreeder::kCentreSlot ? Qt::CrossCursor
              : slot >= 0                       ? Qt::PointingHandCursor
                                                : Qt::ArrowCursor);
  }

 private:
  GeneBreeder& breeder_;
};

MutaviaDialog::MutaviaDialog(int gene_kind, const GeneWords& words, std::filesystem::path folder,
                             Settings& settings, Host& host, QWidget* parent)
    : QDialog(parent),
      breeder_(gene_kind, words),
      library_(std::move(folder)),
      settings_(settings),
      host_(host),
      kind_(gene_kind),
      words_(words) {
  setObjectName(QStringLiteral("mutaviaDialog"));
  setWindowTitle(QStringLiteral("Mutavia Colors"));
  ask_gene_ = [this](const NamedGene& proposed) { return AskGeneWithDialog(this, proposed); };
  ask_library_ = [this]() -> std::optional<std::filesystem::path> {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Create New DNA library"),
        QString::fromStdString((library_.Folder() / "*.dna").string()),
        QStringLiteral("DNA Library (*.dna)"));
    if (path.isEmpty()) return std::nullopt;
    return std::filesystem::path(path.toStdString());
  };

  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  list_ = new QListWidget;
  list_->setMinimumWidth(170);
  list_->setStyleSheet(QStringLiteral(
      "QListWidget::item:selected { background: black; color: rgb(255, 255, 225); }"));
  left->addWidget(list_, 1);
  auto* tools = new QHBoxLayout;
  const auto tool = [&](const char* text, const char* tip, auto slot) {
    auto* button = new QToolButton;
    button->setText(QString::fromUtf8(text));
    button->setToolTip(QString::fromUtf8(tip));
    connect(button, &QToolButton::clicked, this, slot);
    tools->addWidget(button);
    return button;
  };
  tool("Mutate!", "Mutate!", [this] { Mutate(); })->setObjectName(QStringLiteral("mutate"));
  tool("+", "Add Gene to the library", [this] { AddGene(); })->setObjectName(QStringLiteral("addGene"));
  tool("-", "Delete Gene from the library", [this] { DeleteGene(); })->setObjectName(QStringLiteral("deleteGene"));
  tool("New", "Add New Group", [this] { NewLibrary(); })->setObjectName(QStringLiteral("newLibrary"));
  left->addLayout(tools);
  layout->addLayout(left);

  auto* right = new QVBoxLayout;
  preview_ = new GenePreviewArea(breeder_);
  right->addWidget(preview_);
  auto* buttons = new QDialogButtonBox;
  buttons->addButton(QDialogButtonBox::Ok);
  buttons->addButton(QDialogButtonBox::Cancel);
  QPushButton* remove = buttons->addButton(QStringLiteral("Remove"), QDialogButtonBox::ResetRole);
  remove->setObjectName(QStringLiteral("removeGene"));
  connect(buttons, &QDialogButtonBox::accepted, this, &MutaviaDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &MutaviaDialog::reject);
  connect(remove, &QPushButton::clicked, this, [this] { RemoveGene(); });
  right->addWidget(buttons);
  layout->addLayout(right);

  const std::string last = settings_.GetString("DNA", "Last", "");
  if (!last.empty()) library_.Open(last);
  ShowList();
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { Choose(row); });
  breeder_.Mutate();
}

MutaviaDialog::~MutaviaDialog() = default;

QWidget* MutaviaDialog::PreviewArea() const { return preview_; }

void MutaviaDialog::ShowList() {
  const QSignalBlocker block(list_);
  list_->clear();
  for (const std::string& entry : library_.Items()) {
    list_->addItem(new QListWidgetItem(ListIcon(GeneListIcon(entry)), QString::fromStdString(GeneListText(entry))));
  }
  setWindowTitle(QString::fromStdString(library_.Title()));
}

void MutaviaDialog::Choose(int row) {
  Gene gene;
  const GeneLibraryList::Choice choice = library_.Choose(row, &gene);
  if (choice == GeneLibraryList::Choice::kGene) {
    WaitCursor wait(host_);
    breeder_.TakeLibraryGene(gene);
    preview_->update();
  } else if (choice != GeneLibraryList::Choice::kNothing) {
    // The list changed under the selection: rebuilt after this signal returns.
    QMetaObject::invokeMethod(this, [this] { ShowList(); }, Qt::QueuedConnection);
  }
}

void MutaviaDialog::Mutate() {
  WaitCursor wait(host_);
  breeder_.Mutate();
  preview_->update();
}

void MutaviaDialog::AddGene() {
  if (library_.OpenName().empty()) {
    host_.Message("First you have to select a library or create a new one.", MessageKind::Information);
    return;
  }
  const std::optional<NamedGene> gene =
      ask_gene_(NamedGene{"Unknown to man", PackGene(breeder_.Current(), true)});
  if (!gene) return;
  library_.AddGene(gene->name, gene->words);
  ShowList();
}

void MutaviaDialog::DeleteGene() {
  if (library_.Delete(list_->currentRow())) ShowList();
}

void MutaviaDialog::NewLibrary() {
  if (!library_.OpenName().empty()) {
    library_.Save();
    library_.ShowLibraries();
    ShowList();
  }
  const std::optional<std::filesystem::path> chosen = ask_library_();
  if (!chosen) return;
  if (library_.CreateLibrary(*chosen) == GeneLibraryList::Created::kExistsHere) {
    host_.Message("A gene library named " + chosen->filename().string() +
                      " already exists; choose another name.",
                  MessageKind::Warning);
  }
  ShowList();
}

void MutaviaDialog::RemoveGene() {
  kind_ = 0;
  QDialog::accept();
}

void MutaviaDialog::accept() {
  kind_ = breeder_.ResultKind();
  words_ = breeder_.ResultWords();
  library_.Save();
  settings_.SetString("DNA", "Last", library_.OpenName());
  QDialog::accept();
}

}  // namespace lumi::app
