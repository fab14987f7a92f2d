// A Qt plugin that, the first time the viewer's event loop goes idle with a window on screen,
// right-clicks the folder list "Dir1" as a player would to open the Neighbourhoods menu, prints
// how long the menu took to come up and ends the program. Loaded through QT_QPA_GENERIC_PLUGINS,
// so that the viewer runs unchanged and /usr/bin/time can measure the whole run around it.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QGenericPlugin>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

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

class MenuAtIdlePlugin : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "menu_at_idle.json")

 public:
  QObject* create(const QString& key, const QString&) override {
    return key.compare(QLatin1String("menuatidle"), Qt::CaseInsensitive) == 0 ? new MenuAtIdle(this)
                                                                              : nullptr;
  }
};

#include "menu_at_idle.moc"
