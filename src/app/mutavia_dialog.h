#pragma once
// The "Mutavia Colors" dialog: breeds a colour gene by eye on the 4 x 4 preview grid and
// keeps genes in .dna libraries. The rules are the core's GeneBreeder and
// GeneLibraryList; this window turns clicks into their calls and paints their previews.
#include <QDialog>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "library/gene_breeder.h"
#include "library/gene_library_list.h"

class QListWidget;
class QToolButton;

namespace lumi {
class Host;
class Settings;
}  // namespace lumi

namespace lumi::app {

class GenePreviewArea;

class MutaviaDialog : public QDialog {
  Q_OBJECT
 public:
  // What "Add Gene to the library" asks: the proposed name and words, edited or not;
  // nothing on Cancel.
  struct NamedGene {
    std::string name;
    GeneWords words;
  };
  using AskGene = std::function<std::optional<NamedGene>(const NamedGene& proposed)>;
  // What "Add New Group" asks: the path chosen in a save dialog, nothing on Cancel.
  using AskNewLibrary = std::function<std::optional<std::filesystem::path>()>;

  // `folder` holds the .dna libraries; settings section "DNA" value "Last" names the
  // library opened first. The two questions default to the program's own dialogs.
  MutaviaDialog(int gene_kind, const GeneWords& words, std::filesystem::path folder,
                Settings& settings, Host& host, QWidget* parent = nullptr);
  ~MutaviaDialog() override;

  void SetAskGene(AskGene ask) { ask_gene_ = std::move(ask); }
  void SetAskNewLibrary(AskNewLibrary ask) { ask_library_ = std::move(ask); }

  // After OK: the kind (0 after "Remove") and the words.
  int GeneKind() const { return kind_; }
  GeneWords Words() const { return words_; }

  GeneBreeder& Breeder() { return breeder_; }
  GeneLibraryList& Library() { return library_; }
  QWidget* PreviewArea() const;
  QListWidget* LibraryList() const { return list_; }

  void Mutate();
  void AddGene();
  void DeleteGene();
  void NewLibrary();
  void RemoveGene();
  void accept() override;

 private:
  void ShowList();
  void Choose(int row);

  GeneBreeder breeder_;
  GeneLibraryList library_;
  Settings& settings_;
  Host& host_;
  AskGene ask_gene_;
  AskNewLibrary ask_library_;
  GenePreviewArea* preview_ = nullptr;
  QListWidget* list_ = nullptr;
  int kind_ = 0;
  GeneWords words_;
};

}  // namespace lumi::app
