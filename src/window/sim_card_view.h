// SPDX-License-Identifier: GPL-3.0-or-later
// The Sim in 3D in its card's portrait place: the view, the outfits it can be drawn in, and a way
// to keep what the player is looking at.
#pragma once

#include <QWidget>
#include <optional>

#include "inspect/body_strings.h"
#include "window/looks_verdict.h"
#include "window/picture_actions.h"

namespace quill {

inline constexpr const char* kSaveViewAs = "Save view as PNG\u2026";

// The view of the Sim `name` dressed in its first outfit, under it a chooser of the others
// (each dressed the first time it is chosen, and kept) and "Save view as PNG…". Nothing when the
// looks were not checked or nothing of the Sim can be drawn.
QWidget* SimViewPanel(const QString& name, const std::optional<BodyLooks>& looks,
                      const LooksVerdict& verdict, const PictureDialogs& dialogs, QWidget* parent);

// Why a Sim shows its portrait and no view: why its looks were not checked, else what the check
// found; empty when the Sim stores no looks.
QString NoViewReason(const LooksVerdict& verdict);

}  // namespace quill
