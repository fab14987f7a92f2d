#include "window/family_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/picture.h"
#include "window/qt_text.h"
#include "window/sim_card.h"

namespace quill {

namespace {

constexpr int kThumbnailZoom = 2;
constexpr int kThumbnailSide = 25;
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

FamilyWindow::FamilyWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
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
  members_ = new QTableWidget(0, 3, this);
  members_->setObjectName(QStringLiteral("FamilyMembers"));
  members_->setHorizontalHeaderLabels(
      {QString(), QStringLiteral("Name"), QStringLiteral("Biography")});
  members_->verticalHeader()->hide();
  members_->setSelectionBehavior(QAbstractItemView::SelectRows);
  members_->setSelectionMode(QAbstractItemView::SingleSelection);
  members_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  members_->setIconSize(QSize(kThumbnailSide, kThumbnailSide) * kThumbnailZoom);
  members_->setWordWrap(true);
  members_->horizontalHeader()->setSectionResizeMode(kBiography, QHeaderView::Stretch);
  about_ = new QPushButton(QStringLiteral("About\u2026"), this);
  about_->setObjectName(QStringLiteral("AboutMember"));
  about_->setEnabled(false);
  layout->addWidget(heading_);
  layout->addWidget(summary_);
  layout->addWidget(problem_);
  layout->addWidget(members_, 1);
  layout->addWidget(about_, 0, Qt::AlignRight);
  connect(members_, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { showMemberCard(row); });
  connect(members_, &QTableWidget::currentCellChanged, this, [this](int row) {
    const bool member = row >= 0 && static_cast<std::size_t>(row) < family_.members.size();
    about_->setEnabled(member);
    about_->setText(
        member
            ? QString::fromUtf8(kAboutSim).arg(Text(family_.members[row].name)).replace('&', "&&")
            : QStringLiteral("About\u2026"));
  });
  connect(about_, &QPushButton::clicked, this, [this] { showMemberCard(members_->currentRow()); });
  new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
  resize(620, 420);
}

void FamilyWindow::showFamily(const QString& file, FamilyExport family) {
  family_ = std::move(family);
  const QString name = family_.name ? Text(*family_.name) : QStringLiteral("A family");
  setWindowTitle(name + QStringLiteral(" \u2013 ") + file);
  heading_->setText(family_.name ? QStringLiteral("The %1 family").arg(name) : name);
  QStringList summary;
  if (family_.family) summary << Simoleons(family_.family->cash);
  summary << MemberCount(family_.members.size());
  summary_->setText(summary.join(QStringLiteral(" \u00b7 ")));
  problem_->setText(Text(family_.problem));
  problem_->setVisible(!family_.problem.empty());

  members_->clearContents();
  members_->setRowCount(static_cast<int>(family_.members.size()));
  int row = 0;
  for (const FamilyMember& member : family_.members) {
    auto* picture = Cell(QString());
    const QImage thumbnail = ThumbnailOf(member);
    if (!thumbnail.isNull()) {
      picture->setIcon(QPixmap::fromImage(thumbnail.scaled(thumbnail.size() * kThumbnailZoom)));
    }
    members_->setItem(row, kPicture, picture);
    members_->setItem(row, kName, Cell(Text(member.name)));
    members_->setItem(row, kBiography, Cell(Text(member.biography)));
    ++row;
  }
  members_->resizeColumnToContents(kPicture);
  members_->resizeColumnToContents(kName);
  members_->resizeRowsToContents();
  if (row > 0) members_->setCurrentCell(0, kName);
}

void FamilyWindow::showMemberCard(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= family_.members.size()) return;
  const FamilyMember& member = family_.members[static_cast<std::size_t>(index)];
  if (card_ == nullptr) card_ = new SimCard(this);
  card_->showSim(Text(member.name), ThumbnailOf(member),
                 ProfileOf(family_.records, member.guid, MemberNames(family_)), member.looks);
  card_->show();
  card_->raise();
  card_->activateWindow();
}

}  // namespace quill
