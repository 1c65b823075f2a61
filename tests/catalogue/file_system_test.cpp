#include "catalogue/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>

#include "support/child_process.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo {
namespace {

using testing_support::TempFolder;
namespace fs = std::filesystem;

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

mode_t Mode(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 0777;
}

// The message of the IoError the call raises, or "" when it raises none.
template <typename Call>
std::string IoErrorOf(Call&& call) {
  try {
    call();
  } catch (const IoError& e) {
    return e.what();
  }
  return {};
}

TEST(WriteFileAtomicallyTest, ReplacesTheFileKeepingItsPermissionsAndLeavesNothingBeside) {
  TempFolder folder;
  const std::string path = folder / "config.ini";
  WriteFileAtomically(path, "old");
  ::chmod(path.c_str(), 0600);
  WriteFileAtomically(path, "new");
  EXPECT_EQ(ReadWholeFile(path), "new");
  EXPECT_EQ(Mode(path), 0600u) << "a private file stays private";
  EXPECT_EQ(Names(folder.Path()), (std::set<std::string>{"config.ini"}));
}

// A link planted where the old program put its temporary file, pointing at
// a file outside the folder, must not be written through.
TEST(WriteFileAtomicallyTest, APlantedLinkBesideTheTargetIsNeverFollowed) {
  TempFolder folder;
  TempFolder outside;
  const std::string victim = outside / "victim";
  WriteFileAtomically(victim, "precious");
  const std::string path = folder / "config.ini";
  fs::create_symlink(victim, path + ".yeni");
  WriteFileAtomically(path, "settings");
  EXPECT_EQ(ReadWholeFile(victim), "precious");
  EXPECT_EQ(ReadWholeFile(path), "settings");
}

TEST(WriteFileAtomicallyTest, ALinkedTargetIsWrittenThroughAndStaysALink) {
  TempFolder folder;
  TempFolder dotfiles;
  const std::string real = dotfiles / "mimeapps.list";
  WriteFileAtomically(real, "[Default Applications]\n");
  ::chmod(real.c_str(), 0640);
  const std::string link = folder / "mimeapps.list";
  fs::create_symlink(real, link);
  WriteFileAtomically(link, "changed\n");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(real), "changed\n");
  EXPECT_EQ(Mode(real), 0640u);
  EXPECT_EQ(Names(folder.Path()), (std::set<std::string>{"mimeapps.list"}));
  EXPECT_EQ(Names(dotfiles.Path()), (std::set<std::string>{"mimeapps.list"}));
}

// Another user may plant a link in a shared folder such as /tmp, named like
// a file the student is about to write and leading to one of the student's
// own files. The kernel's rule for such links holds for every write,
// whoever runs the program.
TEST(WriteFileAtomicallyTest, LinksInStickySharedFoldersAreFollowedOnlyByTheKernelsRule) {
  if (::geteuid() != 0) GTEST_SKIP() << "planting a link that belongs to another user needs root (lchown)";
  constexpr uid_t kRoot = 0, kStudent = 4242, kOther = 4343;
  struct Case {
    const char* name;
    mode_t shared_mode;
    uid_t shared_owner;
    uid_t link_owner;
    uid_t writer;
    bool followed;
    bool through_own_link = false;  // the path written is the writer's own link to the planted one
  };
  const Case cases[] = {
      {"another user's link in a sticky folder everyone writes", 01777, kRoot, kOther, kStudent, false},
      {"the same, written by root", 01777, kRoot, kOther, kRoot, false},
      {"the same, reached through the writer's own link", 01777, kRoot, kOther, kStudent, false, true},
      {"the writer's own link", 01777, kRoot, kStudent, kStudent, true},
      {"root's link in root's sticky folder", 01777, kRoot, kRoot, kStudent, true},
      {"the link of the sticky folder's owner", 01777, kOther, kOther, kStudent, true},
      {"a folder everyone writes that is not sticky", 0777, kRoot, kOther, kStudent, true},
      {"a sticky folder that only its group writes", 01775, kRoot, kOther, kStudent, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder base;
    ::chmod(base.Path().c_str(), 0755);
    const std::string home = base / "home/";
    const std::string shared = base / "tmp/";
    fs::create_directory(home);
    fs::create_directory(shared);
    const std::string victim = home + "notlar.txt";
    WriteFileAtomically(victim, "notlar");
    ASSERT_EQ(::chown(home.c_str(), c.writer, c.writer), 0);
    ASSERT_EQ(::chown(victim.c_str(), c.writer, c.writer), 0);
    ASSERT_EQ(::chown(shared.c_str(), c.shared_owner, c.shared_owner), 0);
    ASSERT_EQ(::chmod(shared.c_str(), c.shared_mode), 0);
    const std::string planted = shared + "hafta.ics";
    fs::create_symlink(victim, planted);
    ASSERT_EQ(::lchown(planted.c_str(), c.link_owner, c.link_owner), 0);
    const std::string written = c.through_own_link ? home + "kisayol.ics" : planted;
    if (c.through_own_link) {
      fs::create_symlink(planted, written);
      ASSERT_EQ(::lchown(written.c_str(), c.writer, c.writer), 0);
    }

    const int outcome = testing_support::InChildAsUser(c.writer, [&] {
      const std::string message = IoErrorOf([&] { WriteFileAtomically(written, "BEGIN:VCALENDAR"); });
      if (message.empty()) return 0;
      return message.find("\"" + planted + std::string("\", herkesin yazabildi"_w)) != std::string::npos ? 1 : 2;
    });
    EXPECT_EQ(outcome, c.followed ? 0 : 1);
    EXPECT_EQ(ReadWholeFile(victim), c.followed ? "BEGIN:VCALENDAR" : "notlar");
    EXPECT_TRUE(fs::is_symlink(planted));
    EXPECT_EQ(Names(shared), (std::set<std::string>{"hafta.ics"}));
  }
}

TEST(WriteFileAtomicallyTest, RefusesWhatCannotOrMustNotBeReplaced) {
  TempFolder folder;
  const std::string fifo = folder / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const std::string dangling = folder / "dangling";
  fs::create_symlink(folder / "nowhere", dangling);
  const std::string locked = folder / "locked/";
  fs::create_directory(locked);
  ::chmod(locked.c_str(), 0555);  // read-only for everyone, an administrator too
  const std::string device = folder / "zero";
  fs::create_symlink("/dev/zero", device);

  for (const std::string& path : {fifo, dangling, locked + "file", device, folder / "missing/file"}) {
    EXPECT_NE(IoErrorOf([&] { WriteFileAtomically(path, "x"); }), "") << path;
  }
  EXPECT_FALSE(fs::exists(folder / "nowhere"));
  EXPECT_TRUE(fs::is_empty(locked));
  EXPECT_EQ(Names(folder.Path()), (std::set<std::string>{"fifo", "dangling", "locked", "zero"}));
  ::chmod(locked.c_str(), 0755);
}

TEST(WriteFileAtomicallyTest, AFullDiskIsADiskFullErrorAndKeepsTheOldFile) {
  TempFolder folder;
  const std::string path = folder / "plan.dkf";
  WriteFileAtomically(path, "old");
  const int outcome = testing_support::InChildWithFileSizeLimit(100, [&] {
    try {
      WriteFileAtomically(path, std::string(1000, 'x'));
    } catch (const DiskFullError&) {
      return 0;
    }
    return 1;
  });
  EXPECT_EQ(outcome, 0);
  EXPECT_EQ(ReadWholeFile(path), "old");
  EXPECT_EQ(Names(folder.Path()), (std::set<std::string>{"plan.dkf"}));
}

// Readers take a regular file of a size that fits what they expect; a pipe,
// a device or a runaway file is refused at once, saying why.
TEST(ReadWholeFileTest, TakesOnlyRegularFilesWithinTheLimit) {
  TempFolder folder;
  const std::string fifo = folder / "config.ini";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const std::string zero = folder / "zero.html";
  fs::create_symlink("/dev/zero", zero);
  const std::string big = folder / "big";
  WriteFileAtomically(big, std::string(kMebibyte + 1, 'x'));
  const std::string exact = folder / "exact";
  WriteFileAtomically(exact, std::string(kMebibyte, 'x'));

  const auto started = std::chrono::steady_clock::now();
  EXPECT_NE(IoErrorOf([&] { ReadWholeFile(fifo, kSettingsFileLimit); }).find(fifo + ": s"), std::string::npos);
  EXPECT_NE(IoErrorOf([&] { ReadWholeFile(zero); }), "");
  EXPECT_NE(IoErrorOf([&] { ReadWholeFile(big, kSettingsFileLimit); }).find("1 MB"), std::string::npos);
  EXPECT_NE(IoErrorOf([&] { ReadWholeFile(folder.Path()); }), "");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
  EXPECT_EQ(ReadWholeFile(exact, kSettingsFileLimit).size(), kMebibyte);
}

TEST(CopyToNewFileTest, CopiesOnlyToANewNameAndLeavesNothingWhenTheDiskIsFull) {
  TempFolder folder;
  const std::string from = folder / "dbase.dbs";
  WriteFileAtomically(from, std::string(100000, 'd'));
  const std::string to = folder / "tempdb.dbs";
  WriteFileAtomically(to, "stale");
  EXPECT_NE(IoErrorOf([&] { CopyToNewFile(from, to); }), "");
  EXPECT_EQ(ReadWholeFile(to), "stale");
  fs::remove(to);

  const int outcome = testing_support::InChildWithFileSizeLimit(50000, [&] {
    try {
      CopyToNewFile(from, to);
    } catch (const DiskFullError&) {
      return 0;
    }
    return 1;
  });
  EXPECT_EQ(outcome, 0);
  EXPECT_FALSE(fs::exists(to));
  CopyToNewFile(from, to);
  EXPECT_EQ(ReadWholeFile(to), ReadWholeFile(from));
}

// A pipe in the catalogue's place would hold an update (and the folder's
// lock) for ever in the copy: it is refused at once, and nothing is made.
TEST(CopyToNewFileTest, APipeIsRefusedAtOnce) {
  TempFolder folder;
  const std::string pipe = folder / "dbase.dbs";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  const auto started = std::chrono::steady_clock::now();
  EXPECT_THROW(CopyToNewFile(pipe, folder / "tempdb.dbs"), FileShapeError);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
  EXPECT_FALSE(fs::exists(folder / "tempdb.dbs"));
}

TEST(FolderWritableTest, AFolderWithoutWriteBitsIsReadOnlyForEveryone) {
  TempFolder folder;
  EXPECT_TRUE(FolderWritable(folder.Path()));
  ::chmod(folder.Path().c_str(), 0555);
  EXPECT_FALSE(FolderWritable(folder.Path()));
  ::chmod(folder.Path().c_str(), 0755);
  EXPECT_FALSE(FolderWritable(folder / "missing"));
}

}  // namespace
}  // namespace kiremo
