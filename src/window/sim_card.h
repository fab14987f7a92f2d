// SPDX-License-Identifier: GPL-3.0-or-later
// The Sim card: a window of its own with who the chosen Sim is, as the neighbourhood knows it:
// family, species and gender, age, star sign, career, personality, skills and friends.
#pragma once

#include <QImage>
#include <QWidget>

#include "inspect/sim_profile.h"
#include "window/looks_verdict.h"
#include "window/picture_actions.h"

class QScrollArea;

namespace quill {

class FocusRing;

inline constexpr const char* kAboutSim = "About %1\u2026";

class SimCard : public QWidget {
  Q_OBJECT

 public:
  // `dialogs` ask where to save the Sim's view.
  SimCard(const PictureDialogs& dialogs, QWidget* owner);

  // Shows this Sim, titled "About <name>", in place of the one shown before, with what the
  // skins check says of its looks, and the Sim in 3D in its portrait's place when the looks
  // dress it in anything that can be drawn.
  void showSim(const QString& name, const QImage& portrait, const SimProfile& profile,
               const LooksVerdict& looks = {});

 private:
  // The card's content scrolls, so that it fits a small screen.
  QScrollArea* scroll_ = nullptr;
  QWidget* shown_ = nullptr;
  FocusRing* focusRing_ = nullptr;
  const PictureDialogs& dialogs_;
};

}  // namespace quill
