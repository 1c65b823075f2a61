#pragma once

#include <string>

#include "catalogue/folder_lock.h"
#include "text/errors.h"
#include "text/notice.h"

namespace kiremo::acquisition {

// Why an update may not write the catalogue; its message is the notice's text.
class ClaimRefused : public Error {
 public:
  explicit ClaimRefused(Notice notice) : Error(notice.text), notice_(std::move(notice)) {}
  const Notice& notice() const { return notice_; }

 private:
  Notice notice_;
};

// What any writer of the catalogue needs first: a catalogue folder that can
// be written (otherwise the read-only message), and the folder's lock
// (otherwise "Ders bilgileri şu anda güncelleniyor..."). Once it holds the
// lock it completes a switch a killed update began, or removes what an
// unfinished one left. ClaimRefused when the update must not go on.
catalogue::FolderLock ClaimCatalogueFolder(const std::string& program_folder);

// The read-only test of ClaimCatalogueFolder: the catalogue folder and the
// main catalogue in it can be written.
bool CatalogueFolderWritable(const std::string& program_folder);
// The "HATA" box that says the catalogue folder is read-only.
Notice ReadOnlyNotice(const std::string& program_folder);

}  // namespace kiremo::acquisition
