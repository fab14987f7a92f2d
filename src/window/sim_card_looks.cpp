// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/sim_card_looks.h"

#include <QFormLayout>
#include <QLabel>

#include "window/qt_text.h"

namespace quill {

namespace {

QLabel* Value(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

// "b006fafat_01 · B006FAFatlgt_TT1": the mesh, then its texture.
QString Worn(const std::optional<Garment>& garment) {
  if (!garment) return QStringLiteral("not stored");
  return Text(garment->mesh) + QStringLiteral(" \u00b7 ") + Text(garment->texture);
}

// The game's three skin tones in words; pets' "unk", and anything else, as stored.
QString SkinTone(const std::string& tone) {
  if (tone == "lgt") return QStringLiteral("light (lgt)");
  if (tone == "med") return QStringLiteral("medium (med)");
  if (tone == "drk") return QStringLiteral("dark (drk)");
  return tone.empty() ? QStringLiteral("not stored") : Text(tone);
}

}  // namespace

QGroupBox* LooksBox(const BodyLooks& looks, QWidget* parent) {
  auto* box = new QGroupBox(QStringLiteral("Looks (mesh \u00b7 texture)"), parent);
  box->setObjectName(QStringLiteral("SimCardLooks"));
  auto* form = new QFormLayout(box);
  form->addRow(QStringLiteral("Body:"), Value(Worn(looks.body), box));
  // A pet's body is all there is of it: no head is stored and its skin tone is "unk".
  const bool pet = looks.skeleton == "dog" || looks.skeleton == "kat";
  if (!pet || looks.head) form->addRow(QStringLiteral("Head:"), Value(Worn(looks.head), box));
  if (!pet) form->addRow(QStringLiteral("Skin tone:"), Value(SkinTone(looks.skinTone), box));
  for (const Outfit& outfit : looks.outfits) {
    form->addRow(QStringLiteral("Outfit:"), Value(Worn(outfit.garment), box));
  }
  return box;
}

}  // namespace quill
