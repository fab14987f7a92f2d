// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/family_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/picture.h"
#include "window/focus_ring.h"
#include "window/qt_text.h"
#include "window/sharp_picture.h"
#include "window/sim_card.h"

namespace quill {

namespace {

constexpr int kThumbnailZoom = 2;
constexpr int kThumbnailSide = 25;
constexpr QSize kThumbnailRoom(kThumbnailSide* kThumbnailZoom, kThumbnailSide* kThumbnailZoom);
// The house's picture is drawn no larger than this.
constexpr QSize kHouseRoom(192, 144);
constexpr int kWindowWidth = 620;
// What a window's title bar and borders take of the screen's height, at most.
constexpr int kFrameAllowance = 64;
// A biography is shown on one line of its row; its tooltip holds this much more of it.
constexpr qsizetype kLongestTooltip = 600;
enum Column { kPicture, kName, kBiography };

QString Simoleons(std::int32_t amount) {
  return QStringLiteral("\u00a7") + QLocale(QLocale::English).toString(amount);
}

QString MemberCount(std::size_t count) {
  return count == 1 ? QStringLiteral("1 member") : QStringLiteral("%1 members").arg(count);
}

QTableWidgetItem* Cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return item;
}

}  // namespace

QImage ThumbnailOf(const FamilyMember& member) {
  const std::optional<QImage> picture = platform::DecodePicture(member.thumbnail);
  return picture ? *picture : QImage();
}

QSize ShownThumbnailSize(QSize thumbnail) {
  if (thumbnail.width() <= kThumbnailSide && thumbnail.height() <= kThumbnailSide) {
    return thumbnail * kThumbnailZoom;
  }
  return thumbnail.scaled(kThumbnailRoom, Qt::KeepAspectRatio);
}

FamilyWindow::FamilyWindow(const PictureDialogs& dialogs, QWidget* owner)
    : QWidget(owner, Qt::Window), dialogs_(dialogs) {
  setObjectName(QStringLiteral("FamilyWindow"));
  auto* layout = new QVBoxLayout(this);
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("FamilyName"));
  heading_->setTextFormat(Qt::PlainText);
  QFont large = heading_->font();
  large.setPointSizeF(large.pointSizeF() * 1.4);
  large.setBold(true);
  heading_->setFont(large);
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("FamilySummary"));
  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("FamilyProblem"));
  problem_->setTextFormat(Qt::PlainText);
  problem_->setWordWrap(true);
  noSims_ = new QLabel(QStringLiteral("This export holds a house and no Sims"), this);
  noSims_->setObjectName(QStringLiteral("FamilyNoSims"));
  members_ = new QTableWidget(0, 3, this);
  members_->setObjectName(QStringLiteral("FamilyMembers"));
  members_->setHorizontalHeaderLabels(
      {QString(), QStringLiteral("Name"), QStringLiteral("Biography")});
  members_->verticalHeader()->hide();
  members_->setSelectionBehavior(QAbstractItemView::SelectRows);
  members_->setSelectionMode(QAbstractItemView::SingleSelection);
  members_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  members_->setIconSize(kThumbnailRoom);
  // One line per biography, so that each row is as tall as its thumbnail and a family of eight
  // fits the screen; the whole of it is on the member's card.
  members_->setWordWrap(false);
  members_->setTextElideMode(Qt::ElideRight);
  members_->horizontalHeader()->setSectionResizeMode(kBiography, QHeaderView::Stretch);
  house_ = new QLabel(this);
  house_->setObjectName(QStringLiteral("FamilyHouse"));
  house_->setToolTip(QStringLiteral("The family's house"));
  house_->setAlignment(Qt::AlignTop | Qt::AlignRight);
  mainWindow_ = new QPushButton(QStringLiteral("Browse Sims\u2026"), this);
  mainWindow_->setObjectName(QStringLiteral("OpenMainWindow"));
  mainWindow_->hide();
  about_ = new QPushButton(QStringLiteral("About\u2026"), this);
  about_->setObjectName(QStringLiteral("AboutMember"));
  about_->setEnabled(false);
  // The family's words on the left, its house beside them, its members below.
  auto* words = new QVBoxLayout;
  words->addWidget(heading_);
  words->addWidget(summary_);
  words->addWidget(problem_);
  words->addWidget(noSims_);
  words->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addLayout(words, 1);
  top->addWidget(house_);
  layout->addLayout(top);
  layout->addWidget(members_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(mainWindow_);
  buttons->addStretch(1);
  buttons->addWidget(about_);
  layout->addLayout(buttons);
  // Enter, Return or a double-click open the member's card, as the platform's lists do; so does
  // Space, as it presses a button.
  connect(members_, &QAbstractItemView::activated, this,
          [this](const QModelIndex& index) { showMemberCard(index.row()); });
  new QShortcut(
      QKeySequence(Qt::Key_Space), members_, members_,
      [this] { showMemberCard(members_->currentRow()); }, Qt::WidgetShortcut);
  connect(members_, &QTableWidget::currentCellChanged, this, [this](int row) {
    const bool member = row >= 0 && static_cast<std::size_t>(row) < family_.members.size();
    about_->setEnabled(member);
    about_->setText(
        member
            ? QString::fromUtf8(kAboutSim).arg(Text(family_.members[row].name)).replace('&', "&&")
            : QStringLiteral("About\u2026"));
    // An open card follows the chosen member, as the main window's follows the chosen Sim.
    if (member && card_ != nullptr && card_->isVisible()) fillCard(row);
  });
  connect(about_, &QPushButton::clicked, this, [this] { showMemberCard(members_->currentRow()); });
  connect(mainWindow_, &QPushButton::clicked, this, &FamilyWindow::mainWindowWanted);
  new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
  new FocusRing(*this);
}

void FamilyWindow::showFamily(const QString& file, FamilyExport family,
                              std::filesystem::path folder) {
  folder_ = std::move(folder);
  family_ = std::move(family);
  const QString name = family_.name ? Text(*family_.name) : QStringLiteral("A family");
  setWindowTitle(name + QStringLiteral(" \u2013 ") + file);
  heading_->setText(family_.name ? QStringLiteral("The %1 family").arg(name) : name);
  QStringList summary;
  if (family_.family) summary << Simoleons(family_.family->cash);
  if (!family_.members.empty()) summary << MemberCount(family_.members.size());
  summary_->setText(summary.join(QStringLiteral(" \u00b7 ")));
  summary_->setVisible(!summary.isEmpty());
  problem_->setText(Text(family_.problem));
  problem_->setVisible(!family_.problem.empty());
  noSims_->setVisible(family_.members.empty());
  members_->setVisible(!family_.members.empty());
  about_->setVisible(!family_.members.empty());

  members_->clearContents();
  members_->setRowCount(static_cast<int>(family_.members.size()));
  int row = 0;
  for (const FamilyMember& member : family_.members) {
    auto* picture = Cell(QString());
    const QImage thumbnail = ThumbnailOf(member);
    // Kept at the size it is drawn, however large the export's picture.
    if (!thumbnail.isNull()) {
      picture->setIcon(SharpPixmap(thumbnail, ShownThumbnailSize(thumbnail.size()),
                                   members_->devicePixelRatioF()));
    }
    members_->setItem(row, kPicture, picture);
    members_->setItem(row, kName, Cell(Text(member.name)));
    QTableWidgetItem* biography = Cell(Text(member.biography));
    biography->setToolTip(biography->text().left(kLongestTooltip));
    members_->setItem(row, kBiography, biography);
    ++row;
  }
  members_->resizeColumnToContents(kPicture);
  members_->resizeColumnToContents(kName);
  members_->resizeRowsToContents();
  showHouse();
  if (row > 0) {
    members_->setCurrentCell(0, kName);
    members_->setFocus();
  }
  if (!isVisible()) fitToContent();
}

void FamilyWindow::showHouse() {
  const QImage picture = platform::LargestPicture(family_.housePictures);
  house_->setVisible(!picture.isNull());
  if (picture.isNull()) return house_->clear();
  QSize shown = picture.size();
  if (shown.width() > kHouseRoom.width() || shown.height() > kHouseRoom.height()) {
    shown.scale(kHouseRoom, Qt::KeepAspectRatio);
  } else {
    shown *= ZoomToFit(shown, kHouseRoom);
  }
  house_->setPixmap(SharpPixmap(picture, shown, house_->devicePixelRatioF()));
}

void FamilyWindow::fitToContent() {
  // Every row in view when the screen has room for them.
  int rows = members_->horizontalHeader()->sizeHint().height() + 2 * members_->frameWidth();
  for (int row = 0; row < members_->rowCount(); ++row) rows += members_->rowHeight(row);
  int height = layout()->sizeHint().height();
  if (members_->isVisibleTo(this)) height += std::max(0, rows - members_->sizeHint().height());
  if (const QScreen* shownOn = screen()) {
    height = std::min(height, shownOn->availableGeometry().height() - kFrameAllowance);
  }
  resize(kWindowWidth, height);
}

void FamilyWindow::offerMainWindow(bool offered) {
  mainWindow_->setVisible(offered);
}

void FamilyWindow::showMemberCard(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= family_.members.size()) return;
  fillCard(index);
  card_->show();
  card_->raise();
  card_->activateWindow();
}

void FamilyWindow::fillCard(int index) {
  const FamilyMember& member = family_.members[static_cast<std::size_t>(index)];
  if (card_ == nullptr) card_ = new SimCard(dialogs_, this);
  LooksVerdict looks;
  if (member.looks && checkLooks_) looks = checkLooks_(*member.looks, folder_);
  card_->showSim(Text(member.name), ThumbnailOf(member),
                 ProfileOf(family_.records, member.guid, MemberNames(family_), member.looks),
                 looks);
}

void FamilyWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

}  // namespace quill
