// SPDX-License-Identifier: GPL-3.0-or-later
// A real viewer window, offscreen, over a folder of character files the test writes.
#pragma once

#include <gtest/gtest.h>

// The controls of the window, which the tests drive.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <fstream>
#include <functional>
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

inline testdata::Rgb ColourOf(const std::string& label) {
  std::uint8_t mix = 0;
  for (const char c : label)
    mix = static_cast<std::uint8_t>(mix * 31 + static_cast<unsigned char>(c));
  return {mix, static_cast<std::uint8_t>(255 - mix), 77};
}

// A character file whose portraits are one flat colour each, so tests can tell them apart.
inline testdata::CharacterFile SimWithPictures(const std::string& name, const std::string& about) {
  testdata::CharacterFile file;
  file.add({"OBJD", 128, 0x10, name, testdata::Bytes(40, 'o'), {}, {}})
      .add({"CTSS", 2000, 0x10, "", testdata::NameAndDescription(name, about), {}, {}});
  for (const char* label :
       {"faces", "rel. images", "newimage", "speech_med", "speech_large", "web_image"})
    file.add({"BMP_", 2001, 0x10, label, testdata::Bitmap(4, 3, ColourOf(label)), {}, {}});
  return file;
}

class Viewer : public ::testing::Test {
 protected:
  // The folder the viewer opens at start-up.
  const std::filesystem::path& folder() const { return folder_.path(); }
  void write(const std::string& name, const testdata::Bytes& bytes) const {
    std::ofstream(folder() / name, std::ios::binary) << bytes;
  }
  // `name` may lead through folders, which are made.
  void writeSim(const std::string& name, const std::string& sim,
                const std::string& about = "About") {
    std::filesystem::create_directories((folder() / name).parent_path());
    SimWithPictures(sim, about).write(folder() / name);
  }

  // Builds the window over folder() and runs its start-up, given the path on the command line.
  void open(const std::optional<std::filesystem::path>& startPath = {}) {
    services.gameDataFolder = [] { return std::string("C:\\Game\\"); };
    if (!services.startupFolder)
      services.startupFolder = [this](const std::string&) { return std::optional(folder()); };
    services.openWebPage = [this](const std::string& page) {
      openedPages.push_back(page);
      return 42;
    };
    services.endProgram = [this] { ++endings; };
    services.tellUser = [this](const std::string& text) { toldUser.push_back(text); };
    services.eventTurnIntervalMs = 0;
    window_ = std::make_unique<FrmMain>(services);
    startPath ? window_->load(*startPath) : window_->load();
    window_->showAtStart();
  }
  FrmMain& window() const { return *window_; }

  template <typename Widget>
  Widget* control(const char* name) const {
    auto* widget = window_->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QListWidget* list(const char* name) const { return control<QListWidget>(name); }
  Lines lines(const char* name) const {
    Lines texts;
    for (int row = 0; row < list(name)->count(); ++row)
      texts.push_back(list(name)->item(row)->text().toStdString());
    return texts;
  }
  std::string nameCaption() const { return control<QGroupBox>("NameofSim")->title().toStdString(); }
  std::string description() const {
    return control<QPlainTextEdit>("Description")->toPlainText().toStdString();
  }
  // The picture shown, or a null image.
  QImage picture() const { return control<QLabel>("Picture1")->pixmap().toImage(); }
  int selected(const char* name) const {
    const QList<QListWidgetItem*> items = list(name)->selectedItems();
    return items.isEmpty() ? -1 : list(name)->row(items.first());
  }

  // Clicks a line the way a user does.
  void click(const char* listName, int row) {
    QListWidget* widget = list(listName);
    QListWidgetItem* item = widget->item(row);
    ASSERT_NE(item, nullptr);
    // Lines added a moment ago may not be laid out yet.
    widget->doItemsLayout();
    widget->scrollToItem(item);
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {},
                      widget->visualItemRect(item).center());
  }
  // A user's double-click: a click, then the second press that makes it double.
  void doubleClick(const char* listName, int row) {
    click(listName, row);
    QListWidget* widget = list(listName);
    QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {},
                       widget->visualItemRect(widget->item(row)).center());
  }
  void clickOption(int number) {
    const std::string name = "Option" + std::to_string(number);
    QTest::mouseClick(control<QRadioButton>(name.c_str()), Qt::LeftButton);
  }
  // Drops `path` on the window as a file manager does.
  void drop(const std::filesystem::path& path) {
    QMimeData data;
#ifdef _WIN32
    data.setUrls({QUrl::fromLocalFile(QString::fromStdWString(path.wstring()))});
#else
    // A URL that percent-encodes the name's bytes.
    const QByteArray name = QByteArray::fromStdString(path.native());
    data.setData("text/uri-list", "file://" + name.toPercentEncoding("/") + "\r\n");
#endif
    QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window_.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent dropped({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window_.get(), &dropped);
  }
  // Right-clicks the folder list and hands its Neighbourhoods menu to `act` before it closes.
  void withNeighbourhoodsMenu(const std::function<void(QMenu*)>& act) {
    QTimer::singleShot(0, [&act] {
      QWidget* popup = QApplication::activePopupWidget();
      ASSERT_NE(popup, nullptr);
      act(popup->findChild<QMenu*>(QStringLiteral("Neighbourhoods")));
      popup->close();
    });
    emit control<FolderList>("Dir1")->customContextMenuRequested({5, 5});
    QCoreApplication::processEvents();
  }

  PlatformServices services;
  Lines openedPages;
  Lines toldUser;
  int endings = 0;

 private:
  platform::ScratchFolder folder_;
  std::unique_ptr<FrmMain> window_;
};

}  // namespace quill::test
