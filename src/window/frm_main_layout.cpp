// SPDX-License-Identifier: GPL-3.0-or-later
// The window's fixed arrangement, in twips at 15 twips per logical pixel: the window looks the
// same on every screen, and Qt's high-DPI scaling takes care of denser ones.
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "window/centring.h"
#include "window/drive_list.h"
#include "window/file_list.h"
#include "window/folder_list.h"
#include "window/frm_main.h"
#include "window/frm_main_layout.h"
#include "window/image_types.h"
#include "window/selection_list.h"
#include "window/window_look.h"

namespace quill {

namespace {

template <typename Widget>
Widget* Place(Widget* widget, const char* name, TwipsRect place) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(place.pixels());
  return widget;
}

QGroupBox* Frame(QWidget* parent, const char* name, const char* caption, TwipsRect place) {
  auto* frame = Place(new QGroupBox(QString::fromLatin1(caption), parent), name, place);
  LookFrame(*frame);
  return frame;
}

QLabel* Label(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
              bool bold) {
  auto* label = Place(new QLabel(text, parent), name, {left, top, width, 255});
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

QPushButton* Command(QWidget* parent, const char* name, const char* caption, int top) {
  auto* button =
      Place(new QPushButton(QString::fromLatin1(caption), parent), name, {120, top, 2655, 255});
  LookGraphical(*button);
  return button;
}

}  // namespace

void FrmMain::buildControls() {
  setObjectName(QStringLiteral("FrmMain"));
  setWindowTitle(QStringLiteral("Quillmere"));
  setFixedSize(8550 / kTwipsPerPixel, 6390 / kTwipsPerPixel);
  setWindowIcon(WindowIcon());
  LookNavy(*this);

  frame2_ = Frame(this, "Frame2", "Select A Sim:", {120, 120, 2775, 2775});
  dir1_ = Place(new FolderList(frame2_), "Dir1", {120, 240, 2535, 2340});
  drive1_ = Place(new DriveList(frame2_), "Drive1", {120, 240, 2535, 315});
  drive1_->hide();

  nameofSim_ = Frame(this, "NameofSim", "Name:", {3000, 120, 5415, 2775});
  picture1_ = Place(new QLabel(nameofSim_), "Picture1", kPicture1Place);
  LookPictureBox(*picture1_);
  description_ = Place(new QPlainTextEdit(QStringLiteral("Text1"), nameofSim_), "Description",
                       kDescriptionPlace);
  description_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  description_->setReadOnly(true);
  LookSystem(*description_);
  frame5_ = Frame(nameofSim_, "Frame5", "Image Type:", kFrame5Place);
  optionGroup_ = new QButtonGroup(this);
  for (std::size_t i = 0; i < kImageTypes.size(); ++i) {
    const ImageType& type = kImageTypes[i];
    options_[i] = Place(new QRadioButton(QString::fromLatin1(type.caption), frame5_),
                        type.objectName, {120, 360 + 360 * static_cast<int>(i), 1815, 255});
    optionGroup_->addButton(options_[i], static_cast<int>(i));
  }

  frame4_ = Frame(this, "Frame4", "Sim Name:", {120, 3000, 2775, 2055});
  list2_ = Place(new SelectionList(frame4_), "List2", {120, 240, 2535, 1620});

  frame1_ = Frame(this, "Frame1", "File Name:", {3000, 3000, 2535, 2055});
  file1_ = Place(new FileList(frame1_), "File1", {120, 240, 2295, 1650});
  LookFileList(*file1_);

  frame3_ = Frame(this, "Frame3", "Character Properties:", {5640, 3000, 2775, 2055});
  list1_ = Place(new SelectionList(frame3_), "List1", {120, 240, 2535, 1620});

  for (QWidget* list : std::initializer_list<QWidget*>{dir1_, list2_, list1_}) LookSystem(*list);

  frame6_ = Frame(this, "Frame6", "About", {120, 5160, 8295, 1095});
  command2_ = Command(frame6_, "Command2", "Harrowfen", 240);
  command4_ = Command(frame6_, "Command4", "Tamblewick", 480);
  command1_ = Command(frame6_, "Command1", "Close", 720);
  Label(frame6_, "Label8", QStringLiteral("Quillmere"), 3000, 240, 1455, true);
  Label(frame6_, "Label7", QStringLiteral("ink@harrowfen.example"), 3000, 480, 1815, false);
  Label(frame6_, "Label6", QStringLiteral("On the web"), 5640, 240, 1815, true);
  Label(frame6_, "Label4", QStringLiteral("harrowfen.example"), 5640, 480, 1455, false);
  Label(frame6_, "Label5", QStringLiteral("tamblewick.example"), 5640, 720, 1815, false);
}

void FrmMain::setTabOrder() {
  picture1_->setFocusPolicy(Qt::StrongFocus);
  const std::initializer_list<QWidget*> order = {picture1_, dir1_,        file1_,      list1_,
                                                 list2_,    description_, options_[0], command4_,
                                                 command2_, command1_};
  QWidget* previous = nullptr;
  for (QWidget* widget : order) {
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
  for (std::size_t i = 1; i < options_.size(); ++i) {
    QWidget::setTabOrder(options_[i - 1], options_[i]);
  }
  QWidget::setTabOrder(options_.back(), command4_);
}

}  // namespace quill
