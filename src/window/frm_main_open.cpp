// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a folder, character file or family export that the player names: on the command line,
// by dropping it on the window, or from the desktop.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <fstream>

#include "chunkfile/name_order.h"
#include "inspect/language_evidence.h"
#include "inspect/path_kind.h"
#include "inspect/roster_entry.h"
#include "window/drive_list.h"
#include "window/family_window.h"
#include "window/file_list.h"
#include "window/folder_list.h"
#include "window/frm_main.h"
#include "window/selection_list.h"

namespace quill {

namespace {

// The local file a dropped URL names, as the system spells it. On POSIX systems a name need not be
// UTF-8: its bytes are taken from the URL's percent-encoding, which keeps them, where
// QUrl::toLocalFile() would not.
std::filesystem::path DroppedPath(const QUrl& url) {
#ifdef _WIN32
  return std::filesystem::path(url.toLocalFile().toStdWString());
#else
  const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
  return std::filesystem::path(QByteArray::fromPercentEncoding(encoded).toStdString());
#endif
}

}  // namespace

bool FrmMain::openFolder(const std::filesystem::path& folder) {
  // Checked first, so that a folder that cannot be listed leaves the drive as it was too.
  const bool opened = platform::ListFolder(folder) &&
                      drive1_->setDrive(platform::DriveOf(folder)) && dir1_->setPath(folder);
  // At start-up the lists already show the folder the program was started in, and opening that
  // folder raises no change; its roster is built all the same.
  if (opened && rosterOwed_) File1_PathChange();
  return opened;
}

void FrmMain::makeFamilyWindow() {
  familyWindow_ = new FamilyWindow(pictureDialogs_, this);
  familyWindow_->setLooksChecker(
      [this](const BodyLooks& looks, const std::filesystem::path& folder) {
        return checkLooks(looks, folder);
      });
  connect(familyWindow_, &FamilyWindow::mainWindowWanted, this, &FrmMain::showFromFamilyWindow);
  // Alone, the family window is the program: closing it ends the program.
  connect(familyWindow_, &FamilyWindow::closed, this, [this] {
    if (!isVisible()) Command1_Click();
  });
}

bool FrmMain::openPath(const std::filesystem::path& path) {
  std::string shown = "\"";
  shown.append(platform::DisplayName(path)).append("\"");
  const auto refuse = [this](const std::string& why) {
    if (services_.tellUser) services_.tellUser(why);
    return false;
  };
  // A file that may be a family export can settle the language it is read in.
  std::error_code ec;
  if (!language_.settled() && !std::filesystem::is_directory(path, ec) &&
      (HasFamilyExportName(path) || !IsCharacterFileName(path.filename()))) {
    language_.takeEvidence(NameTablesAt(path));
  }
  PathVerdict verdict = DecidePath(path, language_.slot());
  switch (verdict.kind) {
    case PathKind::Missing:
      return refuse("Cannot open " + shown + ": there is no such folder or file.");
    case PathKind::Folder: {
      // Opened by its absolute, normalised form: "." names no drive, and ".." after a link is
      // the link target's parent.
      const std::optional<std::filesystem::path> folder = platform::ResolveFolder(path);
      return (folder && openFolder(*folder)) ||
             refuse("Cannot open the folder " + shown + ": it cannot be read.");
    }
    case PathKind::FamilyExport:
      if (familyWindow_ == nullptr) makeFamilyWindow();
      familyWindow_->showFamily(
          QString::fromStdString(ShownFileName(path.filename())), std::move(*verdict.family),
          platform::ResolveFolder(path.parent_path().empty() ? std::filesystem::path(".")
                                                             : path.parent_path())
              .value_or(path.parent_path()));
      familyWindow_->show();
      // Brought forward again once the main window, shown after start-up, is up.
      QTimer::singleShot(0, familyWindow_, [window = familyWindow_] {
        window->raise();
        window->activateWindow();
      });
      return true;
    case PathKind::BadFamilyExport:
      return refuse("Cannot open the file " + shown + ": it is not a readable family export.");
    case PathKind::NotACharacterFile:
      return refuse("Cannot open " + shown +
                    ": it is not a character file (their names begin with \"User\").");
    case PathKind::CharacterFile:
      break;
  }
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (!std::filesystem::is_regular_file(status) || !std::ifstream(path, std::ios::binary)) {
    return refuse("Cannot open the file " + shown + ": it cannot be read.");
  }
  const std::filesystem::path folder = std::filesystem::absolute(path, ec).parent_path();
  if (!openFolder(folder)) {
    return refuse("Cannot open the folder of " + shown + ": it cannot be read.");
  }
  for (int index = 0; index < file1_->fileCount(); ++index) {
    if (file1_->fileName(index) != path.filename()) continue;
    // Cleared first, so that the file is read even when it is the one already chosen.
    file1_->setSelectedIndex(-1);
    file1_->setSelectedIndex(index);
    // The roster's line for the same file, so that the two lists agree from the start.
    list2_->showSelected(index);
    return true;
  }
  return refuse("Cannot open " + shown + ": it is not in its folder's list of character files.");
}

void FrmMain::dragEnterEvent(QDragEnterEvent* event) {
  // Held off during a read, like the lists a drop would change.
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!busy() && urls.size() == 1 && urls.first().isLocalFile()) event->acceptProposedAction();
}

void FrmMain::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (busy() || urls.size() != 1 || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  openPath(DroppedPath(urls.first()));
}

}  // namespace quill
