// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/picture_actions.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>

#include "window/picture_files.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> Chosen(const QString& text) {
  if (text.isEmpty()) return std::nullopt;
  return PathFromText(text);
}

// The most bytes a Sim's name takes of a picture's file name (in UTF-8, as Linux counts; Windows
// counts fewer), so that the chunk's label (64 characters at most), a copy number and ".png" still
// fit the 255 that file systems allow.
constexpr qsizetype kLongestSimPart = 100;

QString SimPart(const QString& sim) {
  QString part = sim.left(kLongestSimPart);
  while (part.toUtf8().size() > kLongestSimPart) part.chop(1);
  if (!part.isEmpty() && part.back().isHighSurrogate()) part.chop(1);
  return part;
}

// How often saving all pictures looks for another free name when others keep taking them.
constexpr int kSaveAttempts = 100;

void TellNotSaved(QWidget* parent, const fs::path& file, const std::string& failure,
                  const PictureDialogs& dialogs) {
  dialogs.tellFailure(
      parent,
      QStringLiteral("%1 was not saved.\n%2").arg(PathText(file), QString::fromStdString(failure)));
}

}  // namespace

PictureDialogs SystemPictureDialogs() {
  PictureDialogs dialogs;
  dialogs.chooseFile = [](QWidget* parent, const QString& suggested) {
    // The viewer asks about replacing itself, once ".png" has been added to the name.
    return Chosen(QFileDialog::getSaveFileName(parent, QString::fromUtf8(kSavePictureAs), suggested,
                                               QStringLiteral("PNG picture (*.png)"), nullptr,
                                               QFileDialog::DontConfirmOverwrite));
  };
  dialogs.chooseFolder = [](QWidget* parent) {
    return Chosen(QFileDialog::getExistingDirectory(parent, QString::fromUtf8(kSaveAllPictures)));
  };
  dialogs.confirmReplace = [](QWidget* parent, const fs::path& file) {
    return QMessageBox::question(
               parent, QStringLiteral("Quillmere"),
               QStringLiteral("%1 already exists.\nReplace it?").arg(PathText(file.filename())),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
  };
  dialogs.tellFailure = [](QWidget* parent, const QString& message) {
    QMessageBox::warning(parent, QStringLiteral("Quillmere"), message);
  };
  return dialogs;
}

void CopyPicture(const QImage& picture) {
  if (!picture.isNull()) QGuiApplication::clipboard()->setImage(picture);
}

void SavePictureAs(QWidget* parent, const QImage& picture, const QString& suggestedName,
                   const PictureDialogs& dialogs) {
  if (picture.isNull()) return;
  const std::optional<fs::path> chosen = dialogs.chooseFile(parent, suggestedName + ".png");
  if (!chosen) return;
  const fs::path file = WithPngSuffix(*chosen);
  using platform::SaveResult;
  using platform::WhenNameTaken;
  const bool replace = platform::NameTaken(file);
  if (replace && !dialogs.confirmReplace(parent, file)) return;
  SaveResult saved =
      platform::SavePng(picture, file, replace ? WhenNameTaken::kReplace : WhenNameTaken::kKeep);
  // Another program took the name after it was found free: replace it only if the user says so.
  if (saved.outcome == SaveResult::kNameTaken) {
    if (!dialogs.confirmReplace(parent, file)) return;
    saved = platform::SavePng(picture, file, WhenNameTaken::kReplace);
  }
  if (saved.outcome == SaveResult::kFailed) TellNotSaved(parent, file, saved.reason, dialogs);
}

void SaveAllPictures(QWidget* parent, const QString& sim, const std::vector<NamedPicture>& pictures,
                     const PictureDialogs& dialogs) {
  const std::optional<fs::path> folder = dialogs.chooseFolder(parent);
  if (!folder) return;
  for (const NamedPicture& named : pictures) {
    if (named.picture.isNull()) continue;
    const QString stem = PictureFileStem(sim, named.label);
    fs::path file;
    platform::SaveResult saved;
    // A name another program takes between the look and the save is left to it; the next free one
    // is taken instead, a bounded number of times.
    for (int attempt = 0; attempt < kSaveAttempts; ++attempt) {
      file = FreePngName(*folder, stem);
      saved = platform::SavePng(named.picture, file, platform::WhenNameTaken::kKeep);
      if (saved.outcome != platform::SaveResult::kNameTaken) break;
    }
    if (saved.outcome == platform::SaveResult::kNameTaken) saved.reason = "The name is taken.";
    if (saved.outcome != platform::SaveResult::kSaved) {
      return TellNotSaved(parent, file, saved.reason, dialogs);
    }
  }
}

void AddPictureActions(QMenu& menu, QWidget* parent, const QImage& picture,
                       const QString& suggestedName, const PictureDialogs& dialogs) {
  QAction* copy =
      menu.addAction(QString::fromUtf8(kCopyPicture), [picture] { CopyPicture(picture); });
  QAction* save = menu.addAction(QString::fromUtf8(kSavePictureAs), [=, &dialogs] {
    SavePictureAs(parent, picture, suggestedName, dialogs);
  });
  copy->setEnabled(!picture.isNull());
  save->setEnabled(!picture.isNull());
}

QString PictureFileStem(const QString& sim, const QString& label) {
  return FileNameSafe(sim.isEmpty() ? label : SimPart(sim) + QStringLiteral(" - ") + label);
}

QString SimFileStem(const QString& sim) {
  return FileNameSafe(SimPart(sim));
}

}  // namespace quill
