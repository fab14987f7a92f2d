// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/sim_card_view.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <map>
#include <memory>

#include "render/outfits.h"
#include "window/qt_text.h"
#include "window/sim_view.h"

namespace quill {

namespace {

constexpr int kEveryday = 1;
// Room for the focus ring around the view and the controls under it.
constexpr int kRingRoom = 3;

using Dressed = std::shared_ptr<const render::DressedSim>;

}  // namespace

QWidget* SimViewPanel(const QString& name, const std::optional<BodyLooks>& looks,
                      const LooksVerdict& verdict, const PictureDialogs& dialogs, QWidget* parent) {
  if (!verdict.dress) return nullptr;
  const std::vector<render::OutfitName> outfits =
      looks ? render::OutfitsOf(*looks) : std::vector<render::OutfitName>();
  const int first = outfits.empty() ? kEveryday : outfits.front().string;
  const Dressed firstDressed = std::make_shared<const render::DressedSim>(verdict.dress(first));
  if (firstDressed->meshes.empty()) return nullptr;

  auto* panel = new QWidget(parent);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(kRingRoom, kRingRoom, kRingRoom, kRingRoom);
  auto* view = new SimView(panel);
  view->setFixedSize(view->sizeHint());
  view->setSim(firstDressed);
  column->addWidget(view);

  auto* chooser = new QComboBox(panel);
  chooser->setObjectName(QStringLiteral("SimCardOutfit"));
  chooser->setAccessibleName(QStringLiteral("Outfit"));
  for (const render::OutfitName& outfit : outfits) {
    chooser->addItem(QString::fromUtf8(outfit.name.data(), qsizetype(outfit.name.size())),
                     outfit.string);
  }
  chooser->setVisible(outfits.size() > 1);
  // Dressing reads the outfit's skin files, so each is dressed once, when first wanted.
  std::map<int, Dressed> dressed{{first, firstDressed}};
  QObject::connect(chooser, &QComboBox::currentIndexChanged, view,
                   [dress = verdict.dress, dressed, view, chooser](int index) mutable {
                     if (index < 0) return;
                     const int outfit = chooser->itemData(index).toInt();
                     Dressed& sim = dressed[outfit];
                     if (!sim) sim = std::make_shared<const render::DressedSim>(dress(outfit));
                     view->setSim(sim);
                   });
  column->addWidget(chooser);

  auto* save = new QPushButton(QString::fromUtf8(kSaveViewAs), panel);
  save->setObjectName(QStringLiteral("SimCardSaveView"));
  QObject::connect(save, &QPushButton::clicked, view, [view, name, &dialogs] {
    SavePictureAs(view, view->picture(), SimFileStem(name), dialogs);
  });
  column->addWidget(save);
  return panel;
}

QString NoViewReason(const LooksVerdict& verdict) {
  if (!verdict.unchecked.empty()) return Text(verdict.unchecked);
  return verdict.check ? Text(verdict.check->summary) : QString();
}

}  // namespace quill
