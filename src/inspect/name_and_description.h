// Finding a Sim's name and description in a chunk body, a plain function over bytes.
#pragma once

#include <optional>
#include <string>

#include "chunkfile/chunk_table.h"

namespace quill {

inline constexpr const char* kNoInformation = "There is no information availible for this Sim.";

// One character per body byte: printable ASCII as itself, every other byte as ".".
std::string PrintableRendering(std::string_view body);

struct NameAndDescription {
  std::optional<std::string> name;         // absent when the marker after the name is missing
  std::optional<std::string> description;  // absent when the closing marker is missing
};

// The name lies between "....." and the next "..."; the description runs from there through the
// first dot of the following "...". Descriptions under two characters become kNoInformation.
NameAndDescription ExtractNameAndDescription(std::string_view body);

}  // namespace quill
