// SPDX-License-Identifier: GPL-3.0-or-later
// What the chunk inspector needs of the window.
#pragma once

#include <filesystem>
#include <string>

namespace quill {

class InspectorView {
 public:
  virtual ~InspectorView() = default;
  // The caption comes with the bare name it shows.
  virtual void setNameCaption(const std::string& caption, const std::string& name) = 0;
  virtual void setDescription(const std::string& text) = 0;
  virtual void appendRosterLine(const std::string& name) = 0;
  // Loads the picture file and shows it; false when the loader refuses the file.
  virtual bool showPictureFile(const std::filesystem::path& file) = 0;
};

}  // namespace quill
