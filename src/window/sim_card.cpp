// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/sim_card.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "window/focus_ring.h"
#include "window/qt_text.h"
#include "window/sharp_picture.h"
#include "window/sim_card_looks.h"
#include "window/sim_card_view.h"

namespace quill {

namespace {

constexpr int kPortraitZoom = 2;
constexpr QSize kPortraitRoom(256, 256);
constexpr int kLargestPoints = 10;
constexpr int kNarrowest = 420;
// What a window's title bar and borders take of the screen's height, at most.
constexpr int kFrameAllowance = 64;

QLabel* Line(const QString& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

QString Capitalised(const char* word) {
  QString text = QString::fromLatin1(word);
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  return text;
}

// "Human, female · adult · Virgo"; a pet's has neither age nor sign.
QString KindLine(const SimProfile& sim) {
  QStringList parts;
  if (sim.kind) {
    parts << Capitalised(SpeciesName(sim.kind->species)) + QStringLiteral(", ") +
                 QString::fromLatin1(GenderName(sim.kind->gender));
  }
  if (sim.age) parts << QString::fromLatin1(AgeName(*sim.age));
  if (sim.sign) parts << QString::fromLatin1(StarSignName(*sim.sign));
  return parts.join(QStringLiteral(" \u00b7 "));
}

QString Simoleons(std::int32_t amount) {
  return QStringLiteral("\u00a7") + QLocale(QLocale::English).toString(amount);
}

// One row per trait: its label, a bar of 0 to 10 and its points.
QGroupBox* Traits(const QString& title, const char* name, const std::vector<Trait>& traits,
                  QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(QString::fromLatin1(name));
  auto* grid = new QGridLayout(box);
  int row = 0;
  for (const Trait& trait : traits) {
    grid->addWidget(new QLabel(Text(trait.label), box), row, 0);
    auto* bar = new QProgressBar(box);
    bar->setRange(0, kLargestPoints);
    bar->setValue(std::clamp(trait.points, 0, kLargestPoints));
    bar->setTextVisible(false);
    bar->setFixedHeight(12);
    grid->addWidget(bar, row, 1);
    grid->addWidget(new QLabel(QString::number(trait.points), box), row, 2, Qt::AlignRight);
    ++row;
  }
  return box;
}

QStringList Joined(const std::vector<std::string>& names) {
  QStringList list;
  for (const std::string& name : names) list << Text(name);
  return list;
}

// All of the card when the screen has room for it; else as tall as the screen allows with room
// for the window's frame, the rest scrolled to. The width keeps room for the scroll bar.
QSize FittingSize(const QSize& content, const QScrollArea* scroll, const QScreen* screen) {
  const int bar = scroll->verticalScrollBar()->sizeHint().width();
  const int room = screen->availableGeometry().height() - kFrameAllowance;
  return {std::max(content.width() + bar, kNarrowest), std::min(content.height(), room)};
}

// The portrait, enlarged as pixel art but never beyond the room a portrait has: an export's
// thumbnail may claim to be as large as the loader allows.
QLabel* Portrait(const QImage& portrait, QWidget* parent) {
  auto* picture = Line(QString(), "SimCardPortrait", parent);
  if (!portrait.isNull()) {
    QSize shown = portrait.size() * kPortraitZoom;
    if (shown.width() > kPortraitRoom.width() || shown.height() > kPortraitRoom.height()) {
      shown.scale(kPortraitRoom, Qt::KeepAspectRatio);
    }
    picture->setPixmap(SharpPixmap(portrait, shown, picture->devicePixelRatioF()));
  }
  return picture;
}

}  // namespace

SimCard::SimCard(const PictureDialogs& dialogs, QWidget* owner)
    : QWidget(owner, Qt::Window), dialogs_(dialogs) {
  setObjectName(QStringLiteral("SimCard"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("SimCardScroll"));
  scroll_->setWidgetResizable(true);
  scroll_->setFrameShape(QFrame::NoFrame);
  layout->addWidget(scroll_);
  new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
  focusRing_ = new FocusRing(*this);
}

void SimCard::showSim(const QString& name, const QImage& portrait, const SimProfile& sim,
                      const LooksVerdict& looks) {
  setWindowTitle(QString::fromUtf8(kAboutSim).arg(name).chopped(1));
  shown_ = new QWidget;
  auto* column = new QVBoxLayout(shown_);

  auto* top = new QHBoxLayout;
  QWidget* view = SimViewPanel(name, sim.looks, looks, dialogs_, shown_);
  top->addWidget(view != nullptr ? view : Portrait(portrait, shown_), 0, Qt::AlignTop);
  auto* heading = new QVBoxLayout;
  QLabel* nameLine = Line(name, "SimCardName", shown_);
  QFont large = nameLine->font();
  large.setBold(true);
  large.setPointSizeF(large.pointSizeF() * 1.4);
  nameLine->setFont(large);
  heading->addWidget(nameLine);
  const std::optional<std::string> family = sim.family ? sim.family->name : std::nullopt;
  if (family || sim.friends) {
    // Without a record, whether the Sim has a family is not known.
    heading->addWidget(Line(
        family ? QStringLiteral("The %1 family").arg(Text(*family)) : QStringLiteral("No family"),
        "SimCardFamily", shown_));
  }
  heading->addWidget(Line(KindLine(sim), "SimCardKind", shown_));
  if (sim.career) {
    // Only a job has a performance: not school, not being out of work.
    const QString performance =
        sim.career->level
            ? QStringLiteral(" \u00b7 job performance %1").arg(sim.career->performance)
            : QString();
    heading->addWidget(Line(Text(CareerText(*sim.career)) + performance, "SimCardCareer", shown_));
  }
  // The lines stay together at the top beside a view taller than they are.
  heading->addStretch(1);
  top->addLayout(heading, 1);
  column->addLayout(top);
  // Why the Sim is not drawn, across the card: the reason may be a long one.
  if (const QString reason = NoViewReason(looks); view == nullptr && !reason.isEmpty()) {
    column->addWidget(Line(reason, "SimCardViewReason", shown_));
  }

  if (!sim.personality.empty() || !sim.skills.empty()) {
    auto* traits = new QHBoxLayout;
    traits->addWidget(
        Traits(QStringLiteral("Personality"), "SimCardPersonality", sim.personality, shown_));
    traits->addWidget(Traits(QStringLiteral("Skills"), "SimCardSkills", sim.skills, shown_));
    column->addLayout(traits);
  }
  if (sim.friends) {
    const QStringList friends = Joined(*sim.friends);
    column->addWidget(
        Line(QStringLiteral("Friends: ") +
                 (friends.isEmpty() ? QStringLiteral("none") : friends.join(QStringLiteral(", "))),
             "SimCardFriends", shown_));
  }
  if (sim.family) {
    const Household& household = *sim.family;
    column->addWidget(
        Line(QStringLiteral("Family: ") + Text(MembersLine(household)), "SimCardMembers", shown_));
    const QString house = household.house == 0 ? QStringLiteral("no house")
                                               : QStringLiteral("house %1").arg(household.house);
    const QString friends = household.friends == 1
                                ? QStringLiteral("1 family friend")
                                : QStringLiteral("%1 family friends").arg(household.friends);
    column->addWidget(Line(QStringLiteral("Cash %1 \u00b7 %2 \u00b7 %3")
                               .arg(Simoleons(household.cash), house, friends),
                           "SimCardHousehold", shown_));
  }
  if (!sim.missing.empty()) {
    QLabel* missing = Line(Text(sim.missing), "SimCardMissing", shown_);
    QFont italic = missing->font();
    italic.setItalic(true);
    missing->setFont(italic);
    column->addWidget(missing);
  }
  if (sim.looks) column->addWidget(LooksBox(*sim.looks, looks, shown_));
  column->addStretch(1);
  // The Sim shown before goes with its widget; the ring around its focused control stays.
  focusRing_->hide();
  focusRing_->setParent(this);
  scroll_->setWidget(shown_);
  if (!isVisible()) resize(FittingSize(shown_->sizeHint(), scroll_, screen()));
}

}  // namespace quill
