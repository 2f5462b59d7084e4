// tabro_clipboard_owner: puts the text of a file on the X clipboard and keeps it
// there (an X clipboard lives as long as its owner) until it is stopped.
//
//   tabro_clipboard_owner FILE

#include <QApplication>
#include <QClipboard>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tabro_clipboard_owner FILE\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  QFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  QApplication::clipboard()->setText(QString::fromUtf8(file.readAll()));
  std::printf("ready\n");
  std::fflush(stdout);
  return QApplication::exec();
}
