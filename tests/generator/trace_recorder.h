#pragma once

#include <string>
#include <vector>

#include "generator/oracle_tree.h"
#include "generator/search_observers.h"
#include "generator/tree_ders.h"

namespace kiremo::generator::testing {

// Builds the trace view from the fast search's observer calls, so that it
// can be compared with the one the oracle tree writes.
class TraceRecorder : public SearchTrace {
 public:
  TraceRecorder(const std::vector<TTreeDers>& candidates, oracle::TraceView& view)
      : candidates_(candidates), view_(view) {}

  void Root() override { open_.assign(1, view_.AddTop("Root")); }
  void Fits(int depth, int candidate) override {
    open_.resize(depth);
    open_.push_back(open_[depth - 1]->Add(candidates_[candidate].CRN));
  }
  void Clash(int depth, int) override { open_[depth - 1]->Add("CRAP!"); }

 private:
  const std::vector<TTreeDers>& candidates_;
  oracle::TraceView& view_;
  std::vector<oracle::TraceItem*> open_;  // the items on the current path, by depth
};

inline void Print(const oracle::TraceItem& item, int indent, std::string& out) {
  out.append(indent, ' ');
  out += item.text;
  out += '\n';
  for (const auto& child : item.children) Print(*child, indent + 1, out);
}

// The whole view as indented lines.
inline std::string Print(const oracle::TraceView& view) {
  std::string out;
  for (const auto& item : view.items) Print(*item, 0, out);
  return out;
}

}  // namespace kiremo::generator::testing
