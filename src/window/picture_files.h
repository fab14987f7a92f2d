// SPDX-License-Identifier: GPL-3.0-or-later
// Writing pictures out as PNG files a player can keep.
#pragma once

#include <QImage>
#include <QString>
#include <filesystem>

#include "platform/files.h"
#include "platform/picture.h"  // SavePng

namespace quill {

// Paths as the dialogs and message boxes spell them, and back.
QString PathText(const std::filesystem::path& file);
std::filesystem::path PathFromText(const QString& text);

// The name with ".png" added unless it already ends so (in any letter case), so that saving a
// picture can never replace a character file.
std::filesystem::path WithPngSuffix(const std::filesystem::path& file);

// The text with every character a file name cannot hold on Windows or Linux replaced by "_",
// trailing dots and spaces dropped; never empty and never a Windows device name ("CON", "COM1",
// "LPT³", "CONIN$", ...).
QString FileNameSafe(const QString& text);

// "<stem>.png" in the folder, or "<stem> (2).png", "<stem> (3).png", ... whichever is free.
std::filesystem::path FreePngName(const std::filesystem::path& folder, const QString& stem);

}  // namespace quill
