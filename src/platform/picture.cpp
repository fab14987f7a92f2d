#include "platform/picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "platform/files.h"

namespace quill::platform {

std::optional<QImage> LoadPicture(const std::filesystem::path& file) {
  const std::optional<std::string> bytes = ReadWholeFile(file);
  if (!bytes || bytes->empty()) return std::nullopt;
  QByteArray data = QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) return std::nullopt;
  if (static_cast<long long>(size.width()) * size.height() > kLargestPicturePixels) {
    return std::nullopt;
  }
  QImage picture = reader.read();
  if (picture.isNull()) return std::nullopt;
  // Detach from the scratch bytes, which die with this call.
  picture.detach();
  return picture;
}

}  // namespace quill::platform
