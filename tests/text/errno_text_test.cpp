#include "text/errno_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "text/cp1254.h"

namespace kiremo {
namespace {

// The reasons a file box commonly shows read in Turkish; a rarer one keeps
// the system's text rather than turning into something vague.
TEST(ErrnoTextTest, CommonReasonsInTurkishOthersAsTheSystemSaysThem) {
  EXPECT_EQ(ErrnoText(ENOENT), std::string("Böyle bir dosya ya da klasör yok"_w));
  EXPECT_EQ(ErrnoText(EACCES), std::string("Erişim izni yok"_w));
  EXPECT_EQ(ErrnoText(EROFS), std::string("Dosya sistemi salt okunur"_w));
  EXPECT_EQ(ErrnoText(ENOSPC), std::string("Diskte yer kalmadı"_w));
  EXPECT_EQ(ErrnoText(EISDIR), std::string("Bu bir klasör"_w));
  EXPECT_EQ(ErrnoText(ECONNREFUSED), std::strerror(ECONNREFUSED));
}

}  // namespace
}  // namespace kiremo
