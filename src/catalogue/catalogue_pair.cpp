#include "catalogue/catalogue_pair.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "catalogue/catalogue_files.h"
#include "catalogue/database.h"
#include "catalogue/file_system.h"
#include "catalogue/folder_lock.h"
#include "catalogue/pair_lock.h"
#include "catalogue/switch_targets.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::catalogue {

namespace {

struct Paths {
  explicit Paths(const std::string& program_folder)
      : folder(program_folder + std::string(kCatalogueFolder)),
        main(program_folder + std::string(kMainCatalogue)),
        temp(program_folder + std::string(kTempCatalogue)),
        list(program_folder + std::string(kDepartmentList)),
        list_new(program_folder + std::string(kDepartmentListNew)),
        marker(program_folder + std::string(kSwitchMarker)) {}

  std::string folder, main, temp, list, list_new, marker;
};

constexpr std::string_view kSetAsideSuffix = ".bozuk";

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

std::string Reason(const Error& error) {
  std::string text = error.what();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

// The file of a main catalogue set aside: beside the file itself, so that a
// link at the main name keeps leading where it led.
std::string SetAsidePath(const Paths& paths) { return FinalTarget(paths.main) + std::string(kSetAsideSuffix); }

// Puts the new catalogue in the main one's place. A log beside the old file
// belongs to it and must never be read against the new one.
void RenameCatalogue(const Paths& paths, const std::string& target) {
  for (const std::string& old : {paths.main, target}) {
    for (const char* suffix : {"-wal", "-shm", "-journal"}) ::unlink((old + suffix).c_str());
  }
  ReplaceFile(paths.temp, target);
}

[[noreturn]] void NothingSwitched(const Error& error) {
  throw SwitchError(std::string("Yeni ders bilgileri yerine konamadı: "_w) + Reason(error) +
                        std::string(". Ders bilgileri ve bölüm listesi olduğu gibi duruyor."_w),
                    false);
}

[[noreturn]] void ListNotSwitched(const Error& error) {
  throw SwitchError(std::string("Yeni ders bilgileri yerine kondu, ama yeni bölüm listesi konamadı: "_w) +
                        Reason(error) +
                        std::string(". Yarım kalan değişiklik, klasöre yazılabildiği ilk açılışta tamamlanır."_w),
                    true);
}

// The steps after the marker is down, with readers kept out; each one that
// is done already is skipped, so a switch cut short is completed by
// running them again.
void FinishSwitch(const Paths& paths) {
  try {
    if (Exists(paths.temp)) RenameCatalogue(paths, FinalTarget(paths.main));
    ::unlink(SetAsidePath(paths).c_str());
  } catch (const Error& e) {
    throw SwitchError(std::string("Yarım kalan ders bilgisi değişikliği tamamlanamadı: "_w) + Reason(e) + ".", true);
  }
  try {
    if (Exists(paths.list_new)) ReplaceFile(paths.list_new, FinalTarget(paths.list));
  } catch (const Error& e) {
    ListNotSwitched(e);
  }
  SyncFolder(paths.folder);
  ::unlink(paths.marker.c_str());
  SyncFolder(paths.folder);
}

PairLock KeepReadersOut(const Paths& paths) {
  std::optional<PairLock> lock = PairLock::Take(paths.folder, PairLock::Mode::Exclusive, kPairPatience);
  if (!lock) throw IoError(std::string("ders bilgilerini okuyan bir program bitmiyor"_w));
  return std::move(*lock);
}

void FlushToDisk(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw IoError(path + ": " + SystemReason());
  const bool flushed = ::fsync(fd) == 0;
  const std::string reason = flushed ? std::string() : SystemReason();
  ::close(fd);
  if (!flushed) throw IoError(path + ": " + reason);
}

// The temporaries a write of the marker or of the new list leaves when the
// program is killed before it renames them: ".<name>.<12 characters>".
void RemoveWriteTemporaries(const Paths& paths) {
  DIR* folder = ::opendir(paths.folder.c_str());
  if (!folder) return;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string name = entry->d_name;
    for (const std::string_view file : {kSwitchMarker, kDepartmentListNew}) {
      const std::string prefix = "." + std::string(file.substr(kCatalogueFolder.size())) + ".";
      if (name.size() == prefix.size() + 12 && name.compare(0, prefix.size(), prefix) == 0) {
        ::unlinkat(::dirfd(folder), name.c_str(), 0);
      }
    }
  }
  ::closedir(folder);
}

}  // namespace

void SwitchInNewPair(const std::string& program_folder) {
  const Paths paths(program_folder);
  // The new catalogue's writers have closed their connections, but rows may
  // still be in its log: several closes at about the same time each leave
  // the folding to the last, which none of them knows itself to be.
  Database(MakeConnectionString(program_folder, kTempCatalogue)).Checkpoint();
  for (const char* suffix : {"-wal", "-shm"}) ::unlink((paths.temp + suffix).c_str());
  FlushToDisk(paths.temp);
  FlushToDisk(paths.list_new);
  std::string catalogue;
  try {
    catalogue = CheckSwitchTarget(paths.temp, paths.main);
    CheckSwitchTarget(paths.list_new, paths.list);
  } catch (const IoError& e) {
    NothingSwitched(e);
  }
  // The marker goes down first: readers that see it wait, so that those
  // still reading finish and the switch gets its turn.
  try {
    WriteFileAtomically(paths.marker, {});
  } catch (const DiskFullError&) {
    throw;
  } catch (const Error& e) {
    NothingSwitched(e);
  }
  std::optional<PairLock> readers_out;
  try {
    readers_out.emplace(KeepReadersOut(paths));
    RenameCatalogue(paths, catalogue);
  } catch (const Error& e) {
    // Nothing has moved yet: the old pair stays whole.
    ::unlink(paths.marker.c_str());
    NothingSwitched(e);
  }
  FinishSwitch(paths);
}

bool TidyCatalogueFolder(const std::string& program_folder) {
  const Paths paths(program_folder);
  RemoveWriteTemporaries(paths);
  if (Exists(paths.marker)) {
    const PairLock readers_out = KeepReadersOut(paths);
    FinishSwitch(paths);
    return true;
  }
  RemoveNewPair(program_folder);
  return false;
}

void RemoveNewPair(const std::string& program_folder) {
  const Paths paths(program_folder);
  if (Exists(paths.marker)) return;  // a begun switch is completed, never undone
  RemoveWithLogs(paths.temp);
  ::unlink(paths.list_new.c_str());
  try {
    const std::string set_aside = SetAsidePath(paths);
    const std::string main = FinalTarget(paths.main);
    if (Exists(set_aside) && !Exists(main)) ReplaceFile(set_aside, main);
  } catch (const Error&) {
    // Left set aside: the main catalogue was unreadable all the same.
  }
}

bool SetAsideMainCatalogue(const std::string& program_folder) {
  const Paths paths(program_folder);
  const std::string main = FinalTarget(paths.main);
  std::error_code ignored;
  const auto status = std::filesystem::symlink_status(main, ignored);
  if (!std::filesystem::exists(status)) return false;
  // A folder is nothing a catalogue update left: it is not moved.
  if (std::filesystem::is_directory(status)) {
    throw IoError(QuotedPath(main) + std::string(" bir klasör; ders bilgileri onun yerine konamaz"_w), EISDIR);
  }
  ReplaceFile(main, SetAsidePath(paths));
  return true;
}

UnfinishedSwitch CompleteInterruptedSwitch(const std::string& program_folder) noexcept {
  const Paths paths(program_folder);
  if (!Exists(paths.marker)) return {};
  if (!FolderWritable(paths.folder)) {
    return {QuotedPath(paths.folder.substr(0, paths.folder.size() - 1)) +
                std::string(" klasöründe ders bilgilerinin değiştirilmesi yarıda kalmış ve klasör salt okunur olduğu "
                            "için tamamlanamıyor; yarım kalmış ders bilgileri okunmadı. Klasöre yazma izni verip "
                            "tekrar dene."_w),
            false};
  }
  try {
    const std::optional<FolderLock> lock = FolderLock::TryAcquire(paths.folder);
    if (!lock) return {std::string("Ders bilgileri şu anda değiştiriliyor. Biraz sonra tekrar dene."_w), true};
    if (Exists(paths.marker)) {
      const PairLock readers_out = KeepReadersOut(paths);
      FinishSwitch(paths);
    }
    return {};
  } catch (const std::exception& e) {
    return {e.what(), false};
  }
}

}  // namespace kiremo::catalogue
