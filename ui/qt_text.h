#pragma once

#include <string_view>

#include <QString>

namespace ui {

// The core's UTF-8 text as Qt holds it.
inline QString qText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace ui
