// Quillmere: a read-only viewer for the character files of The Sims.
#include <QApplication>

#include "window/frm_main.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  quill::FrmMain window(quill::SystemServices());
  window.load();
  window.show();
  return QApplication::exec();
}
