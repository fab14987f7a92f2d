// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/picture_files.h"

#include <QRegularExpression>
#include <system_error>

namespace quill {

namespace fs = std::filesystem;

namespace {

// Names Windows keeps for its devices, whatever extension follows them.
bool IsDeviceName(const QString& name) {
  static const QRegularExpression kDevice(
      QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9\u00b9\u00b2\u00b3]|LPT[1-9\u00b9\u00b2\u00b3]|"
                     "CONIN\\$|CONOUT\\$)$"),
      QRegularExpression::CaseInsensitiveOption);
  return kDevice.match(name.section(QLatin1Char('.'), 0, 0).trimmed()).hasMatch();
}

}  // namespace

QString PathText(const fs::path& file) {
  return QString::fromStdU16String(file.u16string());
}

fs::path PathFromText(const QString& text) {
  return fs::path(text.toStdU16String());
}

fs::path WithPngSuffix(const fs::path& file) {
  if (PathText(file.filename()).endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) return file;
  fs::path named = file;
  named += ".png";
  return named;
}

QString FileNameSafe(const QString& text) {
  static const QString kForbidden = QStringLiteral("<>:\"/\\|?*");
  QString safe = text;
  for (QChar& c : safe) {
    if (c.unicode() < 32 || c.unicode() == 127 || kForbidden.contains(c)) c = QLatin1Char('_');
  }
  while (safe.endsWith(QLatin1Char('.')) || safe.endsWith(QLatin1Char(' '))) safe.chop(1);
  if (safe.isEmpty() || IsDeviceName(safe)) safe.prepend(QLatin1Char('_'));
  return safe;
}

fs::path FreePngName(const fs::path& folder, const QString& stem) {
  fs::path file = folder / PathFromText(stem + QStringLiteral(".png"));
  for (int copy = 2; platform::NameTaken(file); ++copy) {
    file = folder / PathFromText(stem + QStringLiteral(" (%1).png").arg(copy));
  }
  return file;
}

}  // namespace quill
