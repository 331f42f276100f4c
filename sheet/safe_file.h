#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace sheet {

// Receives a document's bytes as they are written; false stops the writing.
using Sink = std::function<bool(std::string_view bytes)>;

// Writes what `produce` hands its sink to `path`: "-" is standard output; a device or a pipe
// (/dev/stdout, /dev/full, a FIFO) is written in place and never replaced; a regular file, or a
// new one, is written beside its target and renamed over it once whole, so that a failure leaves
// the old file or none, never half of one. Returns why it failed, or an empty text.
std::string writeSafely(const std::string& path, const std::function<bool(const Sink&)>& produce);

}  // namespace sheet
