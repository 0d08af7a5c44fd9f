// Writes the whole X screen as a PNG, for the README's picture of the program:
//   lumi-grab-screen OUT.png [X Y WIDTH HEIGHT]
// Runs on the display in DISPLAY; the optional rectangle crops the grab.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2 && argc != 6) {
    std::fprintf(stderr, "usage: lumi-grab-screen OUT.png [X Y WIDTH HEIGHT]\n");
    return 1;
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication app(argc, argv);
  QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
  if (argc == 6) shot = shot.copy(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
  if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "lumi-grab-screen: cannot grab the screen into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
