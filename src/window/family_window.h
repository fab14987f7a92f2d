// SPDX-License-Identifier: GPL-3.0-or-later
// The family window: who is in a family export, before the player imports it. The family's
// name, cash and members, one row each with thumbnail, name and biography, and the pictures of
// its house; each member's Sim card from the export's own records.
#pragma once

#include "window/looks_verdict.h"
#include "window/picture_actions.h"

#include <QImage>
#include <QWidget>

#include "inspect/family_export.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace quill {

class SimCard;

class FamilyWindow : public QWidget {
  Q_OBJECT

 public:
  // `dialogs` ask where the members' cards save their views.
  FamilyWindow(const PictureDialogs& dialogs, QWidget* owner);

  // Shows this export, titled by its family and file, in place of the one shown before.
  // `folder` is the export's own, whose game the members' looks are checked against.
  void showFamily(const QString& file, FamilyExport family, std::filesystem::path folder = {});
  void setLooksChecker(LooksChecker checker) { checkLooks_ = std::move(checker); }
  const FamilyExport& family() const { return family_; }
  // Opens the card of member `index` (from 0), or brings it forward on that member.
  void showMemberCard(int index);
  SimCard* card() const { return card_; }
  // Whether the window offers to open the main window, which it does while that is not shown.
  void offerMainWindow(bool offered);

 signals:
  void mainWindowWanted();
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void fillCard(int index);
  void showHouse();
  void fitToContent();

  FamilyExport family_;
  QLabel* heading_ = nullptr;
  QLabel* summary_ = nullptr;
  QLabel* problem_ = nullptr;
  QLabel* noSims_ = nullptr;
  QTableWidget* members_ = nullptr;
  QLabel* house_ = nullptr;
  QPushButton* mainWindow_ = nullptr;
  QPushButton* about_ = nullptr;
  SimCard* card_ = nullptr;
  std::filesystem::path folder_;
  LooksChecker checkLooks_;
  const PictureDialogs& dialogs_;
};

// A member's thumbnail, decoded by the picture loader; null when it holds none.
QImage ThumbnailOf(const FamilyMember& member);
// The size a thumbnail is drawn at in the family window: twice its own when it is no larger than
// the game's 25 x 25, else made to fit that room.
QSize ShownThumbnailSize(QSize thumbnail);

}  // namespace quill
