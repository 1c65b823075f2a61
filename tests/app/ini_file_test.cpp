#include "app/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "catalogue/file_system.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::app {
namespace {

using testing_support::TempFolder;

class IniFileTest : public ::testing::Test {
 protected:
  void Store(const std::string& bytes) { WriteFileAtomically(ini.Path(), bytes); }
  std::string Stored() const { return ReadWholeFile(ini.Path()); }

  TempFolder folder;
  IniFile ini{folder / "config.ini"};
};

TEST_F(IniFileTest, MissingFileGivesEveryDefault) {
  EXPECT_EQ(ini.ReadString("ayarlar", "bolum_kodu", "hata"), "hata");
  EXPECT_EQ(ini.ReadInteger("ayarlar", "saat_alt_limit", 0), 0);
  EXPECT_TRUE(ini.ReadBool("ayarlar", "bolum_kodu_dikkate_al", true));
  EXPECT_FALSE(ini.ReadBool("ayarlar", "otomatik_guncelleme", false));
}

TEST_F(IniFileTest, ReadsCrLfAndLfFilesAlike) {
  for (const std::string end : {"\r\n", "\n"}) {
    Store("[ayarlar]" + end + "bolum_kodu=MAT" + end + "saat_alt_limit=10" + end);
    EXPECT_EQ(ini.ReadString("ayarlar", "bolum_kodu", "hata"), "MAT");
    EXPECT_EQ(ini.ReadInteger("ayarlar", "saat_alt_limit", 0), 10);
  }
}

TEST_F(IniFileTest, NamesIgnoreCaseAndBlanksAroundThem) {
  Store("  [ AYARLAR ]\nBolum_Kodu  =  fiz  \n");
  EXPECT_EQ(ini.ReadString("ayarlar", "bolum_kodu", "hata"), "fiz");
}

TEST_F(IniFileTest, KeyOfAnotherSectionIsNotRead) {
  Store("[baska]\nbolum_kodu=XYZ\n[ayarlar]\nsaat_ust_limit=18\n");
  EXPECT_EQ(ini.ReadString("ayarlar", "bolum_kodu", "hata"), "hata");
  EXPECT_EQ(ini.ReadInteger("ayarlar", "saat_ust_limit", 0), 18);
}

TEST_F(IniFileTest, EmptyValueIsPresentAndNotTheDefault) {
  Store("[ayarlar]\nistenmeyen_binalar=\n");
  EXPECT_EQ(ini.ReadString("ayarlar", "istenmeyen_binalar", "hata"), "");
}

TEST_F(IniFileTest, NumbersThatAreNotWholeNumbersGiveTheDefault) {
  struct Case {
    const char* stored;
    int expected;
  };
  const Case cases[] = {{"12", 12}, {" -3", -3},  {"+7", 7},          {"", 5},    {"abc", 5},
                        {"9.5", 5}, {"12abc", 5}, {"99999999999", 5}, {"0x10", 5}};
  for (const Case& c : cases) {
    Store(std::string("[ayarlar]\nsaat_alt_limit=") + c.stored + "\n");
    EXPECT_EQ(ini.ReadInteger("ayarlar", "saat_alt_limit", 5), c.expected) << c.stored;
  }
}

TEST_F(IniFileTest, BooleansAreTrueForEveryNonZeroNumber) {
  const std::pair<const char*, bool> cases[] = {{"1", true}, {"0", false},   {"-1", true},
                                                {"2", true}, {"evet", true}, {"", true}};
  for (const auto& [stored, expected] : cases) {
    Store(std::string("[ayarlar]\nbolum_kodu_dikkate_al=") + stored + "\n");
    EXPECT_EQ(ini.ReadBool("ayarlar", "bolum_kodu_dikkate_al", true), expected) << stored;
  }
}

TEST_F(IniFileTest, GarbageAndBinaryBytesAroundTheKeysDoNotMatter) {
  std::string bytes = "\x00\xff\xfe garbage without equals\n[[[\n=no key\n";
  bytes += std::string("\x00\x01\x02", 3);
  bytes += "\n[ayarlar]\n\x80\x81=\x90\nbolum_kodu=\xc7\xdd\xde\n";
  Store(bytes);
  EXPECT_EQ(ini.ReadString("ayarlar", "bolum_kodu", "hata"), "\xc7\xdd\xde");
  EXPECT_EQ(ini.ReadInteger("ayarlar", "saat_alt_limit", 0), 0);
}

TEST_F(IniFileTest, ALongValueIsReadWhole) {
  const std::string huge(900 << 10, 'A');
  Store("[ayarlar]\nistenmeyen_binalar=" + huge + "\nsaat_alt_limit=8\n");
  EXPECT_EQ(ini.ReadString("ayarlar", "istenmeyen_binalar", "hata"), huge);
  EXPECT_EQ(ini.ReadInteger("ayarlar", "saat_alt_limit", 0), 8);
}

// A settings file that is a pipe, a device, or larger than any settings
// file can be, is neither read (every key has its default, at once) nor
// rewritten, and the refusal says why.
TEST_F(IniFileTest, APipeADeviceOrARunawayFileIsNeitherReadNorRewritten) {
  const std::string pipe = folder / "pipe.ini";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  const std::string device = folder / "device.ini";
  std::filesystem::create_symlink("/dev/zero", device);
  const std::string runaway = folder / "runaway.ini";
  const std::string runaway_bytes = "[ayarlar]\nsaat_alt_limit=8\n" + std::string(kSettingsFileLimit, ';');
  WriteFileAtomically(runaway, runaway_bytes);
  for (const auto& [path, reason] : {std::pair{pipe, std::string("sıradan bir dosya değil"_w)},
                                     std::pair{device, std::string("sıradan bir dosya değil"_w)},
                                     std::pair{runaway, std::string("dosya çok büyük (en çok 1 MB okunur)"_w)}}) {
    IniFile settings(path);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(settings.ReadInteger("ayarlar", "saat_alt_limit", 0), 0) << path;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    try {
      settings.WriteString("ayarlar", "bolum_kodu", "MAT");
      ADD_FAILURE() << path << ": the write went through";
    } catch (const IoError& e) {
      EXPECT_EQ(std::string(e.what()), "\"" + path + std::string("\" ayar dosyasına yazılamadı: "_w) + reason + ".");
    }
  }
  EXPECT_EQ(ReadWholeFile(runaway, 2 * kSettingsFileLimit), runaway_bytes);
  EXPECT_TRUE(std::filesystem::is_symlink(device));
}

TEST_F(IniFileTest, FirstWriteCreatesTheFile) {
  ini.WriteString("ayarlar", "bolum_kodu", "ELK");
  EXPECT_EQ(Stored(), "[ayarlar]\nbolum_kodu=ELK\n");
}

TEST_F(IniFileTest, WritesReplaceOrAddKeysAndKeepEveryOtherLine) {
  Store("; kept\r\n[ayarlar]\r\nbolum_kodu=ELK\r\n\r\n[baska]\r\nx=1\r\n");
  ini.WriteString("ayarlar", "bolum_kodu", "MAT");
  ini.WriteBool("ayarlar", "otomatik_guncelleme", true);
  ini.WriteInteger("ayarlar", "saat_alt_limit", 10);
  EXPECT_EQ(Stored(),
            "; kept\r\n[ayarlar]\r\nbolum_kodu=MAT\r\notomatik_guncelleme=1\r\nsaat_alt_limit=10\r\n\r\n"
            "[baska]\r\nx=1\r\n");
}

TEST_F(IniFileTest, LineBreaksInAValueCannotAddKeys) {
  ini.WriteString("ayarlar", "istenmeyen_binalar", "MKB\r\nsaat_alt_limit=3");
  EXPECT_EQ(ini.ReadInteger("ayarlar", "saat_alt_limit", 0), 0);
  EXPECT_EQ(ini.ReadString("ayarlar", "istenmeyen_binalar", "hata"), "MKBsaat_alt_limit=3");
}

TEST_F(IniFileTest, WindowsTurkishBytesSurviveARoundTrip) {
  const std::string value = "\xc7\xd0\xdd\xd6\xde\xdc\xe7\xf0\xfd\xf6\xfe\xfc";
  ini.WriteString("ayarlar", "istenmeyen_binalar", value);
  EXPECT_EQ(ini.ReadString("ayarlar", "istenmeyen_binalar", "hata"), value);
}

TEST(IniFileWrite, RefusedWriteNamesTheFile) {
  TempFolder folder;
  WriteFileAtomically(folder / "not-a-folder", "x");
  IniFile ini(folder / "not-a-folder/config.ini");
  try {
    ini.WriteString("ayarlar", "bolum_kodu", "MAT");
    ADD_FAILURE() << "the write went through";
  } catch (const IoError& e) {
    EXPECT_EQ(std::string(e.what()),
              "\"" + ini.Path() + std::string("\" ayar dosyasına yazılamadı: Yoldaki bir ad klasör değil."_w));
  }
}

TEST(IniFileWrite, FileThatCannotBeReadIsNotOverwritten) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "config.ini");
  IniFile ini(folder / "config.ini");
  EXPECT_EQ(ini.ReadString("ayarlar", "bolum_kodu", "hata"), "hata");
  EXPECT_THROW(ini.WriteBool("ayarlar", "otomatik_guncelleme", true), IoError);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "config.ini"));
}

}  // namespace
}  // namespace kiremo::app
