// SPDX-License-Identifier: GPL-3.0-or-later
// The viewer's one window.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "chunkfile/character_state.h"
#include "chunkfile/character_view.h"
#include "content/game_skins.h"
#include "inspect/inspector_view.h"
#include "inspect/language_choice.h"
#include "inspect/neighbourhood_files.h"
#include "inspect/resource_map.h"
#include "platform/files.h"
#include "window/input_gate.h"
#include "window/looks_verdict.h"
#include "window/picture_actions.h"
#include "window/platform_services.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace quill {

class DriveList;
class FileList;
class FolderList;
class PictureBoxActions;
class FamilyWindow;
class PictureSheet;
class SimCard;
class SelectionList;

inline constexpr const char* kFirstWebPage = "https://harrowfen.example/";
inline constexpr const char* kSecondWebPage = "https://tamblewick.example/";

class FrmMain : public QWidget, public CharacterView, public InspectorView {
  Q_OBJECT

 public:
  explicit FrmMain(PlatformServices services, QWidget* parent = nullptr);
  ~FrmMain() override;

  // Start-up: opens the game's characters folder and centres the window. Runs once, before the
  // window is first shown.
  void load();
  // Start-up on a folder or character file the player named, instead of the game's folder; when
  // `startPath` cannot be opened, the player is told and start-up goes on as load() does.
  void load(const std::filesystem::path& startPath);
  // Shows the main window after start-up, unless a family export named at start-up is shown
  // alone in the family window; that window then opens the main one when the player asks.
  void showAtStart();

  // Opens a folder, or the folder of a character file and then selects that file as a click in
  // File1 does, or a family export in the family window. A path that does not exist, cannot be
  // read or is neither changes nothing: the player is told why, and the result is false.
  bool openPath(const std::filesystem::path& path);
  // The family window, once a family export has been opened.
  FamilyWindow* familyWindow() const { return familyWindow_; }

  const CharacterState& state() const { return state_; }
  const ResourceMapTable& resourceMap() const { return resourceMap_; }
  const std::filesystem::path& scratchFolder() const { return scratch_.path(); }
  bool busy() const { return busyDepth_ > 0; }
  // The questions saving a picture asks; tests answer them in the user's place.
  PictureDialogs& pictureDialogs() { return pictureDialogs_; }
  // Opens the picture sheet on the loaded file's pictures, or brings it forward.
  void showPictureSheet();
  // Opens the Sim card on the loaded Sim, or brings it forward.
  void showSimCard();

  // CharacterView and InspectorView.
  void clearChunkList() override;
  void appendChunkLine(const std::string& line) override;
  int chunkLineCount() const override;
  std::string chunkLine(int index) const override;
  void selectChunkLine(int index) override;
  std::filesystem::path folderPath() const override;
  int fileCount() const override;
  std::filesystem::path fileName(int index) const override;
  int selectedFile() const override;
  void selectFile(int index) override;
  void clearRoster() override;
  void appendRosterLine(const std::string& name) override;
  int rosterLineCount() const override;
  int selectedRosterLine() const override;
  void selectRosterLine(int index) override;
  void setNameCaption(const std::string& caption, const std::string& name) override;
  void setDescription(const std::string& text) override;
  void clearPicture() override;
  void markSpeechLargeOption() override;
  void letEventsRun() override;
  bool showPictureFile(const std::filesystem::path& file) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A folder or character file dropped on the window is opened as openPath() opens it.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // A read or search under way: user input to the lists and options is held off, and the
  // summary's texts reach the screen only at event turns and at the end, not once per file.
  class Busy {
   public:
    explicit Busy(FrmMain& window);
    ~Busy();
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    FrmMain& window_;
  };

  void startUp(const std::filesystem::path* startPath);
  void finishStartUp();
  void openGameFolder();
  void makeFamilyWindow();
  // Opens the main window on the game's Sims, at the family window's request.
  void showFromFamilyWindow();
  void centre();
  // Opens `folder` in the drive and folder lists, which build its roster when it is new to them.
  bool openFolder(const std::filesystem::path& folder);

  void buildControls();
  void connectHandlers();
  void setTabOrder();
  void showPicture(const QImage& picture);
  void showPendingSummary();
  // What the window offers a player beside its controls' events: picture sheet and picture
  // saving, list tooltips, the focus ring. Defined in frm_main_extras.cpp.
  void addPlayerAids();
  // Keeps an open picture sheet on the Sim now loaded.
  void followInPictureSheet();
  // The name the caption shows, as last set: the picture files are named after it.
  QString simName() const { return QString::fromStdString(simName_); }
  // The Sim card: shown on the Sim now loaded, kept on it while open. Defined in
  // frm_main_neighbourhood.cpp.
  void fillSimCard();
  // Checks a Sim's looks against the game of the Sims of `folder`.
  LooksVerdict checkLooks(const BodyLooks& looks, const std::filesystem::path& folder);
  void followInSimCard();
  // "About <name>..." on List2's and File1's lines: loads the line's Sim, then shows its card.
  void offerSimCard(QListWidget& list, const QPoint& at);
  // Dir1's menu, in a neighbourhood's Characters folder: "Neighbourhoods", each of the game's
  // neighbourhoods, opened as a double-click in Dir1 opens a folder.
  void offerNeighbourhoods(const QPoint& at);

  void Drive1_Change();
  void Dir1_Change();
  void File1_Click();
  void File1_PathChange();
  void List1_Click();
  void List2_Click();
  void Option_Click(int option);
  void Command1_Click();

  PlatformServices services_;
  // Settled at start-up, or by the first folder or family export whose files name someone.
  LanguageChoice language_;
  CharacterState state_;
  ResourceMapTable resourceMap_;
  platform::ScratchFolder scratch_;
  InputGate gate_;
  int busyDepth_ = 0;
  std::string simName_;
  // The lists begin on the folder the program was started in without its roster; start-up owes
  // the roster of the folder it opens until a roster pass has run.
  bool rosterOwed_ = true;
  std::optional<std::string> pendingCaption_;
  std::optional<std::string> pendingDescription_;
  QElapsedTimer sinceEventTurn_;

  QGroupBox* frame1_ = nullptr;
  QGroupBox* frame2_ = nullptr;
  QGroupBox* frame3_ = nullptr;
  QGroupBox* frame4_ = nullptr;
  QGroupBox* frame5_ = nullptr;
  QGroupBox* frame6_ = nullptr;
  QGroupBox* nameofSim_ = nullptr;
  DriveList* drive1_ = nullptr;
  FolderList* dir1_ = nullptr;
  FileList* file1_ = nullptr;
  SelectionList* list1_ = nullptr;
  SelectionList* list2_ = nullptr;
  QLabel* picture1_ = nullptr;
  QPlainTextEdit* description_ = nullptr;
  std::array<QRadioButton*, 6> options_{};
  QButtonGroup* optionGroup_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command4_ = nullptr;

  PictureDialogs pictureDialogs_ = SystemPictureDialogs();
  PictureBoxActions* pictureBox_ = nullptr;
  PictureSheet* pictureSheet_ = nullptr;
  NeighbourhoodFiles neighbourhoods_;
  content::GameSkins gameSkins_;
  SimCard* simCard_ = nullptr;
  FamilyWindow* familyWindow_ = nullptr;
};

}  // namespace quill
