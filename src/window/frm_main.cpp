// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/frm_main.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "chunkfile/chunk_walk.h"
#include "chunkfile/file_selection.h"
#include "chunkfile/roster.h"
#include "chunkfile/select_chunk_line.h"
#include "inspect/language_evidence.h"
#include "inspect/roster_entry.h"
#include "inspect/show_chunk.h"
#include "platform/picture.h"
#include "window/centring.h"
#include "window/drive_list.h"
#include "window/family_window.h"
#include "window/file_list.h"
#include "window/folder_list.h"
#include "window/frm_main_layout.h"
#include "window/image_types.h"
#include "window/picture_box.h"
#include "window/qt_text.h"
#include "window/selection_list.h"
#include "window/sharp_picture.h"

namespace quill {

namespace {

constexpr QRect kPictureBox = kPicture1Place.pixels();
// The free corner of the name frame: up to the image-type frame and down to the description.
constexpr QSize kLargestPictureBox(kFrame5Place.pixels().left() - kPictureBox.left(),
                                   kDescriptionPlace.pixels().top() - kPictureBox.top());

}  // namespace

FrmMain::FrmMain(PlatformServices services, QWidget* parent)
    : QWidget(parent),
      services_(std::move(services)),
      language_(services_.languageSlot, services_.languageGiven),
      gameSkins_(
          [find = services_.gameFolder](const std::filesystem::path& sims) {
            return find ? find(sims) : std::nullopt;
          },
          services_.namedGameFolder) {
  buildControls();
  setTabOrder();
  connectHandlers();
  for (QWidget* guarded : std::initializer_list<QWidget*>{file1_, list1_, list2_}) {
    gate_.guard(guarded);
    gate_.guard(static_cast<QAbstractScrollArea*>(guarded)->viewport());
  }
  for (QRadioButton* option : options_) gate_.guard(option);
  sinceEventTurn_.start();
  addPlayerAids();
  setAcceptDrops(true);
}

FrmMain::~FrmMain() = default;

FrmMain::Busy::Busy(FrmMain& window) : window_(window) {
  if (window_.busyDepth_++ > 0) return;
  window_.gate_.setClosed(true);
  // Scrolling to each line as it is selected would lay the list out once per file.
  window_.list1_->setAutoScroll(false);
}

FrmMain::Busy::~Busy() {
  if (--window_.busyDepth_ > 0) return;
  window_.gate_.setClosed(false);
  window_.list1_->setAutoScroll(true);
  window_.showPendingSummary();
  window_.followInPictureSheet();
  window_.followInSimCard();
}

void FrmMain::connectHandlers() {
  connect(drive1_, &DriveList::changed, this, &FrmMain::Drive1_Change);
  connect(dir1_, &FolderList::changed, this, &FrmMain::Dir1_Change);
  connect(file1_, &FileList::clicked, this, &FrmMain::File1_Click);
  connect(file1_, &FileList::pathChanged, this, &FrmMain::File1_PathChange);
  connect(list1_, &SelectionList::clicked, this, &FrmMain::List1_Click);
  connect(list2_, &SelectionList::clicked, this, &FrmMain::List2_Click);
  // clicked, not toggled: only the user's click searches, and a click on the marked option
  // searches again.
  connect(optionGroup_, &QButtonGroup::idClicked, this, &FrmMain::Option_Click);
  connect(command1_, &QPushButton::clicked, this, &FrmMain::Command1_Click);
  connect(command2_, &QPushButton::clicked, this, [this] { services_.openWebPage(kFirstWebPage); });
  connect(command4_, &QPushButton::clicked, this,
          [this] { services_.openWebPage(kSecondWebPage); });
}

void FrmMain::load() {
  startUp(nullptr);
}

void FrmMain::load(const std::filesystem::path& startPath) {
  startUp(&startPath);
}

void FrmMain::startUp(const std::filesystem::path* startPath) {
  options_[kSpeechLargeOption]->setChecked(true);
  // A family export opens in a window of its own, alone: the game's Sims are read only when the
  // player asks for the main window.
  if (startPath != nullptr && openPath(*startPath)) {
    if (familyWindow_ != nullptr) return familyWindow_->offerMainWindow(true);
  } else {
    openGameFolder();
  }
  finishStartUp();
}

void FrmMain::finishStartUp() {
  // From here on, opening the folder already open changes nothing.
  rosterOwed_ = false;
  centre();
}

void FrmMain::showAtStart() {
  // A roster still owed after start-up means a family export opened alone.
  if (familyWindow_ == nullptr || !rosterOwed_) show();
}

void FrmMain::showFromFamilyWindow() {
  if (rosterOwed_) {
    openGameFolder();
    finishStartUp();
  }
  familyWindow_->offerMainWindow(false);
  show();
  raise();
  activateWindow();
}

void FrmMain::openGameFolder() {
  const std::optional<platform::registry::FoundFolder> found =
      services_.startupFolder(services_.gameDataFolder());
  if (found) language_.takeGameLanguage(found->gameLanguage);
  if (found && openFolder(found->characters)) return;
  // No game folder: stay where we were started, but still show who lives here.
  if (file1_->fileCount() > 0) {
    File1_PathChange();
  } else if (services_.searchedPlaces) {
    setDescription("Quillmere found no Sims here, nor the game in " + services_.searchedPlaces() +
                   ". To open a folder, drop it on this window or start quillmere FOLDER.");
  }
}

void FrmMain::centre() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const auto centred = [](int screenPixels, int windowPixels) {
    return static_cast<int>(
        CentredPosition(screenPixels * kTwipsPerPixel, windowPixels * kTwipsPerPixel) /
        kTwipsPerPixel);
  };
  const QRect area = screen->geometry();
  const QSize outer = frameGeometry().size();
  move(area.left() + centred(area.width(), outer.width()),
       area.top() + centred(area.height(), outer.height()));
}

// Handlers.

void FrmMain::Drive1_Change() {
  dir1_->setPath(drive1_->drive());
}

void FrmMain::Dir1_Change() {
  if (!file1_->setPath(dir1_->path())) {
    // The folder went away between the two lists: keep both on the folder the file list shows.
    const QSignalBlocker quiet(dir1_);
    dir1_->setPath(file1_->path());
  }
}

void FrmMain::File1_Click() {
  const Busy busy(*this);
  LoadChosenFile(state_, *this);
}

void FrmMain::File1_PathChange() {
  rosterOwed_ = false;
  // Until the game or the files have settled the language, the first folder with names does.
  if (!language_.settled()) language_.takeEvidence(NameTablesAt(file1_->path()));
  const Busy busy(*this);
  BuildRoster(state_, *this, [slot = language_.slot()](std::string_view image) {
    RosterEntry entry = ReadRosterEntry(image, slot);
    return RosterLine{std::move(entry.name), entry.guid};
  });
}

void FrmMain::List1_Click() {
  ShowChunk(list1_->selectedIndex() + 1,
            InspectorContext{state_, resourceMap_, scratch_.path(), *this, language_.slot()});
}

void FrmMain::List2_Click() {
  LoadRosterChoice(*this);
}

void FrmMain::Option_Click(int option) {
  const Busy busy(*this);
  const ImageType& type = kImageTypes.at(static_cast<std::size_t>(option));
  if (SelectChunkLine(state_, *this, type.word) == SearchOutcome::kNoMatch &&
      type.fallbackWord != nullptr) {
    SelectChunkLine(state_, *this, type.fallbackWord);
  }
}

void FrmMain::Command1_Click() {
  scratch_.remove();
  services_.endProgram();
}

void FrmMain::closeEvent(QCloseEvent* event) {
  // The only window: closing it ends the program, even in the middle of a read.
  event->accept();
  Command1_Click();
}

// What the file routines and the inspector see of the window.

void FrmMain::clearChunkList() {
  list1_->clearLines();
}

void FrmMain::appendChunkLine(const std::string& line) {
  list1_->addItem(Text(line));
}

int FrmMain::chunkLineCount() const {
  return list1_->count();
}

std::string FrmMain::chunkLine(int index) const {
  return list1_->item(index)->text().toStdString();
}

void FrmMain::selectChunkLine(int index) {
  list1_->setSelectedIndex(index);
}

std::filesystem::path FrmMain::folderPath() const {
  return dir1_->path();
}

int FrmMain::fileCount() const {
  return file1_->fileCount();
}

std::filesystem::path FrmMain::fileName(int index) const {
  return file1_->fileName(index);
}

int FrmMain::selectedFile() const {
  return file1_->selectedIndex();
}

void FrmMain::selectFile(int index) {
  file1_->setSelectedIndex(index);
}

void FrmMain::clearRoster() {
  list2_->clearLines();
}

void FrmMain::appendRosterLine(const std::string& name) {
  list2_->addItem(Text(name));
}

int FrmMain::rosterLineCount() const {
  return list2_->count();
}

int FrmMain::selectedRosterLine() const {
  return list2_->selectedIndex();
}

void FrmMain::selectRosterLine(int index) {
  list2_->setSelectedIndex(index);
}

void FrmMain::setNameCaption(const std::string& caption, const std::string& name) {
  simName_ = name;
  pendingCaption_ = caption;
  if (!busy()) showPendingSummary();
}

void FrmMain::setDescription(const std::string& text) {
  pendingDescription_ = text;
  if (!busy()) showPendingSummary();
}

void FrmMain::showPendingSummary() {
  if (pendingCaption_) {
    // Doubled ampersands: a name is text to show, not a keyboard shortcut.
    nameofSim_->setTitle(Text(*pendingCaption_).replace(QLatin1Char('&'), QStringLiteral("&&")));
    pendingCaption_.reset();
  }
  if (pendingDescription_) {
    description_->setPlainText(Text(*pendingDescription_));
    pendingDescription_.reset();
  }
  if (QListWidgetItem* current = list1_->currentItem()) list1_->scrollToItem(current);
}

void FrmMain::clearPicture() {
  picture1_->setPixmap(QPixmap());
  pictureBox_->setPicture({}, {});
  picture1_->resize(kPictureBox.size());
}

void FrmMain::markSpeechLargeOption() {
  options_[kSpeechLargeOption]->setChecked(true);
}

void FrmMain::letEventsRun() {
  if (sinceEventTurn_.elapsed() < services_.eventTurnIntervalMs) return;
  // Timed from the start of the turn, so that a slow repaint does not stretch the wait after it.
  sinceEventTurn_.restart();
  // Start-up reads the whole roster before the window is first shown: a summary set then would
  // be laid out for nobody, again at every turn, and replaced before anyone could see it.
  if (isVisible()) showPendingSummary();
  QCoreApplication::processEvents();
}

bool FrmMain::showPictureFile(const std::filesystem::path& file) {
  const std::optional<QImage> picture = platform::LoadPicture(file);
  if (!picture) return false;
  showPicture(*picture);
  return true;
}

void FrmMain::showPicture(const QImage& picture) {
  const int border = 2 * picture1_->frameWidth();
  const QSize room = kLargestPictureBox - QSize(border, border);
  QSize shown = picture.size();
  if (shown.width() > room.width() || shown.height() > room.height()) {
    shown.scale(room, Qt::KeepAspectRatio);
  }
  // Pixel art: drawn without smoothing, at the screen's own resolution.
  picture1_->setPixmap(SharpPixmap(picture, shown, picture1_->devicePixelRatioF()));
  picture1_->resize(shown + QSize(border, border));
  const int row = list1_->selectedIndex() + 1;
  const QString label =
      row >= 1 && row <= kLastChunkRow ? Text(Cp1252ToUtf8(state_.ChunkTable[row].ChunkLabel)) : "";
  pictureBox_->setPicture(picture, PictureFileStem(simName(), label));
}

}  // namespace quill
