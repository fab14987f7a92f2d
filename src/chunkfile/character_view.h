// SPDX-License-Identifier: GPL-3.0-or-later
// What the file routines need of the window: its lists, the summary and a turn of the event loop.
#pragma once

#include <filesystem>
#include <string>

namespace quill {

class CharacterView {
 public:
  virtual ~CharacterView() = default;

  // The chunk list. Selecting a line inspects its chunk before the call returns.
  virtual void clearChunkList() = 0;
  virtual void appendChunkLine(const std::string& line) = 0;
  virtual int chunkLineCount() const = 0;
  virtual std::string chunkLine(int index) const = 0;
  virtual void selectChunkLine(int index) = 0;

  // The folder and file lists. Selecting a file loads it before the call returns.
  virtual std::filesystem::path folderPath() const = 0;
  virtual int fileCount() const = 0;
  virtual std::filesystem::path fileName(int index) const = 0;
  virtual int selectedFile() const = 0;
  virtual void selectFile(int index) = 0;

  // The roster of names. Selecting a line loads its file before the call returns.
  virtual void clearRoster() = 0;
  virtual void appendRosterLine(const std::string& name) = 0;
  virtual int rosterLineCount() const = 0;
  virtual int selectedRosterLine() const = 0;
  virtual void selectRosterLine(int index) = 0;

  // The summary of the chosen Sim. The caption comes with the bare name it shows ("" for none).
  virtual void setNameCaption(const std::string& caption, const std::string& name) = 0;
  virtual void setDescription(const std::string& text) = 0;
  virtual void clearPicture() = 0;
  virtual void markSpeechLargeOption() = 0;

  // Lets pending window events run.
  virtual void letEventsRun() = 0;
};

}  // namespace quill
