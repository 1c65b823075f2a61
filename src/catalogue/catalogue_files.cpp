#include "catalogue/catalogue_files.h"

#include "text/cp1254.h"
#include "text/errors.h"
#include "text/text_helpers.h"

namespace kiremo::catalogue {

namespace {
constexpr std::string_view kPrefix =
    "SQLCipher;Persist Security Info=False;Extended Properties=\"DRIVER=SQLCipher (*.dbs);DBQ=";
constexpr std::string_view kPasswordKey = ";pwd=";
}  // namespace

std::string MakeConnectionString(std::string_view program_folder, std::string_view relative_file) {
  std::string s(kPrefix);
  s += program_folder;
  s += relative_file;
  s += kPasswordKey;
  s += kPassword;
  s += '"';
  return s;
}

ConnectionTarget ParseConnectionString(std::string_view connection_string) {
  if (!StartsWith(connection_string, kPrefix) || !EndsWith(connection_string, "\"")) {
    throw DatabaseError(std::string("Geçersiz bağlantı metni"_w));
  }
  // The path may hold ";pwd=" itself; the password is what follows the last one.
  const std::string_view body = connection_string.substr(kPrefix.size(), connection_string.size() - kPrefix.size() - 1);
  const std::size_t key = body.rfind(kPasswordKey);
  if (key == std::string_view::npos || key == 0) throw DatabaseError(std::string("Geçersiz bağlantı metni"_w));
  ConnectionTarget target;
  target.path = std::string(body.substr(0, key));
  target.password = std::string(body.substr(key + kPasswordKey.size()));
  return target;
}

std::string TableName(std::string_view department_code) {
  std::string name = LowerAscii(department_code);
  name += "_tb";
  return name;
}

}  // namespace kiremo::catalogue
