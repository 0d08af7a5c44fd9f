#include "object_menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "edit/canvas_commands.h"
#include "edit/object_command_table.h"
#include "edit/tool_commands.h"
#include "edit/tool_machine.h"
#include "objects/draw_object.h"
#include "rotate_dialog.h"
#include "qt_convert.h"

namespace lumi::app {

namespace {

// One entry of a menu: the command's table text, its label (the text when empty) and its
// accelerators; "-" is a separator and a text ending in '>' opens a submenu until "<".
struct Entry {
  const char* text;
  const char* label = "";
  const char* keys = "";
};

const Entry kEditEntries[] = {
    {"-"},
    {"Cut", "Cu&t", "Ctrl+X; Shift+Del"},
    {"Copy", "&Copy", "Ctrl+C; Ctrl+Ins"},
    {"Paste", "&Paste", "Ctrl+V; Shift+Ins"},
    {"Paste Atributes", "", "Ctrl+Shift+V"},
    {"-"},
    {"Delete Object", "", "Del"},
    {"Select All", "", "Ctrl+A"},
    {"Select Next Object"},
    {"Select Previous Object"},
};

const Entry kObjectEntries[] = {
    {"Bring to front"}, {"Send to Back"}, {"Bring Forward"}, {"Send Backward"}, {"-"},
    {"Align>"}, {"Align Left"}, {"Align Right"}, {"Align Top"}, {"Align Bottom"}, {"Align Center"}, {"<"},
    {"Horizontal Flip"}, {"Vertical Flip"}, {"Rotate..."}, {"-"},
    {"Group", "", "Ctrl+G"}, {"Ungroup", "", "Ctrl+U"}, {"Combine Objects"}, {"-"},
    {"Hide all objects before selected object"}, {"Show All Objects"}, {"-"},
    {"Edge Quality>"}, {"Hard Edge"}, {"Anti-Alias"}, {"Super Smooth"}, {"Extreme"}, {"<"},
    {"Convert Text to Polynome"}, {"Convert Object to Polynome"}, {"Convert To Bitmap"},
    {"Convert Polynome to envelope"}, {"Reset Transformations"}, {"Edit Text...", "", "Ctrl+T"},
};

const Entry kBitmapEntries[] = {
    {"White Transparency"}, {"Create Transparency from Intensity"}, {"-"},
    {"Transparency>"}, {"Transparency/From Object", "From Object"},
    {"Transparency/From Object - Inverted", "From Object - Inverted"}, {"<"},
    {"Mask>"}, {"Mask/From Object", "From Object"}, {"Mask/From Object - Inverted", "From Object - Inverted"}, {"<"},
    {"Crop Bitmap to the size of another object"}, {"-"},
    {"Reset Transparency and Transformation"}, {"Reset Transformation"}, {"Update from original"},
    {"Apply Changes"}, {"-"},
    {"Sharpen"}, {"Sharpen More"}, {"Blur"}, {"-"},
    {"Create a Project Texture from this Bitmap"},
};

// Commands that open a dialog of their own, run through the window.
const char* const kDialogEntries[] = {"Bitmap Effects...", "Shift Color..."};

}  // namespace

ObjectMenus::ObjectMenus(QWidget& window, QMenuBar& bar, QMenu& edit_menu, ToolMachine& tools,
                         Settings& settings, ObjectMenuHooks hooks)
    : QObject(&window), window_(window), tools_(tools), settings_(settings), hooks_(std::move(hooks)) {
  tools_.SetCommandServices(this);
  const auto fill = [this](QMenu& top, std::span<const Entry> entries) {
    QMenu* menu = &top;
    for (const Entry& e : entries) {
      const std::string_view text = e.text;
      if (text == "-") {
        menu->addSeparator();
      } else if (text == "<") {
        menu = &top;
      } else if (text.ends_with('>')) {
        menu = top.addMenu(ToQString(text.substr(0, text.size() - 1)));
      } else {
        AddCommand(*menu, text, *e.label ? QString::fromUtf8(e.label) : QString(), QString::fromLatin1(e.keys));
      }
    }
  };
  fill(edit_menu, kEditEntries);
  QMenu* object_menu = bar.addMenu(QStringLiteral("&Object"));
  object_menu->setObjectName(QStringLiteral("objectMenu"));
  fill(*object_menu, kObjectEntries);
  object_menu->addSeparator();
  gene_ = object_menu->addAction(QStringLiteral("Mutavia Color"), this, [this] {
    if (hooks_.edit_gene) hooks_.edit_gene();
  });
  gene_->setObjectName(QStringLiteral("Mutavia Color"));
  actions_[gene_->objectName()] = gene_;

  QMenu* bitmap_menu = bar.addMenu(QStringLiteral("&Bitmap"));
  bitmap_menu->setObjectName(QStringLiteral("bitmapMenu"));
  fill(*bitmap_menu, kBitmapEntries);
  bitmap_menu->addSeparator();
  for (const char* text : kDialogEntries) {
    QAction* a = bitmap_menu->addAction(QString::fromLatin1(text), this, [this, text] {
      const DialogCommand* c = FindCanvasCommand(text);
      if (!c || !c->enabled(tools_) || !hooks_.run_dialog_command) return;
      hooks_.run_dialog_command(text);
      if (hooks_.after_command) hooks_.after_command();
    });
    a->setObjectName(a->text());
    actions_[a->objectName()] = a;
  }

  // The view's context menu: the same actions where the menus have them.
  context_ = new QMenu(&window_);
  context_->setObjectName(QStringLiteral("viewContextMenu"));
  context_->addAction(Action(QStringLiteral("Copy")));
  context_->addAction(Action(QStringLiteral("Paste")));
  context_->addAction(Action(QStringLiteral("Paste Atributes")));
  context_->addAction(Action(QStringLiteral("Combine Objects")));
  for (const char* text : {"Break Path", "Close Path"}) {
    QAction* a = context_->addAction(QString::fromLatin1(text), this, [this, text] { Run(text); });
    a->setObjectName(a->text());
    actions_[QStringLiteral("context:") + a->text()] = a;
  }
  context_->addAction(Action(QStringLiteral("Convert Text to Polynome")));
  QAction* add = context_->addAction(QStringLiteral("Add to Object Library"), this, [this] {
    if (hooks_.add_to_library) hooks_.add_to_library();
  });
  add->setObjectName(add->text());
  actions_[add->objectName()] = add;

  for (QMenu* menu : {&edit_menu, object_menu, bitmap_menu, context_})
    connect(menu, &QMenu::aboutToShow, this, &ObjectMenus::Refresh);
  Refresh();
}

QAction* ObjectMenus::AddCommand(QMenu& menu, std::string_view text, const QString& label, const QString& keys) {
  const QString name = ToQString(text);
  QAction* a = menu.addAction(label.isEmpty() ? name : label, this, [this, text] { Run(text); });
  a->setObjectName(name);
  if (!keys.isEmpty()) {
    QList<QKeySequence> sequences;
    for (const QString& k : keys.split(QLatin1Char(';'))) sequences.push_back(QKeySequence(k.trimmed()));
    a->setShortcuts(sequences);
    // The accelerators work while the menus are closed, so the window holds them.
    window_.addAction(a);
  }
  if (IsObjectCommandChecked(tools_, text) || text == "Hard Edge" || text == "Anti-Alias" ||
      text == "Super Smooth" || text == "Extreme")
    a->setCheckable(true);
  actions_[name] = a;
  return a;
}

QAction* ObjectMenus::Action(const QString& text) const {
  const auto it = actions_.find(text);
  return it == actions_.end() ? nullptr : it->second;
}

void ObjectMenus::Refresh() {
  for (const auto& [name, action] : actions_) {
    const std::string text = name.startsWith(QStringLiteral("context:")) ? name.mid(8).toStdString() : name.toStdString();
    if (const MenuCommand* c = FindMenuCommand(text)) {
      action->setEnabled(c->enabled(tools_));
      if (action->isCheckable()) action->setChecked(IsObjectCommandChecked(tools_, text));
    } else if (const DialogCommand* d = FindCanvasCommand(text)) {
      action->setEnabled(d->enabled(tools_) && hooks_.run_dialog_command != nullptr);
    }
  }
  const CDrawObject* current = tools_.Selected();
  gene_->setEnabled(current && !current->IsBitmap());
  if (QAction* add = Action(QStringLiteral("Add to Object Library")))
    add->setEnabled(current || !tools_.MultiSelection().empty());
}

bool ObjectMenus::Run(std::string_view text) {
  const MenuCommand* c = FindMenuCommand(text);
  if (!c || !c->enabled(tools_)) return false;
  c->run(tools_);
  if (hooks_.after_command) hooks_.after_command();
  return true;
}

std::optional<int> ObjectMenus::AskRotateAngle(int angle) { return RotateDialog::Ask(angle, &window_); }

void ObjectMenus::RebuildLayers() {
  if (hooks_.rebuild_layers) hooks_.rebuild_layers();
}

}  // namespace lumi::app
