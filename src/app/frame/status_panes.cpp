#include "frame/status_panes.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include "ui/bar_placement.h"

#include "frame/keyboard_lamps.h"

namespace lumi::app {

namespace {
constexpr int kMemoryRefreshMs = 60000;
constexpr qint64 kIdleRefreshGapMs = 1000;  // idle comes often; read at most once a second

QLabel* MakePane(QStatusBar* status, const QString& name, const QString& widest) {
  auto* pane = new QLabel(status);
  pane->setObjectName(name);
  pane->setAlignment(Qt::AlignCenter);
  pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(widest) + 8);
  pane->setAccessibleName(widest);
  status->addPermanentWidget(pane);
  return pane;
}

void ShowLock(QLabel* pane, const QString& text, std::optional<bool> on) {
  // Off, or not known: the pane keeps its place and shows nothing, as a lit lamp would not.
  pane->setText(on.value_or(false) ? text : QString());
}
}  // namespace

std::optional<unsigned long long> AvailablePhysicalMemory() {
  QFile meminfo(QStringLiteral("/proc/meminfo"));
  if (!meminfo.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray text = meminfo.read(64 * 1024);
  return MemAvailableBytes(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

StatusPanes::StatusPanes(QStatusBar* status) : QObject(status), status_(status) {
  caps_ = MakePane(status, QStringLiteral("paneCAP"), QStringLiteral("CAP"));
  num_ = MakePane(status, QStringLiteral("paneNUM"), QStringLiteral("NUM"));
  scroll_ = MakePane(status, QStringLiteral("paneSCRL"), QStringLiteral("SCRL"));
  memory_ = new QLabel(QStringLiteral("Date"), status);  // replaced at the first refresh
  memory_->setObjectName(QStringLiteral("paneMemory"));
  memory_->setAccessibleName(QStringLiteral("Free memory"));
  status->addPermanentWidget(memory_);

  auto* timer = new QTimer(this);
  timer->setInterval(kMemoryRefreshMs);
  connect(timer, &QTimer::timeout, this, &StatusPanes::Refresh);
  timer->start();
  // Idle: the event loop is about to wait for the next event.
  if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
    since_idle_refresh_.start();
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
      if (since_idle_refresh_.elapsed() < kIdleRefreshGapMs) return;
      since_idle_refresh_.restart();
      Refresh();
    });
  }
  qApp->installEventFilter(this);
  Refresh();
}

void StatusPanes::ShowFreeMemory(unsigned long long available_bytes) {
  const QString text = QString::fromStdString(FreeMemoryText(available_bytes));
  if (memory_->text() == text) return;
  memory_->setText(text);
  memory_->setFixedWidth(memory_->fontMetrics().horizontalAdvance(text) + 2 * memory_->margin() + 8);
}

void StatusPanes::Refresh() {
  if (const auto bytes = AvailablePhysicalMemory()) ShowFreeMemory(*bytes);
  RefreshLocks();
}

void StatusPanes::RefreshLocks() {
  ShowLock(caps_, QStringLiteral("CAP"), LockIndicator("Caps Lock"));
  ShowLock(num_, QStringLiteral("NUM"), LockIndicator("Num Lock"));
  ShowLock(scroll_, QStringLiteral("SCRL"), LockIndicator("Scroll Lock"));
}

bool StatusPanes::eventFilter(QObject* watched, QEvent* event) {
  // A lock key changes its lamp on release; read the lamps then.
  if (event->type() == QEvent::KeyRelease) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock) RefreshLocks();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace lumi::app
