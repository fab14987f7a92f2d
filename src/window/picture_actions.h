// SPDX-License-Identifier: GPL-3.0-or-later
// What a player can do with a portrait: copy it, save it, save a Sim's pictures all at once.
#pragma once

#include <QImage>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QMenu;
class QWidget;

namespace quill {

inline constexpr const char* kShowAllPictures = "Show all pictures\u2026";
inline constexpr const char* kCopyPicture = "Copy picture";
inline constexpr const char* kSavePictureAs = "Save picture as\u2026";
inline constexpr const char* kSaveAllPictures = "Save all pictures\u2026";

// The questions saving asks the user, gathered so that tests can answer them.
struct PictureDialogs {
  // The file to save to, suggested name given; nothing when the user cancels.
  std::function<std::optional<std::filesystem::path>(QWidget*, const QString&)> chooseFile;
  std::function<std::optional<std::filesystem::path>(QWidget*)> chooseFolder;
  std::function<bool(QWidget*, const std::filesystem::path&)> confirmReplace;
  std::function<void(QWidget*, const QString&)> tellFailure;
};

PictureDialogs SystemPictureDialogs();

struct NamedPicture {
  QString label;
  QImage picture;  // null when the chunk holds no picture the loader reads
};

// To the clipboard, at the picture's own size.
void CopyPicture(const QImage& picture);
// Asks for a file (".png" added when missing; an existing file only replaced after asking).
void SavePictureAs(QWidget* parent, const QImage& picture, const QString& suggestedName,
                   const PictureDialogs& dialogs);
// Asks for a folder and writes "<sim> - <label>.png" for each picture, taking a free name
// ("... (2).png") where the file exists. Stops at the first failure and says so.
void SaveAllPictures(QWidget* parent, const QString& sim, const std::vector<NamedPicture>& pictures,
                     const PictureDialogs& dialogs);

// "Copy picture" and "Save picture as..." for one picture, added to a context menu.
void AddPictureActions(QMenu& menu, QWidget* parent, const QImage& picture,
                       const QString& suggestedName, const PictureDialogs& dialogs);

// "<sim> - <label>", fit for a file name; a long name is cut to leave room for the label.
QString PictureFileStem(const QString& sim, const QString& label);
// The Sim's name fit for a file name, a long one cut as in PictureFileStem.
QString SimFileStem(const QString& sim);

}  // namespace quill
