#include "catalogue/database.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "catalogue/catalogue_files.h"
#include "catalogue/file_system.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::catalogue {
namespace {

using testing_support::TempFolder;

// Named: clang 14 does not take a "..."_w in a default argument.
constexpr std::string_view kTitle = "Başlık"_w;

SectionValues Section(std::string crn, std::string code, std::string title = std::string(kTitle)) {
  SectionValues s;
  s.crn = std::move(crn);
  s.ders_kodu = std::move(code);
  s.ders_adi = std::move(title);
  s.ogretmen = "Ali Veli";
  s.bina = "MKB|EEB";
  s.gun = std::string("Pazartesi|Çarşamba"_w);
  s.saat = "0830/1029|1330/1529";
  s.derslik = "D101|D202";
  s.alabilenler = "ELK, ELKE";
  s.blok = 2;
  return s;
}

class DatabaseTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder / "DataBase");
    Database::CreateEmpty(folder / std::string(kMainCatalogue), kPassword);
  }
  std::string Main() const { return MakeConnectionString(folder.Path(), kMainCatalogue); }
  TempFolder folder;
};

TEST_F(DatabaseTest, StoresValuesByteForByteAndReturnsThemInInsertionOrder) {
  Database db(Main());
  db.CreateTable("ELK");
  const std::string apostrophe_title = std::string("Mühendis'in Etiği"_w);
  db.Insert("ELK", Section("30002", "ELK 201", apostrophe_title));
  db.Insert("elk", Section("30001", "ELK 101"));
  db.Insert("ELK", Section("30003", "ELK 201"));

  const auto rows = db.Sections("ELK");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], Section("30002", "ELK 201", apostrophe_title));
  EXPECT_EQ(rows[1].crn, "30001");
  EXPECT_EQ(rows[2].crn, "30003");

  EXPECT_EQ(db.SectionByCrn("elk", "30001"), Section("30001", "ELK 101"));
  EXPECT_EQ(db.SectionByCrn("elk", "39999"), std::nullopt);
  const auto of_course = db.SectionsOfCourse("ELK", "ELK 201");
  ASSERT_EQ(of_course.size(), 2u);
  EXPECT_EQ(of_course[0].crn, "30002");
  EXPECT_EQ(of_course[1].crn, "30003");
  EXPECT_EQ(db.CrnsOfTeacher("ELK", "Ali Veli"), (std::vector<std::string>{"30002", "30001", "30003"}));

  EXPECT_EQ(db.CourseCodes("ELK"), (std::vector<std::string>{"ELK 201", "ELK 101"}));
}

TEST_F(DatabaseTest, ConditionValuesAreBoundSoQuotesAreOrdinaryCharacters) {
  Database db(Main());
  db.CreateTable("TUR");
  SectionValues s = Section("1", "TUR 1'01");
  s.ogretmen = "O'Neil";
  db.Insert("TUR", s);
  EXPECT_EQ(db.SectionsOfCourse("TUR", "TUR 1'01").size(), 1u);
  EXPECT_EQ(db.CrnsOfTeacher("TUR", "O'Neil").size(), 1u);
  EXPECT_EQ(db.CrnsOfTeacher("TUR", "x' OR '1'='1").size(), 0u);
}

TEST_F(DatabaseTest, TableNamesKeepTurkishLettersAndBlanks) {
  Database db(Main());
  db.CreateTable(std::string("ÇEV"_w));
  db.CreateTable("ab ");
  db.CreateTable("");  // an empty code gives the table "_tb"
  const auto names = db.TableNames();
  EXPECT_NE(std::find(names.begin(), names.end(),
                      std::string("\xC7"
                                  "ev_tb")),
            names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "ab _tb"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "_tb"), names.end());
}

TEST_F(DatabaseTest, DroppingAMissingTableIsAnErrorTheCallerCanCatch) {
  Database db(Main());
  EXPECT_THROW(db.DropTable("yok"), DatabaseError);
  db.CreateTable("yok");
  EXPECT_THROW(db.CreateTable("yok"), DatabaseError);
  EXPECT_NO_THROW(db.DropTable("YOK"));
  EXPECT_THROW(db.Sections("yok"), DatabaseError);
}

// A department name taken from a page may hold a zero byte; the message is
// read through what() and must not end there.
TEST_F(DatabaseTest, AZeroByteInATableNameDoesNotCutTheMessage) {
  Database db(Main());
  try {
    db.Sections(std::string("A\0B", 3));
    ADD_FAILURE() << "no error";
  } catch (const DatabaseError& e) {
    const std::string message = e.what();
    EXPECT_EQ(message, std::string("Ders bilgileri okunamadı: \"a?b_tb\" tablosu yok"_w));
  }
}

TEST_F(DatabaseTest, TheFileIsEncryptedAndNeedsTheRightPassword) {
  {
    Database db(Main());
    db.CreateTable("ELK");
    db.Insert("ELK", Section("1", "ELK 101"));
  }
  const std::string bytes = ReadWholeFile(folder / std::string(kMainCatalogue));
  EXPECT_EQ(bytes.find("SQLite format 3"), std::string::npos);
  EXPECT_EQ(bytes.find("ELK 101"), std::string::npos);

  std::string wrong = Main();
  wrong.replace(wrong.find("4827315"), 7, "1111111");
  EXPECT_THROW(Database{wrong}, DatabaseError);
}

TEST_F(DatabaseTest, MissingOrDamagedFilesAreDatabaseErrors) {
  EXPECT_THROW(Database{MakeConnectionString(folder.Path(), "DataBase/none.dbs")}, DatabaseError);
  EXPECT_FALSE(std::filesystem::exists(folder / "DataBase/none.dbs"));  // never created by opening
  std::ofstream(folder / "DataBase/junk.dbs") << std::string(5000, 'x');
  EXPECT_THROW(Database{MakeConnectionString(folder.Path(), "DataBase/junk.dbs")}, DatabaseError);
  EXPECT_THROW(Database::CreateEmpty(folder / std::string(kMainCatalogue), kPassword), DatabaseError);
}

// Whatever keeps the catalogue from being read is said in Turkish, naming
// the file; what holds no catalogue at all is told apart (a full update
// rebuilds that) from what stands around it. A pipe is refused at once,
// never waited on.
TEST_F(DatabaseTest, WhatKeepsTheCatalogueFromBeingReadIsSaidInTurkish) {
  const std::string main = folder / std::string(kMainCatalogue);
  const std::string data = folder / "DataBase";
  const struct {
    const char* what;
    std::function<void()> make;
    bool damaged;
    const char* says;
  } cases[] = {
      {"missing", [&] { std::filesystem::remove(main); }, true, "dbase.dbs\" dosyası yok"},
      {"not a catalogue", [&] { WriteFileAtomically(main, std::string(5000, 'x')); }, true,
       "dosya bozuk ya da bir ders veritabanı değil"},
      {"a pipe",
       [&] {
         std::filesystem::remove(main);
         ::mkfifo(main.c_str(), 0644);
       },
       true, "sıradan bir dosya değil"},
      {"a pipe for its log", [&] { ::mkfifo((main + "-wal").c_str(), 0644); }, true,
       "dbase.dbs-wal\" sıradan bir dosya değil"},
      {"the folder a file",
       [&] {
         std::filesystem::remove_all(data);
         WriteFileAtomically(data, "x");
       },
       false, "DataBase\" bir klasör değil"},
      {"the folder a pipe",
       [&] {
         std::filesystem::remove_all(data);
         ::mkfifo(data.c_str(), 0644);
       },
       false, "DataBase\" bir klasör değil"},
      {"no folder", [&] { std::filesystem::remove_all(data); }, true, "DataBase\" klasörü yok"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(data);
    SetUp();
    c.make();
    const auto started = std::chrono::steady_clock::now();
    try {
      Database db(Main());
      ADD_FAILURE() << c.what << ": opened";
    } catch (const DatabaseError& e) {
      const std::string text = Cp1254ToUtf8(e.what());
      EXPECT_EQ(dynamic_cast<const DamagedCatalogueError*>(&e) != nullptr, c.damaged) << c.what << ": " << text;
      EXPECT_NE(text.find(c.says), std::string::npos) << c.what << ": " << text;
      for (const char* english : {"database", "file", "unable", "error"}) {
        EXPECT_EQ(text.find(english), std::string::npos) << c.what << ": " << text;
      }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5)) << c.what;
  }
  std::filesystem::remove_all(data);
}

// With no free inode left the engine cannot make the log it reads through
// and says only that it cannot open the file: the student hears the disk
// is full, not that the catalogue is damaged. The file system is a small
// one of its own, mounted in a child that has a mount namespace of its own
// (root only).
TEST_F(DatabaseTest, NoFreeInodeIsAFullDiskNotADamagedCatalogue) {
  const std::string mount_point = folder / "small";
  std::filesystem::create_directories(mount_point);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", mount_point.c_str(), "tmpfs", 0, "size=8m,nr_inodes=32") != 0) {
      ::_exit(77);
    }
    const std::string program = mount_point + "/";
    std::filesystem::create_directories(program + "DataBase");
    std::filesystem::copy_file(folder / std::string(kMainCatalogue), program + std::string(kMainCatalogue));
    for (int k = 0; k < 64; ++k) std::ofstream(program + "f" + std::to_string(k)).close();
    try {
      Database db(MakeConnectionString(program, kMainCatalogue));
      db.TableNames();
    } catch (const DiskFullError& e) {
      ::_exit(std::string(e.what()).find("Diskte yer kalmadı"_w) != std::string::npos ? 0 : 1);
    } catch (const DamagedCatalogueError&) {
      ::_exit(2);
    } catch (const std::exception&) {
      ::_exit(3);
    }
    ::_exit(4);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no mount namespace of our own here (not root)";
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(DatabaseTest, ARolledBackTransactionLeavesNothing) {
  Database db(Main());
  db.CreateTable("ELK");
  {
    Transaction t(db);
    db.Insert("ELK", Section("1", "ELK 101"));
  }
  EXPECT_TRUE(db.Sections("ELK").empty());
  {
    Transaction t(db);
    db.Insert("ELK", Section("1", "ELK 101"));
    t.Commit();
  }
  EXPECT_EQ(db.Sections("ELK").size(), 1u);
}

TEST_F(DatabaseTest, TwoConnectionsWriteDifferentTablesOfOneFile) {
  Database a(Main());
  Database b(Main());
  a.CreateTable("AAA");
  b.CreateTable("BBB");
  Transaction ta(a);
  a.Insert("AAA", Section("1", "AAA 101"));
  ta.Commit();
  Transaction tb(b);
  b.Insert("BBB", Section("2", "BBB 101"));
  tb.Commit();
  EXPECT_EQ(b.Sections("AAA").size(), 1u);
  EXPECT_EQ(a.Sections("BBB").size(), 1u);
}

TEST(CatalogueQueryTest, OpensOnFirstUseAndFollowsItsConnectionString) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "DataBase");
  Database::CreateEmpty(folder / "DataBase/a.dbs", kPassword);
  CatalogueQuery query;
  EXPECT_THROW(query.Db(), DatabaseError);  // no connection string yet
  query.SetConnectionString(MakeConnectionString(folder.Path(), "DataBase/a.dbs"));
  EXPECT_FALSE(query.IsOpen());
  query.Db().CreateTable("X");
  EXPECT_TRUE(query.IsOpen());
  query.Close();
  EXPECT_EQ(query.Db().TableNames(), std::vector<std::string>{"x_tb"});
}

struct ConnectionCase {
  std::string folder;
  std::string file;
};

TEST(ConnectionStringTest, RoundTripsFolderFileAndPassword) {
  for (const ConnectionCase& c :
       {ConnectionCase{"/opt/kiremo/", "DataBase/dbase.dbs"}, ConnectionCase{"/tmp/a;pwd=b/", "DataBase/tempdb.dbs"},
        ConnectionCase{"/tmp/\"q\" \xC7/", "DataBase/dbase.dbs"}}) {
    const auto target = ParseConnectionString(MakeConnectionString(c.folder, c.file));
    EXPECT_EQ(target.path, c.folder + c.file);
    EXPECT_EQ(target.password, "4827315");
  }
  for (const char* bad :
       {"", "DBQ=x;pwd=1",
        "SQLCipher;Persist Security Info=False;Extended Properties=\"DRIVER=SQLCipher (*.dbs);DBQ=;pwd=1\"",
        "SQLCipher;Persist Security Info=False;Extended Properties=\"DRIVER=SQLCipher (*.dbs);DBQ=/x"}) {
    EXPECT_THROW(ParseConnectionString(bad), DatabaseError) << bad;
  }
}

}  // namespace
}  // namespace kiremo::catalogue

namespace kiremo::catalogue {
namespace {

// What a failed copy or a full disk leaves is no catalogue: opening it must
// not turn it into an empty one.
TEST_F(DatabaseTest, AnEmptyFileIsRefusedAndStaysEmpty) {
  const std::string path = folder / std::string(kMainCatalogue);
  std::filesystem::resize_file(path, 0);
  EXPECT_THROW(Database db(Main()), DatabaseError);
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

// A catalogue whose folder cannot be written is read as it stands: the
// engine makes neither its log nor its index there, and writes fail.
TEST_F(DatabaseTest, AReadOnlyFolderIsReadAndNeverWritten) {
  {
    Database db(Main());
    db.CreateTable("ELK");
    db.Insert("ELK", Section("30001", "ELK 101"));
  }
  const std::string data = folder / "DataBase";
  const auto before = std::filesystem::last_write_time(data);
  ::chmod(data.c_str(), 0555);
  {
    Database db(Main());
    EXPECT_TRUE(db.ReadOnly());
    EXPECT_EQ(db.CourseCodes("ELK"), (std::vector<std::string>{"ELK 101"}));
    EXPECT_EQ(db.SectionByCrn("ELK", "30001")->ders_kodu, "ELK 101");
    EXPECT_THROW(db.Insert("ELK", Section("30002", "ELK 102")), DatabaseError);
  }
  ::chmod(data.c_str(), 0755);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data), {}), 1);
  EXPECT_EQ(std::filesystem::last_write_time(data), before);
  EXPECT_FALSE(Database(Main()).ReadOnly());
}

}  // namespace
}  // namespace kiremo::catalogue
