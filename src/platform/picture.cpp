// SPDX-License-Identifier: GPL-3.0-or-later
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

bool Admitted(const QSize& size, std::size_t byteCount) {
  if (!size.isValid() || size.isEmpty()) return false;
  const long long pixels = static_cast<long long>(size.width()) * size.height();
  return pixels <= kLargestPicturePixels &&
         (pixels <= kAlwaysAdmittedPixels ||
          pixels / kMostPixelsPerByte <= static_cast<long long>(byteCount));
}

// An image reader over bytes in memory, which it does not copy.
class MemoryReader {
 public:
  explicit MemoryReader(std::string_view bytes)
      : data_(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))),
        buffer_(&data_) {
    buffer_.open(QIODevice::ReadOnly);
    reader_.setDevice(&buffer_);
  }
  QImageReader& reader() { return reader_; }

 private:
  QByteArray data_;
  QBuffer buffer_;
  QImageReader reader_;
};

}  // namespace

std::optional<QImage> LoadPicture(const std::filesystem::path& file) {
  const std::optional<std::string> bytes = ReadWholeFile(file);
  if (!bytes) return std::nullopt;
  return DecodePicture(*bytes);
}

std::optional<QSize> StatedPictureSize(std::string_view bytes) {
  if (bytes.empty()) return std::nullopt;
  MemoryReader memory(bytes);
  QImageReader& reader = memory.reader();
  if (!IsPictureFormat(reader.format()) || !Admitted(reader.size(), bytes.size())) {
    return std::nullopt;
  }
  return reader.size();
}

std::optional<QImage> DecodePicture(std::string_view bytes) {
  if (!StatedPictureSize(bytes)) return std::nullopt;
  MemoryReader memory(bytes);
  QImageReader& reader = memory.reader();
  // A container (an icon) may still hold a larger picture than it states, so the decoder gets a
  // hard limit as well.
  reader.setAllocationLimit(static_cast<int>(kLargestPicturePixels * 4 / (1024 * 1024)));
  QImage picture = reader.read();
  if (picture.isNull() || !Admitted(picture.size(), bytes.size())) return std::nullopt;
  // Detach from the caller's bytes, which may die before the picture does.
  picture.detach();
  return picture;
}

QImage LargestPicture(const std::vector<std::string>& pictures) {
  const std::string* largest = nullptr;
  long long largestPixels = 0;
  for (const std::string& picture : pictures) {
    const std::optional<QSize> size = StatedPictureSize(picture);
    if (!size) continue;
    const long long pixels = static_cast<long long>(size->width()) * size->height();
    if (pixels > largestPixels) {
      largest = &picture;
      largestPixels = pixels;
    }
  }
  if (largest == nullptr) return {};
  const std::optional<QImage> decoded = DecodePicture(*largest);
  return decoded ? *decoded : QImage();
}

SaveResult SavePng(const QImage& picture, const std::filesystem::path& file,
                   WhenNameTaken whenTaken) {
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG")) {
    return {SaveResult::kFailed, "The picture could not be made into a PNG file."};
  }
  return SaveWholeFile(file, std::string_view(png.constData(), png.size()), whenTaken);
}

}  // namespace quill::platform
