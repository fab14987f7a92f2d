// SPDX-License-Identifier: GPL-3.0-or-later
// The least a Qt program does to show a list of N lines: what launch_bench weighs the viewer's
// start-up against.
//
//   bare_window N
#include <QApplication>
#include <QListWidget>
#include <cstdlib>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const int lines = argc > 1 ? std::atoi(argv[1]) : 0;
  QListWidget list;
  for (int line = 0; line < lines; ++line) list.addItem(QStringLiteral("Sim %1").arg(line));
  list.show();
  return QApplication::exec();
}
