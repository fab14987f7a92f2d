#include "viewer_fixture.h"

#include <QTest>
#include <fstream>

#include "window/image_types.h"

namespace quill::test {

using testdata::Bytes;

void Viewer::write(const std::string& name, const Bytes& bytes) const {
  std::ofstream(folder() / name, std::ios::binary) << bytes;
}

void Viewer::writeSim(const std::string& name, const std::string& sim, const std::string& about) {
  std::filesystem::create_directories((folder() / name).parent_path());
  SimWithPictures(sim, about).write(folder() / name);
}

void Viewer::open(const std::optional<std::filesystem::path>& startPath) {
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

Lines Viewer::lines(const char* name) const {
  Lines texts;
  QListWidget* widget = list(name);
  for (int row = 0; row < widget->count(); ++row)
    texts.push_back(widget->item(row)->text().toStdString());
  return texts;
}

int Viewer::selected(const char* name) const {
  const QList<QListWidgetItem*> items = list(name)->selectedItems();
  return items.isEmpty() ? -1 : list(name)->row(items.first());
}

void Viewer::click(const char* listName, int row) {
  QListWidget* widget = list(listName);
  QListWidgetItem* item = widget->item(row);
  ASSERT_NE(item, nullptr);
  // Lines added a moment ago may not be laid out yet.
  widget->doItemsLayout();
  widget->scrollToItem(item);
  QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, widget->visualItemRect(item).center());
}

void Viewer::doubleClick(const char* listName, int row) {
  click(listName, row);
  QListWidget* widget = list(listName);
  QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {},
                     widget->visualItemRect(widget->item(row)).center());
}

void Viewer::clickOption(int number) {
  const std::string name = "Option" + std::to_string(number);
  QTest::mouseClick(control<QRadioButton>(name.c_str()), Qt::LeftButton);
}

testdata::Rgb ColourOf(const std::string& label) {
  std::uint8_t mix = 0;
  for (const char c : label)
    mix = static_cast<std::uint8_t>(mix * 31 + static_cast<unsigned char>(c));
  return {mix, static_cast<std::uint8_t>(255 - mix), 77};
}

testdata::CharacterFile SimWithPictures(const std::string& name, const std::string& about) {
  testdata::CharacterFile file;
  file.add({"OBJD", 128, 0x10, name, Bytes(40, 'o'), {}, {}})
      .add({"CTSS", 2000, 0x10, "", testdata::NameAndDescription(name, about), {}, {}});
  for (const char* label :
       {"faces", "rel. images", "newimage", "speech_med", "speech_large", "web_image"}) {
    file.add({"BMP_", 2001, 0x10, label, testdata::Bitmap(4, 3, ColourOf(label)), {}, {}});
  }
  return file;
}

}  // namespace quill::test
