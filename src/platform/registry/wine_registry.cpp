// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry/wine_registry.h"

#include <algorithm>

#include "platform/registry/key_text_search.h"
#include "platform/text.h"

namespace quill::platform::registry {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

bool OnlyBlanks(std::string_view text) {
  return TrimLeft(text).empty();
}

// Appends one UTF-8 sequence from the front of `text` as UTF-16; a malformed one becomes '?'.
void AppendUtf8Char(std::string_view& text, std::u16string& out) {
  const std::optional<Utf8Char> decoded = DecodeUtf8Char(text);
  if (!decoded) {
    out.push_back(u'?');
    text.remove_prefix(1);
    return;
  }
  char32_t point = decoded->point;
  if (point >= 0x10000) {
    point -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(point));
  }
  text.remove_prefix(decoded->length);
}

// The one-letter escapes that stand for control characters; 0 for any other letter.
char16_t ControlEscape(char letter) {
  constexpr std::pair<char, char16_t> kEscapes[] = {{'a', u'\a'}, {'b', u'\b'}, {'e', u'\x1b'},
                                                    {'f', u'\f'}, {'n', u'\n'}, {'r', u'\r'},
                                                    {'t', u'\t'}, {'v', u'\v'}};
  for (const auto& [escape, control] : kEscapes) {
    if (escape == letter) return control;
  }
  return 0;
}

// Decodes a quoted string whose opening quote is already consumed, up to the unescaped `close`,
// with Wine's escapes: \a \b \e \f \n \r \t \v, octal \ooo, \xHHHH, and \c for any other c.
// Leaves `text` after the closing character; fails when there is none.
bool DecodeQuoted(std::string_view& text, char close, std::u16string& out) {
  while (!text.empty()) {
    const char c = text.front();
    if (c == close) {
      text.remove_prefix(1);
      return true;
    }
    if (static_cast<unsigned char>(c) >= 0x80) {
      AppendUtf8Char(text, out);
      continue;
    }
    text.remove_prefix(1);
    if (c != '\\') {
      out.push_back(static_cast<char16_t>(c));
      continue;
    }
    if (text.empty()) return false;
    const char e = text.front();
    text.remove_prefix(1);
    if (const char16_t control = ControlEscape(e); control != 0) {
      out.push_back(control);
      continue;
    }
    switch (e) {
      case 'x': {
        unsigned unit = 0;
        int digits = 0;
        for (; digits < 4 && !text.empty() && HexDigit(text.front()) >= 0; ++digits) {
          unit = unit * 16 + static_cast<unsigned>(HexDigit(text.front()));
          text.remove_prefix(1);
        }
        out.push_back(digits == 0 ? u'x' : static_cast<char16_t>(unit));
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          unsigned unit = static_cast<unsigned>(e - '0');
          for (int digits = 1;
               digits < 3 && !text.empty() && text.front() >= '0' && text.front() <= '7';
               ++digits) {
            unit = unit * 8 + static_cast<unsigned>(text.front() - '0');
            text.remove_prefix(1);
          }
          out.push_back(static_cast<char16_t>(unit));
        } else if (static_cast<unsigned char>(e) >= 0x80) {
          text = std::string_view(text.data() - 1, text.size() + 1);
          AppendUtf8Char(text, out);
        } else {
          out.push_back(static_cast<char16_t>(e));
        }
    }
  }
  return false;
}

// Reads a hexadecimal number of 1 to 8 digits.
bool ParseHexNumber(std::string_view& text, std::uint32_t& number) {
  number = 0;
  int digits = 0;
  for (; digits < 8 && !text.empty() && HexDigit(text.front()) >= 0; ++digits) {
    number = number << 4 | static_cast<std::uint32_t>(HexDigit(text.front()));
    text.remove_prefix(1);
  }
  return digits > 0;
}

// "39,30,ff" with optional blanks and a trailing comma; continuation lines are already joined.
bool ParseHexBytes(std::string_view text, std::string& bytes) {
  text = TrimLeft(text);
  while (!text.empty()) {
    int value = 0;
    int digits = 0;
    for (; digits < 2 && !text.empty() && HexDigit(text.front()) >= 0; ++digits) {
      value = value * 16 + HexDigit(text.front());
      text.remove_prefix(1);
    }
    if (digits == 0) return false;
    bytes.push_back(static_cast<char>(value));
    text = TrimLeft(text);
    if (text.empty()) break;
    if (text.front() != ',') return false;
    text = TrimLeft(text.substr(1));
  }
  return true;
}

bool IsStringType(std::uint32_t type) {
  return type == kTypeString || type == kTypeExpandString || type == kTypeMultiString;
}

// The data after "name=": "text", str:"text", str(T):"text", dword:N, hex:bytes or hex(T):bytes.
bool ParseData(std::string_view text, RegistryValue& value) {
  text = TrimLeft(text);
  bool quoted = false;
  if (text.starts_with('"')) {
    value.type = kTypeString;
    quoted = true;
  } else if (text.starts_with("str:\"")) {
    value.type = kTypeString;
    text.remove_prefix(4);
    quoted = true;
  } else if (text.starts_with("dword:")) {
    text.remove_prefix(6);
    std::uint32_t number = 0;
    if (!ParseHexNumber(text, number) || !OnlyBlanks(text)) return false;
    value.type = kTypeDword;
    for (int i = 0; i < 4; ++i) value.data.push_back(static_cast<char>(number >> (8 * i) & 0xFF));
    return true;
  } else if (text.starts_with("hex:")) {
    value.type = kTypeBinary;
    text.remove_prefix(4);
  } else if (text.starts_with("hex(") || text.starts_with("str(")) {
    quoted = text.front() == 's';
    text.remove_prefix(4);
    if (!ParseHexNumber(text, value.type) || !text.starts_with("):")) return false;
    text.remove_prefix(2);
    if (quoted && !text.starts_with('"')) return false;
  } else {
    return false;
  }

  if (quoted) {
    text.remove_prefix(1);
    std::u16string units;
    if (!DecodeQuoted(text, '"', units) || !OnlyBlanks(text)) return false;
    units.push_back(u'\0');  // the form always stands for a zero-terminated string
    value.data = Utf16ToAnsi(units);
    return true;
  }
  if (!ParseHexBytes(text, value.data)) return false;
  if (IsStringType(value.type)) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
      units.push_back(static_cast<char16_t>(static_cast<unsigned char>(value.data[i]) |
                                            static_cast<unsigned char>(value.data[i + 1]) << 8));
    }
    value.data = Utf16ToAnsi(units);
  }
  return true;
}

// FoldByte over `text`, into `out` (as long as `text`): cheap enough to run over whole files.
void FoldAscii(std::string_view text, char* out) {
  // Pointers of their own, so that the compiler need not fear that a write moves them.
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<char>(FoldByte(in[i]));
}

// Whether the line that ends at `lineBreak` continues onto the next: only a line ending in ",\"
// does, as Wine wraps long hex lists.
bool ContinuesBefore(std::string_view text, std::size_t lineBreak) {
  std::string_view line = text.substr(0, lineBreak);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line.ends_with(",\\");
}

// Collapses repeated and outer backslashes so that equal keys have one spelling.
std::string NormalisePath(std::string_view path) {
  std::string result;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) {
      if (!result.empty()) result.push_back('\\');
      result.append(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return result;
}

}  // namespace

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    auto& c = reinterpret_cast<unsigned char&>(folded[i]);
    if (c >= 0x80 && c <= 0x9E && c != 0x97 && i > 0 &&
        static_cast<unsigned char>(folded[i - 1]) == 0xC3) {
      c = static_cast<unsigned char>(c + 32);  // U+00C0..U+00DE, but not the multiplication sign
    } else {
      c = FoldByte(c);
    }
  }
  return folded;
}

std::string Utf16ToAnsi(std::u16string_view units) {
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t point = units[i];
    if (point >= 0xD800 && point <= 0xDFFF) {
      const bool paired = point < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                          units[i + 1] <= 0xDFFF;
      if (!paired) {
        out.push_back('?');
        continue;
      }
      point = 0x10000 + ((point - 0xD800) << 10) + (units[++i] - 0xDC00);
    }
    AppendUtf8(out, point);
  }
  return out;
}

WineKeyReader::WineKeyReader(std::string_view keyPath)
    : wanted_(FoldCase(NormalisePath(keyPath))), wantedName_(KeyLineText(keyPath)) {}

bool WineKeyReader::MayNameWantedKey(std::string_view line) {
  if (wantedName_.empty()) return true;
  folded_.resize(line.size());
  FoldAscii(line, folded_.data());
  return folded_.find(wantedName_) != std::string::npos;
}

bool WineKeyReader::Feed(std::string_view piece) {
  std::size_t plain = 0;  // bytes to read line by line before lines may be passed over again
  while (!piece.empty()) {
    if (!firstLine_ && !headerSeen_) return false;
    if (plain == 0 && MayPassOver()) {
      plain = PassOver(piece);
      continue;
    }
    const std::size_t before = piece.size();
    ReadPhysicalLine(piece);
    plain -= std::min(plain, before - piece.size());
  }
  return firstLine_ || headerSeen_;
}

void WineKeyReader::ReadPhysicalLine(std::string_view& piece) {
  const std::size_t end = std::min(piece.find('\n'), piece.size());
  const std::string_view part = piece.substr(0, end);
  if (physical_.size() + part.size() > kLongestRegistryLine) {
    physical_.append(part.substr(0, kLongestRegistryLine - physical_.size()));
    physicalOverlong_ = true;
  } else {
    physical_.append(part);
  }
  tail_.append(part.substr(part.size() - std::min<std::size_t>(part.size(), 3)));
  if (tail_.size() > 3) tail_.erase(0, tail_.size() - 3);
  if (end == piece.size()) {
    piece = {};
    return;
  }
  EndPhysicalLine(false);
  piece.remove_prefix(end + 1);
}

// Between whole lines, outside the wanted key and after the file's head, only a line that holds
// the key's name can change what is found.
bool WineKeyReader::MayPassOver() const {
  return headerSeen_ && keysBegun_ && !inKey_ && !continuing_ && tail_.empty() &&
         !wantedName_.empty();
}

std::size_t WineKeyReader::PassOver(std::string_view& piece) {
  // The key's name holds no line break, so a name cut at the piece's end lies in its last,
  // unfinished line, which is read line by line.
  const std::size_t name = FindFoldedText(piece, wantedName_);
  const std::size_t stop = name == std::string_view::npos ? piece.size() : name;
  // Whole lines only, and not a line that the next one continues: the continuation belongs to it.
  std::size_t passed = 0;
  for (std::size_t end = stop; end > 0;) {
    const std::size_t lineBreak = piece.rfind('\n', end - 1);
    if (lineBreak == std::string_view::npos) break;
    if (!ContinuesBefore(piece, lineBreak)) {
      passed = lineBreak + 1;
      break;
    }
    end = lineBreak;
  }
  piece.remove_prefix(passed);
  if (name == std::string_view::npos) return piece.size();
  const std::size_t lineEnd = piece.find('\n', name - passed);
  return lineEnd == std::string_view::npos ? piece.size() : lineEnd + 1;
}

WineKeyFound WineKeyReader::Finish() {
  EndPhysicalLine(true);
  return std::move(found_);
}

// Joins a line that ends in ",\" with the next one (minus its indentation), as Wine wraps long
// hex lists. A backslash elsewhere (a broken string value) must not pull the next key's line into
// this one.
void WineKeyReader::EndPhysicalLine(bool last) {
  std::string_view tail = tail_;
  std::string_view line = physical_;
  if (tail.ends_with('\r')) {
    tail.remove_suffix(1);
    if (!physicalOverlong_) line.remove_suffix(1);
  }
  if (continuing_) line = TrimLeft(line);
  const bool continues = !last && tail.ends_with(",\\");
  if (physicalOverlong_ || logical_.size() + line.size() > kLongestRegistryLine) {
    logicalOverlong_ = true;
  }
  if (!logicalOverlong_) logical_.append(line);
  physical_.clear();
  tail_.clear();
  physicalOverlong_ = false;
  if (continues) {
    if (!logicalOverlong_) logical_.pop_back();
    continuing_ = true;
    return;
  }
  TakeLine(logical_, logicalOverlong_);
  logical_.clear();
  logicalOverlong_ = false;
  continuing_ = false;
}

void WineKeyReader::TakeLine(std::string_view line, bool overlong) {
  lineBytes_ += line.size() + 1;
  if (firstLine_) {
    firstLine_ = false;
    // Wine refuses a file without its header; so do we.
    while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
    headerSeen_ = !overlong && line == "WINE REGISTRY Version 2";
    return;
  }
  if (!headerSeen_) return;
  // Wine writes the prefix's kind in the file's head; a line like it among the keys is not one.
  if (line.starts_with("#arch=")) {
    if (!keysBegun_) found_.is32BitPrefix = !overlong && line.substr(6) == "win32";
    return;
  }
  if (line.starts_with('[')) {
    keysBegun_ = true;
    // Values under a broken key name must not land in the key before it.
    inKey_ = false;
    line.remove_prefix(1);
    std::u16string units;
    // Most key lines are told apart without decoding them: the wanted key's name is not in them.
    if (overlong || wanted_.empty() || !MayNameWantedKey(line) || !DecodeQuoted(line, ']', units)) {
      return;
    }
    const std::string path = FoldCase(NormalisePath(Utf16ToAnsi(units)));
    inKey_ = path == wanted_;
    if (inKey_ || (path.starts_with(wanted_) && path.size() > wanted_.size() &&
                   path[wanted_.size()] == '\\')) {
      found_.exists = true;
    }
    return;
  }
  if (!inKey_ || overlong || !(line.starts_with('"') || line.starts_with('@'))) return;

  std::string name;
  const bool named = line.front() == '"';
  line.remove_prefix(1);
  if (named) {
    std::u16string units;
    if (!DecodeQuoted(line, '"', units)) return;
    name = Utf16ToAnsi(units);
  }
  line = TrimLeft(line);
  if (!line.starts_with('=')) return;
  RegistryValue value;
  if (!ParseData(line.substr(1), value)) return;
  // What a value costs: its name, its data and the table's own share.
  std::string folded = FoldCase(name);
  const auto cost = [&folded](const RegistryValue& of) {
    return 64 + folded.size() + of.data.size();
  };
  const auto old = found_.values.find(folded);
  const std::size_t kept = keptBytes_ - (old == found_.values.end() ? 0 : cost(old->second));
  if (kept + cost(value) > kLargestKeyValues) return;
  keptBytes_ = kept + cost(value);
  found_.values.insert_or_assign(std::move(folded), std::move(value));
}

WineKeyFound ReadWineKey(std::string_view text, std::string_view keyPath) {
  WineKeyReader reader(keyPath);
  reader.Feed(text);
  return reader.Finish();
}

std::string KeyLineText(std::string_view keyPath) {
  const std::string path = NormalisePath(keyPath);
  // The last two names, as the line of the key or of a key below it writes them: the longer
  // the text, the fewer bytes a search must look at.
  const std::size_t last = path.rfind('\\');
  const std::size_t start =
      last == std::string::npos || last == 0 ? 0 : path.rfind('\\', last - 1) + 1;
  std::string text;
  for (const char c : std::string_view(path).substr(start)) {
    // Wine escapes a backslash (so a separator is written twice), the brackets and every byte
    // outside printable ASCII in key names.
    if (c == '\\') {
      text += "\\\\";
      continue;
    }
    // A wrapped line is joined at a comma, so a name holding one may be split over two lines.
    if (c < ' ' || c > '~' || c == '[' || c == ']' || c == ',') return {};
    text.push_back(c);
  }
  return FoldCase(text);
}

}  // namespace quill::platform::registry
