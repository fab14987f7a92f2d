// SPDX-License-Identifier: GPL-3.0-or-later
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <string>

#include "platform/code_page.h"

namespace quill::platform {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

std::string Replacements(std::size_t count) {
  std::string text;
  text.reserve(count * kReplacement.size());
  for (std::size_t i = 0; i < count; ++i) text += kReplacement;
  return text;
}

// One decoder, writing into a small piece of memory and from there onto `text`, so that a long
// input costs its output and no more.
class Decoder {
 public:
  explicit Decoder(iconv_t decoder) : decoder_(decoder) {}
  ~Decoder() { iconv_close(decoder_); }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  // Decodes from `in` onto `text` until the input ends or a byte fails; 0, or why it stopped.
  int decode(std::string& text, char** in, std::size_t* inLeft) {
    for (;;) {
      char* out = piece_.data();
      std::size_t outLeft = piece_.size();
      const std::size_t result = iconv(decoder_, in, inLeft, &out, &outLeft);
      const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
      text.append(piece_.data(), static_cast<std::size_t>(out - piece_.data()));
      if (error != E2BIG) return error;
    }
  }
  // Writes what the decoder holds back (Hebrew's holds a letter in case a mark follows).
  void flush(std::string& text) { decode(text, nullptr, nullptr); }

 private:
  iconv_t decoder_;
  std::array<char, 4096> piece_{};
};

}  // namespace

std::string CodePageToUtf8(std::string_view bytes, unsigned codePage) {
  // Every code page the game uses reads bytes below 0x80 as ASCII; most names are only that, and
  // opening a decoder costs more than the name.
  if (std::all_of(bytes.begin(), bytes.end(),
                  [](char byte) { return static_cast<unsigned char>(byte) < 0x80; })) {
    return std::string(bytes);
  }
  const std::string name = "CP" + std::to_string(codePage);
  const iconv_t opened = iconv_open("UTF-8", name.c_str());
  if (opened == reinterpret_cast<iconv_t>(-1)) return Replacements(bytes.size());
  Decoder decoder(opened);

  std::string text;
  text.reserve(bytes.size());
  char* in = const_cast<char*>(bytes.data());  // iconv's interface is not const, it only reads
  std::size_t inLeft = bytes.size();
  // An undefined byte (EILSEQ) or a sequence cut off by the end (EINVAL): its first byte is
  // marked, and decoding goes on after it.
  while (decoder.decode(text, &in, &inLeft) != 0 && inLeft > 0) {
    decoder.flush(text);
    text += kReplacement;
    ++in;
    --inLeft;
  }
  decoder.flush(text);
  return text;
}

}  // namespace quill::platform
