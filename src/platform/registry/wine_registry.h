// Wine keeps a prefix's registry in text files (system.reg for HKEY_LOCAL_MACHINE, user.reg for
// HKEY_CURRENT_USER). This reads them as Wine itself does, so that the game's install folder can
// be found when it runs under Wine or Proton. A player may have dozens of prefixes with registry
// files of tens of megabytes, so a file is first searched for the key's name as plain text, and
// only a file that holds it is read line by line, keeping nothing but the values of that one key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/registry/registry.h"

namespace quill::platform::registry {

// Registry files of real prefixes are tens of megabytes at most; a larger one is not worth reading.
inline constexpr std::size_t kLargestRegistryFile = 256 * 1024 * 1024;
// Wine writes no longer line for any value we read (a folder's path is at most 260 characters);
// a longer line is skipped whole, so that one line cannot fill memory.
inline constexpr std::size_t kLongestRegistryLine = 64 * 1024;
// The most value bytes kept of one key; a key the game wrote holds a few hundred.
inline constexpr std::size_t kLargestKeyValues = 256 * 1024;

struct RegistryValue {
  std::uint32_t type = 0;
  // As RegQueryValueExA returns it. Strings (types 1, 2 and 7) are stored as UTF-16 by Wine and
  // come back in the ANSI code page; on Linux that is taken to be UTF-8, so non-ASCII text stays
  // UTF-8 bytes. A string keeps the terminating zero it was stored with.
  std::string data;
};

// What a reading of one registry file found of one key.
struct WineKeyFound {
  // The key exists: it has a line of its own, or a key below it has one (Wine leaves out keys
  // that hold nothing but subkeys).
  bool exists = false;
  // A prefix made for 32-bit Windows has no separate 32-bit view.
  bool is32BitPrefix = false;
  std::unordered_map<std::string, RegistryValue> values;  // by FoldCase(name); "" is the default
};

// Reads registry text, handed over in pieces split anywhere, for the one key `keyPath` (single
// backslashes, relative to the file's root, case ignored). Never fails: a file without the
// registry header yields nothing, and a line that cannot be understood is skipped, as Wine
// skips it.
class WineKeyReader {
 public:
  explicit WineKeyReader(std::string_view keyPath);
  // False once the rest of the text cannot matter (the header is wrong).
  bool Feed(std::string_view piece);
  // Takes the last line, which needs no line break, and hands over what was found.
  WineKeyFound Finish();

 private:
  void EndPhysicalLine(bool last);
  void TakeLine(std::string_view line, bool overlong);
  bool MayNameWantedKey(std::string_view line);

  std::string wanted_;      // folded, normalised path
  std::string wantedName_;  // KeyLineText(wanted_)
  std::string folded_;      // a key line, folded
  WineKeyFound found_;
  std::string physical_;  // the line being read, cut at kLongestRegistryLine
  std::string tail_;      // its last three bytes, which say whether it continues
  bool physicalOverlong_ = false;
  std::string logical_;  // physical lines joined by continuations
  bool logicalOverlong_ = false;
  bool continuing_ = false;
  bool firstLine_ = true;
  bool headerSeen_ = false;
  bool inKey_ = false;
  std::size_t keptBytes_ = 0;
};

// The whole text at once.
WineKeyFound ReadWineKey(std::string_view text, std::string_view keyPath);

// What every line that names `keyPath` or a key below it contains, folded: the key's last two
// names as Wine writes them. Empty when Wine would write them with escapes, so that text cannot
// be searched for.
std::string KeyLineText(std::string_view keyPath);

// Looks for `folded` (as KeyLineText gives it) in text handed over in pieces, with ASCII case
// ignored; much cheaper than reading the text's lines.
class KeyTextSearch {
 public:
  explicit KeyTextSearch(std::string folded);
  // True once the text is found; later pieces need not be fed.
  bool Feed(std::string_view piece);

 private:
  bool Search(std::string_view text) const;
  bool Matches(const unsigned char* at) const;

  std::string needle_;
  std::string carry_;  // the last bytes fed, shorter than the needle
  bool found_ = false;
};

// Case folding as the registry and Wine's file names compare: ASCII and the Latin-1 letters of
// UTF-8 text. Other non-ASCII text compares exactly.
std::string FoldCase(std::string_view text);

// UTF-16 code units to UTF-8; unpaired surrogates become '?', as the ANSI conversion makes them.
std::string Utf16ToAnsi(std::u16string_view units);

#ifndef _WIN32
// The registry of the Wine prefix at `prefix`. Only the two roots the files hold are answered; a
// missing or unreadable file behaves as an empty registry. Each opened key reads its file anew.
class WineRegistry final : public RegistryApi {
 public:
  explicit WineRegistry(std::filesystem::path prefix) : prefix_(std::move(prefix)) {}

  std::int32_t OpenKey(RootKey root, const std::string& path, KeyView view,
                       KeyHandle& key) override;
  std::int32_t QueryValue(KeyHandle key, const std::string& valueName, std::uint32_t* type,
                          unsigned char* data, std::uint32_t* size) override;
  std::int32_t CloseKey(KeyHandle key) override;

 private:
  WineKeyFound ReadKey(const char* fileName, const std::string& keyPath);

  std::filesystem::path prefix_;
  // Whether a file holds a key's text, by file name and text: both views of a key share it.
  std::map<std::pair<std::string, std::string>, bool> holdsText_;
  std::vector<std::unique_ptr<WineKeyFound>> open_;  // handle - 1 → key; null once closed
};
#endif

}  // namespace quill::platform::registry
