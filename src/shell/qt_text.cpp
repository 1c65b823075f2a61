#include "shell/qt_text.h"

#include "text/cp1254.h"

namespace kiremo::shell {

QString ToQString(std::string_view cp1254) {
  QString text(static_cast<qsizetype>(cp1254.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char byte : cp1254)
    *out++ = QChar(static_cast<char16_t>(Cp1254ToUnicode(static_cast<unsigned char>(byte))));
  return text;
}

std::string FromQString(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    // A character outside the code page becomes one '?', also when it takes two UTF-16 units.
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    const int byte = UnicodeToCp1254(c.unicode());
    bytes += static_cast<char>(byte < 0 ? '?' : byte);
  }
  return bytes;
}

}  // namespace kiremo::shell
