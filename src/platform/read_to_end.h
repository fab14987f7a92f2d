// SPDX-License-Identifier: GPL-3.0-or-later
// The read loops both systems share; only the call that reads differs.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace quill::platform {

// Reads until the end into `bytes`, starting from a buffer for `expected` bytes. What `bytes` held
// is read over, not cleared first: a roster pass reads a whole folder into one string, and zeroing
// it before each file only to overwrite it was wasted. `readSome` reads at most `room` bytes into
// `into`: the count read, 0 at the end, or -1 on an error. A file that turns out to hold more than
// `limit` bytes, or an error, empties `bytes` and yields false.
bool ReadToEnd(std::string& bytes, std::size_t expected, std::size_t limit,
               const std::function<long long(char* into, std::size_t room)>& readSome);

// Reads into `bytes` until it holds `most` bytes or the file ends, with `readSome` as above. An
// error empties `bytes` and yields false.
bool ReadUpTo(std::string& bytes, std::size_t most,
              const std::function<long long(char* into, std::size_t room)>& readSome);

}  // namespace quill::platform
