// tabro_screen_grab: saves what the X screen shows, whole or a rectangle, as a PNG
// and prints how many distinct colours the picture holds.
//
//   tabro_screen_grab OUT.png [X Y WIDTH HEIGHT]
//
// It reads the root window as one image, the way the display shows it. (xwd
// composes windows that carry their own colormap by itself and can draw a
// window black that the screen shows whole, so journeys do not rely on it.)

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <unordered_set>

int main(int argc, char** argv) {
  if (argc != 2 && argc != 6) {
    std::fprintf(stderr, "usage: tabro_screen_grab OUT.png [X Y WIDTH HEIGHT]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication app(argc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) {
    std::fprintf(stderr, "no screen\n");
    return 1;
  }
  QPixmap shot = argc == 6 ? screen->grabWindow(0, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                                                std::atoi(argv[5]))
                           : screen->grabWindow(0);
  const QImage image = shot.toImage().convertToFormat(QImage::Format_RGB32);
  if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "cannot save %s\n", argv[1]);
    return 1;
  }
  std::unordered_set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) colours.insert(line[x]);
  }
  std::printf("%zu\n", colours.size());
  return 0;
}
