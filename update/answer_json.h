#pragma once

// The JSON reading of the version answer, as lenient as the answer has always
// been read: comments, anything after the root value, and raw control
// characters in strings are accepted. A string that is not valid UTF-8 does
// not spoil the document: it is kept as a binary value (which JSON text never
// yields), so that only a reader that wants it as text refuses it.

#include <nlohmann/json.hpp>

#include <optional>
#include <string_view>

namespace vantu {

// The document, or nothing when `body` is not JSON.
std::optional<nlohmann::json> ParseAnswerJson(std::string_view body);

}  // namespace vantu
