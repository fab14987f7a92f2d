// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a posed Sim into a picture with a depth-buffered triangle rasteriser of its own, so that
// the window, the command line, the tests and Windows draw the same pixels.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <vector>

#include "render/pose.h"

namespace quill::render {

// The plain background a Sim is drawn on, in the window and on the command line alike.
inline constexpr QRgb kSimBackground = 0xffdce3ea;

struct DrawnPart {
  const PosedMesh* mesh = nullptr;
  QImage texture;  // null: drawn in a plain grey
};

// The least and most a view zooms: the Sim a dot, or a little of it filling the picture.
inline constexpr float kLeastZoom = 1.0F / 64;
inline constexpr float kMostZoom = 64;

// Where the Sim is seen from: turned `yawDegrees` about its upright axis, `pitchDegrees` down,
// `zoom` times the size that fits its whole height in the picture, and its widest across it
// whichever way it is turned (held within kLeastZoom to kMostZoom). At yaw 0 the Sim faces the
// viewer, as in a photograph: its front is its data's −z side, and its left, the data's +x side, is
// on the picture's right.
struct View {
  float yawDegrees = 0;
  float pitchDegrees = 0;
  float zoom = 1;
};

// The parts, lit by one light from the viewer's upper left and a little ambient light, on
// `background`, fitted to the picture by the parts' bounds. A picture of the background alone
// when there is nothing to draw; a null picture for an empty size. A part whose lists differ in
// length is not drawn, nor a triangle naming a vertex it does not have. Drawing stops once the
// triangles' bounds have covered the picture 32 times over, so that no skin can hold it up.
QImage DrawSim(const std::vector<DrawnPart>& parts, QSize size, const View& view,
               QColor background);

}  // namespace quill::render
