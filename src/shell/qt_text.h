#pragma once

#include <QString>
#include <string>
#include <string_view>

// The program's texts are Windows-1254 bytes; Qt's are Unicode. These two
// are the only crossing, and every byte survives the round trip.
namespace kiremo::shell {

QString ToQString(std::string_view cp1254);
std::string FromQString(const QString& text);

}  // namespace kiremo::shell
