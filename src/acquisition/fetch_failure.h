#pragma once

#include <string>

#include "acquisition/fetcher.h"

namespace kiremo::acquisition {

// What the student is told when a page of a full update could not be
// fetched: the connection message when no connection could be made, and
// otherwise what the server did (an error status with its number, a
// redirect, a page too large, a page cut short, no answer in time), ending
// with the assurance that nothing changed.
std::string FullUpdateFailureText(const FetchError& error);

}  // namespace kiremo::acquisition
