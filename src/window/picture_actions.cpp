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

void TellNotSaved(QWidget* parent, const fs::path& file, const QString& failure,
                  const PictureDialogs& dialogs) {
  dialogs.tellFailure(parent, QStringLiteral("%1 was not saved.\n%2").arg(PathText(file), failure));
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
  if (NameTaken(file) && !dialogs.confirmReplace(parent, file)) return;
  const QString failure = SavePng(picture, file);
  if (!failure.isEmpty()) TellNotSaved(parent, file, failure, dialogs);
}

void SaveAllPictures(QWidget* parent, const QString& sim, const std::vector<NamedPicture>& pictures,
                     const PictureDialogs& dialogs) {
  const std::optional<fs::path> folder = dialogs.chooseFolder(parent);
  if (!folder) return;
  for (const NamedPicture& named : pictures) {
    if (named.picture.isNull()) continue;
    const fs::path file = FreePngName(*folder, PictureFileStem(sim, named.label));
    const QString failure = SavePng(named.picture, file);
    if (!failure.isEmpty()) return TellNotSaved(parent, file, failure, dialogs);
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

}  // namespace quill
