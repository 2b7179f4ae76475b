#pragma once
// Windows-1252 core text to and from Qt strings: the one crossing point at the window boundary.
#include <QString>
#include <string>

#include "platform/charset.h"

namespace tav {

inline QString toQ(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}
inline std::string fromQ(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

}  // namespace tav
