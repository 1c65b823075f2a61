#include "catalogue/pair_reading.h"

#include <sys/stat.h>

#include <thread>

#include "catalogue/catalogue_files.h"
#include "catalogue/catalogue_pair.h"
#include "catalogue/department_list.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::catalogue {

namespace {

// How many readings this thread holds: one holds the pair for all.
thread_local int held_on_this_thread = 0;

constexpr std::string_view kBeingSwitched = "Ders bilgileri şu anda değiştiriliyor. Biraz sonra tekrar dene."_w;

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// With the readers' lock held no rename of a switch is under way. A switch
// marked but not begun (its catalogue still waits beside the main one)
// leaves the old pair whole, one whose two renames are done the new pair;
// only a switch stopped between them leaves a mixed one.
bool HalfSwitched(const std::string& program_folder) {
  return Exists(program_folder + std::string(kSwitchMarker)) && !Exists(program_folder + std::string(kTempCatalogue)) &&
         Exists(program_folder + std::string(kDepartmentListNew));
}

}  // namespace

PairReading::PairReading(const std::string& program_folder) {
  // Inside another reading on this thread the pair is held already.
  if (held_on_this_thread > 0) {
    ++held_on_this_thread;
    return;
  }
  const std::string marker = program_folder + std::string(kSwitchMarker);
  const auto deadline = std::chrono::steady_clock::now() + kPairPatience;
  for (;;) {
    const UnfinishedSwitch unfinished = CompleteInterruptedSwitch(program_folder);
    // Nobody can complete it now: a whole pair is read as it stands, a
    // mixed one never.
    const bool stuck = !unfinished.reason.empty() && !unfinished.waiting;
    if (stuck && HalfSwitched(program_folder)) throw PendingSwitchError(unfinished.reason);
    if (unfinished.reason.empty() || stuck) {
      lock_ = PairLock::Take(program_folder + std::string(kCatalogueFolder), PairLock::Mode::Shared, kPairPatience);
      if (!lock_) throw PendingSwitchError(std::string(kBeingSwitched));
      // A switch marked meanwhile has its turn first: readers that kept
      // coming would keep it waiting for ever.
      if (stuck || !Exists(marker)) {
        ++held_on_this_thread;
        return;
      }
      lock_.reset();
    }
    if (std::chrono::steady_clock::now() >= deadline) throw PendingSwitchError(std::string(kBeingSwitched));
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

PairReading::~PairReading() { --held_on_this_thread; }

std::vector<std::string> ReadListedDepartments(const std::string& program_folder) {
  const PairReading reading(program_folder);
  return ReadDepartmentList(program_folder + std::string(kDepartmentList));
}

std::optional<std::string> ProgramFolderOfMainCatalogue(const std::string& path) {
  if (!EndsWith(path, kMainCatalogue)) return std::nullopt;
  const std::string folder = path.substr(0, path.size() - kMainCatalogue.size());
  if (!folder.empty() && folder.back() != '/') return std::nullopt;
  return folder;
}

}  // namespace kiremo::catalogue
