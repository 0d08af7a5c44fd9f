#pragma once
// What the tests on a real X server share: a virtual framebuffer server of their own and
// a wait for a window by its title.
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <poll.h>
#include <unistd.h>

#include <string>

#include <optional>

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QProcess>
#include <QScreen>
#include <QString>
#include <QTemporaryDir>
#include <QtTest/QtTest>

namespace lumi::testing {

// An Xvfb of its own: the server picks a free display number and reports it when it is
// ready to accept clients, so parallel tests never race for a number.
class VirtualServer {
 public:
  ~VirtualServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }

  bool Start(const QString& program, const char* screen = "1280x1024x24") {
    int fds[2];
    if (pipe(fds) != 0) return false;
    pid_ = fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
      // The server goes with this test, even when the test itself is killed.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      close(fds[0]);
      const std::string path = program.toStdString();
      const std::string fd = std::to_string(fds[1]);
      execl(path.c_str(), path.c_str(), "-displayfd", fd.c_str(), "-nolisten", "tcp",
            "-screen", "0", screen, static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd ready{fds[0], POLLIN, 0};
    // A loaded machine may take a while to bring the server up.
    while (poll(&ready, 1, 60000) > 0) {
      char c;
      if (read(fds[0], &c, 1) != 1 || c == '\n') break;
      number += c;
    }
    close(fds[0]);
    if (number.empty()) return false;
    display_ = ":" + number;
    return true;
  }

  const std::string& Display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// Whether a top-level window with exactly this title exists (`xwininfo -root -tree`).
inline bool WindowTitled(const QString& title) {
  QProcess info;
  info.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
  if (!info.waitForFinished(10000)) return false;
  return info.readAllStandardOutput().contains(('"' + title + '"').toUtf8());
}

inline QRgb At(const QImage& image, int x, int y) {
  if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return 0xFF000000;
  return image.pixel(x, y) & 0xFFFFFF;
}

// The top-left on screen of a width x height canvas, found by its frame: a 1-pixel black
// rectangle one pixel outside the canvas on every side, on the grey surround.
inline std::optional<QPoint> FindCanvas(const QImage& shot, int width, int height) {
  constexpr QRgb kFrame = 0x000000, kSurround = 0xE1E1E1;
  for (int y = 1; y + height + 2 <= shot.height(); ++y) {
    for (int x = 1; x + width + 2 <= shot.width(); ++x) {
      if (At(shot, x, y) != kFrame || At(shot, x - 1, y) != kSurround ||
          At(shot, x, y - 1) != kSurround)
        continue;
      bool frame = At(shot, x + width + 2, y) != kFrame &&
                   At(shot, x, y + height + 2) != kFrame;
      for (int i = 0; frame && i < width + 2; ++i)
        frame = At(shot, x + i, y) == kFrame && At(shot, x + i, y + height + 1) == kFrame;
      for (int i = 0; frame && i < height + 2; ++i)
        frame = At(shot, x, y + i) == kFrame && At(shot, x + width + 1, y + i) == kFrame;
      if (frame) return QPoint(x + 1, y + 1);
    }
  }
  return std::nullopt;
}

// The whole screen as 32-bit pixels.
inline QImage GrabScreen() {
  return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// Waits for a window of this title while the program runs; empty when it came, else why not.
inline QString WaitForWindow(const QProcess& program, const QString& title, const QDeadlineTimer& deadline) {
  while (!WindowTitled(title)) {
    if (program.state() != QProcess::Running) return QStringLiteral("the program exited before showing ") + title;
    if (deadline.hasExpired()) return QStringLiteral("no window \"%1\" appeared in time").arg(title);
    QTest::qWait(200);
  }
  return {};
}

// The top-left pixel of a width x height canvas once it is painted and steady: `probe`
// inside it shows `colour` and two grabs in a row are alike. Empty when time runs out.
inline std::optional<QPoint> WaitForSteadyCanvas(int width, int height, QPoint probe, QRgb colour,
                                                 const QDeadlineTimer& deadline) {
  std::optional<QPoint> canvas;
  QImage previous;
  while (!deadline.hasExpired()) {
    const QImage shot = GrabScreen();
    canvas = FindCanvas(shot, width, height);
    if (canvas && At(shot, canvas->x() + probe.x(), canvas->y() + probe.y()) == colour && shot == previous)
      return canvas;
    previous = shot;
    QTest::qWait(250);
  }
  return canvas;
}

// Starts the program on this X server with a home of its own, so the run neither reads
// nor changes the user's settings and data; `extra` adds variables of its own.
inline void StartInOwnHome(QProcess& program, const QTemporaryDir& home, const QString& executable,
                           const QStringList& arguments, const QProcessEnvironment& extra = {}) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(extra);
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
  env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  program.setProcessEnvironment(env);
  program.setProcessChannelMode(QProcess::ForwardedChannels);
  program.start(executable, arguments);
}

// Ends a program that is still running: asked first, killed when it does not go.
inline void StopProgram(QProcess& program) {
  if (program.state() == QProcess::NotRunning) return;
  program.terminate();
  if (!program.waitForFinished(10000)) program.kill();
  program.waitForFinished(10000);
}

}  // namespace lumi::testing
