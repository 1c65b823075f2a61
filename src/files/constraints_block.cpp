#include "files/constraints_block.h"

#include <algorithm>
#include <set>
#include <string>

#include "text/cp1254.h"

namespace kiremo::files {

namespace {

constexpr int kAllHours = (1 << planner::kSlots) - 1;

[[noreturn]] void Malformed(std::string_view what, std::string_view value = {}) {
  throw PlanFormatError(std::string(what) + std::string(value));
}

// The items of the block; an item cut off by the end names the block.
class BlockReader {
 public:
  explicit BlockReader(std::string_view rest) : in_(rest) {}

  int Integer() {
    try {
      return in_.ReadInteger();
    } catch (const PlanFormatError& e) {
      throw Cut(e);
    }
  }

  // Every text of the block was written whole: a longer one is no block of
  // ours, and would not survive the next save.
  std::string String() {
    std::string text;
    try {
      text = in_.ReadString();
    } catch (const PlanFormatError& e) {
      throw Cut(e);
    }
    if (text.size() > kMaxStringBytes) Malformed("kısıtlar bölümünde fazla uzun bir metin var"_w);
    return text;
  }

  std::size_t Remaining() const { return in_.Remaining(); }

 private:
  static PlanFormatError Cut(const PlanFormatError& e) {
    return PlanFormatError(std::string("kısıtlar bölümü yarıda kesilmiş ("_w) + e.what() + ")");
  }

  DkfReader in_;
};

// More sections than a term has, and than there are five-digit CRNs; a
// larger count is no block of ours, and would only fill the memory.
constexpr int kMostExcluded = 100000;

// A line break would split the lines that show the constraints.
bool HasControlByte(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

bool StartsWithMarker(std::string_view rest) {
  return rest.size() > kConstraintsMarker.size() && rest.substr(0, kConstraintsMarker.size()) == kConstraintsMarker &&
         rest[kConstraintsMarker.size()] == '\0';
}

void ReadExcluded(BlockReader& in, planner::Constraints& constraints) {
  const int count = in.Integer();
  if (count < 0 || count > kMostExcluded) Malformed("hariç tutulan şube sayısı geçersiz: "_w, std::to_string(count));
  // Entry by entry: a count the data cannot hold ends in a cut, not in a
  // huge allocation.
  for (int n = 0; n < count; ++n) {
    std::string crn = in.String();
    if (crn.empty()) Malformed("hariç tutulan şubeler arasında boş bir CRN var"_w);
    if (HasControlByte(crn)) Malformed("hariç tutulan bir CRN'de satır sonu ya da denetim karakteri var"_w);
    if (std::find(constraints.locked.begin(), constraints.locked.end(), crn) != constraints.locked.end()) {
      Malformed("hem sabitlenmiş hem hariç tutulmuş şube: "_w, crn);
    }
    if (!constraints.excluded.insert(crn).second) Malformed("hariç tutulan şube iki kez yazılmış: "_w, crn);
  }
}

}  // namespace

void WriteConstraints(DkfWriter& out, const planner::Constraints& constraints) {
  if (constraints.Empty()) return;
  out.WriteString(kConstraintsMarker);
  out.WriteInteger(kConstraintsVersion);
  // What the items keep of each CRN, so that the file never holds an empty,
  // repeated or locked one, nor a line break, which reading refuses; a lock
  // wins. A CRN with a line break names no section of any catalogue.
  std::set<std::string_view> locked, excluded;
  for (const std::string& crn : constraints.locked) {
    const std::string_view kept = HasControlByte(StoredText(crn)) ? std::string_view() : StoredText(crn);
    out.WriteString(kept);
    locked.insert(kept);
  }
  for (const std::string& crn : constraints.excluded) {
    const std::string_view kept = StoredText(crn);
    if (!kept.empty() && !HasControlByte(kept) && !locked.contains(kept)) excluded.insert(kept);
  }
  out.WriteInteger(static_cast<int>(excluded.size()));
  for (std::string_view crn : excluded) out.WriteString(crn);
  for (const auto& day : constraints.busy) {
    int mask = 0;
    for (int slot = 0; slot < planner::kSlots; ++slot) mask |= day[slot] ? 1 << slot : 0;
    out.WriteInteger(mask);
  }
}

planner::Constraints ReadConstraints(std::string_view rest) {
  planner::Constraints constraints;
  if (!StartsWithMarker(rest)) return constraints;
  BlockReader in(rest.substr(kConstraintsMarker.size() + 1));
  const int version = in.Integer();
  if (version != kConstraintsVersion) Malformed("kısıtlar bölümünün sürümü bilinmiyor: "_w, std::to_string(version));
  for (std::string& crn : constraints.locked) {
    crn = in.String();
    if (HasControlByte(crn)) Malformed("sabitlenmiş bir CRN'de satır sonu ya da denetim karakteri var"_w);
  }
  ReadExcluded(in, constraints);
  for (auto& day : constraints.busy) {
    const int mask = in.Integer();
    if (mask < 0 || mask > kAllHours) Malformed("boş tutulan saatlerde geçersiz değer: "_w, std::to_string(mask));
    for (int slot = 0; slot < planner::kSlots; ++slot) day[slot] = ((mask >> slot) & 1) != 0;
  }
  if (in.Remaining() > 0) Malformed("kısıtlar bölümünden sonra fazladan veri var"_w);
  return constraints;
}

}  // namespace kiremo::files
