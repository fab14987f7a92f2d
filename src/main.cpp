// Quillmere: a read-only viewer for the character files of The Sims.
//   quillmere [FOLDER | FILE]
#include <QApplication>
#include <QFile>

#include "window/frm_main.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  quill::FrmMain window(quill::SystemServices());
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) {
    window.load(std::filesystem::path(QFile::encodeName(arguments.at(1)).toStdString()));
  } else {
    window.load();
  }
  window.show();
  return QApplication::exec();
}
