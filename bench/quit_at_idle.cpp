// A Qt plugin that ends any Qt program the first time its event loop goes idle with a window on
// screen: launch_bench loads it into the viewer and into the bare window alike, through
// QT_QPA_GENERIC_PLUGINS, so that both are timed from start to their first full screen and the
// viewer runs unchanged.
#include <QAbstractEventDispatcher>
#include <QGenericPlugin>
#include <QGuiApplication>
#include <QWindow>

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

}  // namespace

class QuitAtIdlePlugin : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "quit_at_idle.json")

 public:
  QObject* create(const QString& key, const QString&) override {
    return key.compare(QLatin1String("quitatidle"), Qt::CaseInsensitive) == 0 ? new QuitAtIdle(this)
                                                                              : nullptr;
  }
};

#include "quit_at_idle.moc"
