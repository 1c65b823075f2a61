#pragma once

#include <string_view>

#include "text/cp1254.h"

// The words of the student's locks, exclusions and busy hours in the window.
namespace kiremo::app {

inline constexpr std::string_view kLockSection = "Bu şubeyi sabitle"_w;
inline constexpr std::string_view kUnlockSection = "Sabitlemeyi kaldır"_w;
inline constexpr std::string_view kExcludeSection = "Bu şubeyi hariç tut"_w;
inline constexpr std::string_view kIncludeSection = "Hariç tutmayı kaldır"_w;
inline constexpr std::string_view kKeepHourFree = "Bu saati boş tut"_w;
// For several cells, followed by " (N saat)".
inline constexpr std::string_view kKeepHoursFree = "Bu saatleri boş tut"_w;
inline constexpr std::string_view kFreeHourAgain = "Boş tutmayı kaldır"_w;
// A locked row's marker tooltip; the CRN follows.
inline constexpr std::string_view kLockedNote = "Sabit şube: "_w;
// The last line of an excluded section's tooltip.
inline constexpr std::string_view kExcludedNote = "Hariç tutuldu"_w;

}  // namespace kiremo::app
