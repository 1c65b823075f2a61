#pragma once

#include <string>

#include "acquisition/fetcher.h"

namespace kiremo::acquisition {

// The pages of a full update as the student knows them: "bölüm listesi
// sayfası", "ELK bölümünün ders programı sayfası".
std::string DepartmentListPage();
std::string SchedulePage(const std::string& code);

// What the student is told when a page of a full update could not be
// fetched: the connection message when no connection could be made, and
// otherwise what the server did with the page (an error status with its
// number, a redirect, a page too large, a page cut short, no answer in
// time), ending with the assurance that nothing changed.
std::string FullUpdateFailureText(const FetchError& error, const std::string& page);

}  // namespace kiremo::acquisition
