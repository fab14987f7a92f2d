// SPDX-License-Identifier: GPL-3.0-or-later
// A Qt plugin that ends any Qt program the first time its event loop goes idle with a window on
// screen: launch_bench loads it into the viewer and into the bare window alike, through
// QT_QPA_GENERIC_PLUGINS, so that both are timed from start to their first full screen and the
// viewer runs unchanged. Under the key "menuatidle" it instead right-clicks the viewer's folder
// list "Dir1" as a player would, prints how long the Neighbourhoods menu took to come up and ends
// the program, so that /usr/bin/time measures the whole run around it.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QGenericPlugin>
#include <QGuiApplication>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>

namespace {

bool AWindowIsOnScreen() {
  for (const QWindow* window : QGuiApplication::topLevelWindows()) {
    if (window->isVisible() && window->isExposed()) return true;
  }
  return false;
}

class QuitAtIdle : public QObject {
 public:
  explicit QuitAtIdle(QObject* parent) : QObject(parent) {
    // Emitted only when the loop is about to wait, that is when nothing is pending: the window
    // has been drawn and every start-up event handled.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            [] {
              if (AWindowIsOnScreen()) QCoreApplication::exit(0);
            });
  }
};

QWidget* FolderList() {
  for (QWidget* widget : QApplication::allWidgets()) {
    if (widget->objectName() == QLatin1String("Dir1") && widget->isVisible()) return widget;
  }
  return nullptr;
}

class MenuAtIdle : public QObject {
 public:
  explicit MenuAtIdle(QObject* parent) : QObject(parent) {
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            [this] {
              QWidget* list = FolderList();
              if (list == nullptr || opened_) return;
              opened_ = true;
              QTimer::singleShot(0, this, [this] { openMenu(); });
            });
  }

 private:
  void openMenu() {
    QWidget* list = FolderList();
    QElapsedTimer clock;
    clock.start();
    // Runs inside the menu's own loop, once the menu is up; with no menu, right after.
    QTimer::singleShot(0, this, [clock] {
      std::printf("menu up after %lld ms\n", static_cast<long long>(clock.elapsed()));
      std::fflush(stdout);
      QCoreApplication::exit(0);
    });
    QMetaObject::invokeMethod(list, "customContextMenuRequested", Q_ARG(QPoint, QPoint(5, 5)));
  }
  bool opened_ = false;
};

}  // namespace

class QuitAtIdlePlugin : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "quit_at_idle.json")

 public:
  QObject* create(const QString& key, const QString&) override {
    if (key.compare(QLatin1String("quitatidle"), Qt::CaseInsensitive) == 0) {
      return new QuitAtIdle(this);
    }
    if (key.compare(QLatin1String("menuatidle"), Qt::CaseInsensitive) == 0) {
      return new MenuAtIdle(this);
    }
    return nullptr;
  }
};

#include "quit_at_idle.moc"
