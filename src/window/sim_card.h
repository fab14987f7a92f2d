// SPDX-License-Identifier: GPL-3.0-or-later
// The Sim card: a window of its own with who the chosen Sim is, as the neighbourhood knows it:
// family, species and gender, age, star sign, career, personality, skills and friends.
#pragma once

#include <QImage>
#include <QWidget>

#include "inspect/sim_profile.h"
#include "window/looks_verdict.h"

class QScrollArea;

namespace quill {

inline constexpr const char* kAboutSim = "About %1\u2026";

class SimCard : public QWidget {
  Q_OBJECT

 public:
  explicit SimCard(QWidget* owner);

  // Shows this Sim, titled "About <name>", in place of the one shown before, with what the
  // skins check says of its looks.
  void showSim(const QString& name, const QImage& portrait, const SimProfile& profile,
               const LooksVerdict& looks = {});

 private:
  // The card's content scrolls, so that it fits a small screen.
  QScrollArea* scroll_ = nullptr;
  QWidget* shown_ = nullptr;
};

}  // namespace quill
