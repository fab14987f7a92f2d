#include <iconv.h>

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

}  // namespace

std::string CodePageToUtf8(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  const std::string name = "CP" + std::to_string(codePage);
  iconv_t decoder = iconv_open("UTF-8", name.c_str());
  if (decoder == reinterpret_cast<iconv_t>(-1)) return Replacements(bytes.size());

  // The output never outgrows this buffer: iconv stops with E2BIG first.
  std::string text(bytes.size() * kUtf8BytesPerCodePageByte, '\0');
  char* in = const_cast<char*>(bytes.data());  // iconv's interface is not const, it only reads
  std::size_t inLeft = bytes.size();
  char* out = text.data();
  std::size_t outLeft = text.size();
  while (inLeft > 0) {
    if (iconv(decoder, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) break;
    // An undefined byte (EILSEQ) or a sequence cut off by the end (EINVAL): mark its first byte
    // and go on after it, once what the decoder holds back is written.
    if (errno == E2BIG || iconv(decoder, nullptr, nullptr, &out, &outLeft) != 0 ||
        outLeft < kReplacement.size()) {
      break;
    }
    kReplacement.copy(out, kReplacement.size());
    out += kReplacement.size();
    outLeft -= kReplacement.size();
    ++in;
    --inLeft;
  }
  // Some decoders (Hebrew's) hold the last character back, in case a mark follows to join it.
  iconv(decoder, nullptr, nullptr, &out, &outLeft);
  iconv_close(decoder);
  text.resize(static_cast<std::size_t>(out - text.data()));
  return text;
}

}  // namespace quill::platform
