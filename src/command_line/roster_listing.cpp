#include "command_line/roster_listing.h"

#include "chunkfile/character_view.h"
#include "chunkfile/name_order.h"
#include "chunkfile/roster.h"
#include "inspect/inspector_view.h"
#include "inspect/show_chunk.h"
#include "platform/files.h"
#include "platform/picture.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// The window's lists without the window: the roster pass fills them exactly as it fills the
// window's, and the summary it would show is dropped.
class ListingView : public CharacterView, public InspectorView {
 public:
  ListingView(const fs::path& folder, std::vector<fs::path> files, const fs::path& scratchFolder,
              int languageSlot)
      : folder_(folder),
        files_(std::move(files)),
        scratchFolder_(scratchFolder),
        languageSlot_(languageSlot) {}

  std::vector<std::string> takeRoster() { return std::move(roster_); }

  // The lines' storage is kept from file to file: a folder's files have lines of like lengths.
  void clearChunkList() override { chunkLineCount_ = 0; }
  void appendChunkLine(const std::string& line) override {
    if (chunkLineCount_ == chunkLines_.size()) chunkLines_.emplace_back();
    chunkLines_[chunkLineCount_++].assign(line);
  }
  int chunkLineCount() const override { return static_cast<int>(chunkLineCount_); }
  std::string chunkLine(int index) const override {
    return chunkLines_.at(static_cast<std::size_t>(index));
  }
  void selectChunkLine(int index) override {
    ShowChunk(index + 1,
              InspectorContext{state_, resourceMap_, scratchFolder_, *this, languageSlot_});
  }
  fs::path folderPath() const override { return folder_; }
  int fileCount() const override { return static_cast<int>(files_.size()); }
  fs::path fileName(int index) const override { return files_.at(static_cast<std::size_t>(index)); }
  // Choosing a file would only show it; there is nothing to show it on.
  int selectedFile() const override { return selectedFile_; }
  void selectFile(int index) override { selectedFile_ = index; }
  void clearRoster() override { roster_.clear(); }
  void appendRosterLine(const std::string& name) override { roster_.push_back(name); }
  int rosterLineCount() const override { return static_cast<int>(roster_.size()); }
  int selectedRosterLine() const override { return selectedRosterLine_; }
  void selectRosterLine(int index) override { selectedRosterLine_ = index; }
  void setNameCaption(const std::string&) override {}
  void setDescription(const std::string&) override {}
  void clearPicture() override {}
  void markSpeechLargeOption() override {}
  void letEventsRun() override {}
  // Loaded all the same: whether the loader takes a picture decides whether the inspector goes
  // on to look for a name in its chunk.
  bool showPictureFile(const fs::path& file) override {
    return platform::LoadPicture(file).has_value();
  }

  CharacterState& state() { return state_; }

 private:
  fs::path folder_;
  std::vector<fs::path> files_;
  const fs::path& scratchFolder_;
  int languageSlot_;
  CharacterState state_;
  ResourceMapTable resourceMap_;
  std::vector<std::string> chunkLines_;
  std::size_t chunkLineCount_ = 0;
  std::vector<std::string> roster_;
  int selectedFile_ = -1;
  int selectedRosterLine_ = -1;
};

}  // namespace

std::optional<std::vector<RosterEntry>> ListRoster(const fs::path& folder,
                                                   const fs::path& scratchFolder,
                                                   int languageSlot) {
  const std::optional<fs::path> resolved = platform::ResolveFolder(folder);
  if (!resolved) return std::nullopt;
  std::optional<std::vector<fs::path>> files = ListCharacterFiles(*resolved);
  if (!files) return std::nullopt;
  ListingView view(*resolved, *files, scratchFolder, languageSlot);
  BuildRoster(view.state(), view);
  const std::vector<std::string> names = view.takeRoster();
  const auto& guids = view.state().RosterGuids;
  std::vector<RosterEntry> roster;
  for (std::size_t index = 0; index < files->size() && index < names.size(); ++index) {
    roster.push_back({std::move((*files)[index]), names[index],
                      index < guids.size() ? guids[index] : std::nullopt});
  }
  return roster;
}

std::string FormatRoster(const std::vector<RosterEntry>& roster) {
  std::string text;
  for (const RosterEntry& entry : roster) {
    text += platform::DisplayName(entry.file) + '\t' + entry.name + '\n';
  }
  return text;
}

}  // namespace quill
