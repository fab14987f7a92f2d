// A real viewer window, offscreen, over a folder of character files the test writes.
#pragma once

#include <gtest/gtest.h>

// The controls of the window, which the tests drive.
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "character_builder.h"
#include "platform/files.h"
#include "window/file_list.h"
#include "window/folder_list.h"
#include "window/frm_main.h"

namespace quill::test {

using Lines = std::vector<std::string>;

class Viewer : public ::testing::Test {
 protected:
  // The folder the viewer opens at start-up.
  const std::filesystem::path& folder() const { return folder_.path(); }
  void write(const std::string& name, const testdata::Bytes& bytes) const;
  // `name` may lead through folders, which are made.
  void writeSim(const std::string& name, const std::string& sim,
                const std::string& about = "About");

  // Builds the window over folder() and runs its start-up, given the path on the command line.
  void open(const std::optional<std::filesystem::path>& startPath = {});
  FrmMain& window() const { return *window_; }

  template <typename Widget>
  Widget* control(const char* name) const {
    auto* widget = window_->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QListWidget* list(const char* name) const { return control<QListWidget>(name); }
  Lines lines(const char* name) const;
  std::string nameCaption() const { return control<QGroupBox>("NameofSim")->title().toStdString(); }
  std::string description() const {
    return control<QPlainTextEdit>("Description")->toPlainText().toStdString();
  }
  // The picture shown, or a null image.
  QImage picture() const { return control<QLabel>("Picture1")->pixmap().toImage(); }
  int selected(const char* name) const;

  // Clicks a line the way a user does.
  void click(const char* listName, int row);
  // A user's double-click: a click, then the second press that makes it double.
  void doubleClick(const char* listName, int row);
  void clickOption(int number);

  PlatformServices services;
  Lines openedPages;
  Lines toldUser;
  int endings = 0;

 private:
  platform::ScratchFolder folder_;
  std::unique_ptr<FrmMain> window_;
};

// A character file whose portraits are one flat colour each, so tests can tell them apart.
testdata::CharacterFile SimWithPictures(const std::string& name, const std::string& about);
testdata::Rgb ColourOf(const std::string& label);

}  // namespace quill::test
