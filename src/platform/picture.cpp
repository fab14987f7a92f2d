#include "platform/picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "platform/files.h"

namespace quill::platform {

namespace {

// The formats a portrait is stored in; anything else in a chunk is not a portrait.
bool IsPictureFormat(const QByteArray& format) {
  return format == "bmp" || format == "gif" || format == "jpeg" || format == "jpg" ||
         format == "ico" || format == "cur";
}

bool WithinLimit(const QSize& size) {
  return size.isValid() && !size.isEmpty() &&
         static_cast<long long>(size.width()) * size.height() <= kLargestPicturePixels;
}

}  // namespace

std::optional<QImage> LoadPicture(const std::filesystem::path& file) {
  const std::optional<std::string> bytes = ReadWholeFile(file);
  if (!bytes) return std::nullopt;
  return DecodePicture(*bytes);
}

std::optional<QImage> DecodePicture(std::string_view bytes) {
  if (bytes.empty()) return std::nullopt;
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  if (!IsPictureFormat(reader.format())) return std::nullopt;
  // The stated size is checked first; a container (an icon) may still hold a larger picture
  // than it states, so the decoder gets a hard limit as well.
  if (!WithinLimit(reader.size())) return std::nullopt;
  reader.setAllocationLimit(static_cast<int>(kLargestPicturePixels * 4 / (1024 * 1024)));
  QImage picture = reader.read();
  if (picture.isNull() || !WithinLimit(picture.size())) return std::nullopt;
  // Detach from the caller's bytes, which may die before the picture does.
  picture.detach();
  return picture;
}

}  // namespace quill::platform
