// SPDX-License-Identifier: GPL-3.0-or-later
// The window's colours, font and icon.
#pragma once

#include <QIcon>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QWidget;

namespace quill {

// Navy with white text: the window and everything that inherits its palette.
void LookNavy(QWidget& window);
// A frame's caption in the frame's own foreground colour, whatever the style.
void LookFrame(QGroupBox& frame);
// The system's own colours, for the lists and the text box.
void LookSystem(QWidget& widget);
// The file list keeps the system's colours but writes in the window-frame colour.
void LookFileList(QWidget& list);
// White buttons, so that the commands stand out against the navy window.
void LookGraphical(QAbstractButton& button);
void LookPictureBox(QLabel& picture);

QFont WindowFont();
QIcon WindowIcon();

}  // namespace quill
