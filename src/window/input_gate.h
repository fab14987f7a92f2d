// Keeps the user's clicks and keys away from chosen controls while a read is under way, so that
// a selection made meanwhile cannot start a second read in the middle of the first.
#pragma once

#include <QObject>

namespace quill {

class InputGate : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  void guard(QObject* target) { target->installEventFilter(this); }
  void close() { ++closed_; }
  void open() { --closed_; }
  bool isClosed() const { return closed_ > 0; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int closed_ = 0;
};

// Closes the gate for one operation; operations nest.
class GateClosed {
 public:
  explicit GateClosed(InputGate& gate) : gate_(gate) { gate_.close(); }
  ~GateClosed() { gate_.open(); }
  GateClosed(const GateClosed&) = delete;
  GateClosed& operator=(const GateClosed&) = delete;

 private:
  InputGate& gate_;
};

}  // namespace quill
