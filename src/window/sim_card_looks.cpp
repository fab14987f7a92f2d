// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/sim_card_looks.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

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

QString Mark(bool right) {
  return right ? QStringLiteral("\u2713 ") : QStringLiteral("\u2717 ");
}

// Under a part: "✓ mesh GameData/Skins/x.bmf" for each file found, then "✗ ..." for each
// problem. Paths stay on one line each; a problem, a sentence or two, wraps at the width they
// give the card.
QWidget* PartValue(const QString& worn, const std::optional<content::LooksCheck>& check, int string,
                   QWidget* parent) {
  QString found = worn;
  QString problems;
  const content::PartCheck* part = nullptr;
  if (check) {
    for (const content::PartCheck& checked : check->parts)
      if (checked.string == string) part = &checked;
  }
  if (part != nullptr) {
    const auto add = [&found](const char* what, const std::string& place) {
      found += QLatin1Char('\n') + Mark(true) + QLatin1String(what) + Text(place);
    };
    if (!part->files.suit.empty()) add(string == 0 ? "skeleton " : "suit ", part->files.suit);
    for (const std::string& mesh : part->files.meshes) add("mesh ", mesh);
    for (const std::string& texture : part->files.textures) add("texture ", texture);
    for (const content::Problem& problem : part->problems)
      problems += (problems.isEmpty() ? QString() : QStringLiteral("\n")) + Mark(false) +
                  Text(problem.text);
  }
  if (problems.isEmpty()) return Value(found, parent);
  auto* value = new QWidget(parent);
  auto* lines = new QVBoxLayout(value);
  lines->setContentsMargins(0, 0, 0, 0);
  lines->setSpacing(0);
  lines->addWidget(Value(found, value));
  QLabel* wrapped = Value(problems, value);
  wrapped->setWordWrap(true);
  lines->addWidget(wrapped);
  return value;
}

}  // namespace

QGroupBox* LooksBox(const BodyLooks& looks, const LooksVerdict& verdict, QWidget* parent) {
  auto* box = new QGroupBox(QStringLiteral("Looks (mesh \u00b7 texture)"), parent);
  box->setObjectName(QStringLiteral("SimCardLooks"));
  auto* form = new QFormLayout(box);
  const std::optional<content::LooksCheck>& check = verdict.check;
  if (check || !verdict.unchecked.empty()) {
    QLabel* summary =
        Value(check ? Mark(check->right) + Text(check->summary) : Text(verdict.unchecked), box);
    summary->setObjectName(QStringLiteral("SimCardLooksSummary"));
    summary->setWordWrap(true);
    form->addRow(summary);
  }
  const auto garment = [&](const QString& label, int string, const std::optional<Garment>& worn) {
    form->addRow(label, PartValue(Worn(worn), check, string, box));
  };
  garment(QStringLiteral("Body:"), 1, looks.body);
  // A pet's body is all there is of it: no head is stored and its skin tone is "unk".
  const bool pet = looks.skeleton == "dog" || looks.skeleton == "kat";
  if (!pet || looks.head) garment(QStringLiteral("Head:"), 2, looks.head);
  if (!pet) form->addRow(QStringLiteral("Skin tone:"), Value(SkinTone(looks.skinTone), box));
  if (check && !check->parts.empty() && check->parts.front().string == 0) {
    form->addRow(QStringLiteral("Skeleton:"), PartValue(Text(looks.skeleton), check, 0, box));
  }
  for (const Outfit& outfit : looks.outfits) {
    const std::string part = content::PartName(outfit.index, outfit.garment.mesh);
    const QString label = part.empty()
                              ? QStringLiteral("Outfit:")
                              : Text(part).left(1).toUpper() + Text(part).mid(1) + QLatin1Char(':');
    garment(label, outfit.index, outfit.garment);
  }
  return box;
}

}  // namespace quill
