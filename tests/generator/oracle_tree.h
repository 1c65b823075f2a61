#pragma once

// The search tree written out node by node, the slow and obvious way: every
// node keeps its vector of available candidates, dead ends stay in the tree,
// duplicates are removed afterwards by comparing every pair. The fast search
// must give exactly its results and its trace.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "generator/tree_ders.h"
#include "text/text_helpers.h"

namespace kiremo::generator::oracle {

// The hidden trace view: items with texts and children.
struct TraceItem {
  std::string text;
  std::vector<std::unique_ptr<TraceItem>> children;

  TraceItem* Add(std::string child_text) {
    children.push_back(std::make_unique<TraceItem>());
    children.back()->text = std::move(child_text);
    return children.back().get();
  }
};

struct TraceView {
  std::vector<std::unique_ptr<TraceItem>> items;

  TraceItem* AddTop(std::string text) {
    items.push_back(std::make_unique<TraceItem>());
    items.back()->text = std::move(text);
    return items.back().get();
  }
};

class Node;

// The module state of the search.
struct Module {
  std::vector<TTreeDers> Candidates;
  int CandidateCount = 0;
  std::vector<Node*> Results;
  int ResultCount = 0;
  Node* TreeRoot = nullptr;
  bool TreeBuilt = false;
  TraceView* TreeView1 = nullptr;  // none: nothing is recorded

  ~Module();
  void FreeTree();
  void BuildTree();
  void RemoveDuplicates();
  bool SameCombination(const Node* a, const Node* b) const;
};

class Node {
 public:
  // Create: a new node, already tested and recorded in the trace.
  Node(Module& m, Node* parent, int candidate) : Parent(parent), Candidate(candidate) {
    AvailableCount = m.CandidateCount;
    Available.resize(AvailableCount);
    ComputeAvailable(m);
    if (Parent) {
      Valid = FitsAncestors(m);
      if (Valid && m.TreeView1) TreeItem = Parent->TreeItem->Add(m.Candidates[Candidate].CRN);
    } else {
      Valid = true;
      if (m.TreeView1) TreeItem = m.TreeView1->AddTop("Root");
    }
  }

  // Destroy.
  ~Node() {
    FreeChildren();
    Available.clear();
    Available.shrink_to_fit();
    AvailableCount = 0;
  }

  void ComputeAvailable(const Module& m) {
    if (!Parent) {
      for (int j = 0; j < AvailableCount; ++j) Available[j] = true;
      return;
    }
    const int combo = m.Candidates[Candidate].SectionCombo;
    for (int j = 0; j < AvailableCount; ++j) {
      Available[j] = Parent->Available[j] && m.Candidates[j].SectionCombo != combo;
    }
  }

  void FreeChildren() {
    for (Node* child : Children) delete child;
    Children.clear();
    ChildCount = 0;
  }

  bool Expand(Module& m) {
    int first = -1;
    for (int j = 0; j < AvailableCount && first < 0; ++j) {
      if (Available[j]) first = j;
    }
    if (first < 0) return false;
    const int next_row = m.Candidates[first].SectionCombo;
    for (int j = 0; j < AvailableCount; ++j) {
      if (!Available[j] || m.Candidates[j].SectionCombo != next_row) continue;
      Node* child = new Node(m, this, j);
      Children.push_back(child);
      ++ChildCount;
      if (child->Valid && !child->Expand(m)) {
        m.Results.push_back(child);
        ++m.ResultCount;
      }
    }
    return true;
  }

  // The clash test over an occupancy table of (day, slot) marks. Cells
  // outside Monday..Friday x 1..14 are cells of their own, kept in a list.
  bool FitsAncestors(const Module& m) {
    Marks marks;
    const TTreeDers& own = m.Candidates[Candidate];
    for (std::size_t k = 0; k < Pairs(own); ++k) marks.Mark(StrToInt(own.Days[k]), StrToInt(own.Slots[k]));
    for (const Node* up = Parent; up && up->Parent; up = up->Parent) {
      const TTreeDers& theirs = m.Candidates[up->Candidate];
      for (std::size_t k = 0; k < Pairs(theirs); ++k) {
        const int day = StrToInt(theirs.Days[k]);
        const int slot = StrToInt(theirs.Slots[k]);
        if (marks.Marked(day, slot)) {
          if (m.TreeView1) Parent->TreeItem->Add("CRAP!");
          return false;
        }
        marks.Mark(day, slot);
      }
    }
    return true;
  }

  std::vector<bool> Available;
  bool Valid = false;
  Node* Parent = nullptr;
  std::vector<Node*> Children;
  int ChildCount = 0;
  int AvailableCount = 0;
  int Candidate = -1;
  TraceItem* TreeItem = nullptr;

 private:
  static std::size_t Pairs(const TTreeDers& c) { return std::min(c.Days.size(), c.Slots.size()); }

  struct Marks {
    bool table[5][14] = {};
    std::vector<std::pair<int, int>> outside;
    bool Inside(int day, int slot) const { return day >= 1 && day <= 5 && slot >= 1 && slot <= 14; }
    void Mark(int day, int slot) {
      if (Inside(day, slot)) {
        table[day - 1][slot - 1] = true;
      } else {
        outside.emplace_back(day, slot);
      }
    }
    bool Marked(int day, int slot) const {
      if (Inside(day, slot)) return table[day - 1][slot - 1];
      for (const auto& cell : outside) {
        if (cell == std::pair{day, slot}) return true;
      }
      return false;
    }
  };
};

inline Module::~Module() { FreeTree(); }

inline void Module::FreeTree() {
  if (!TreeBuilt) return;
  delete TreeRoot;
  TreeRoot = nullptr;
  ResultCount = 0;
  Results.clear();
  TreeBuilt = false;
}

inline void Module::BuildTree() {
  TreeBuilt = true;
  ResultCount = 0;
  Results.clear();
  Node* root = new Node(*this, nullptr, -1);
  root->Expand(*this);
  Results.push_back(root);
  ++ResultCount;
}

inline void Module::RemoveDuplicates() {
  if (ResultCount <= 1) {
    TreeRoot = Results.back();
    Results.clear();
    ResultCount = 0;
    return;
  }
  TreeRoot = Results.back();
  std::vector<Node*> found(Results.begin(), Results.end() - 1);
  Results.assign(1, found.front());
  for (Node* t : found) {
    bool same = false;
    for (const Node* r : Results) {
      if (SameCombination(t, r)) {
        same = true;
        break;
      }
    }
    if (!same) Results.push_back(t);
  }
  ResultCount = static_cast<int>(Results.size());
}

inline bool Module::SameCombination(const Node* a, const Node* b) const {
  for (const Node* x = a; x && x->Parent; x = x->Parent) {
    bool found = false;
    for (const Node* y = b; y && y->Parent && !found; y = y->Parent) {
      found = Candidates[x->Candidate].CRN == Candidates[y->Candidate].CRN;
    }
    if (!found) return false;
  }
  return true;
}

// A kept timetable as its candidates from the first row down.
inline std::vector<int> PathOf(const Node* leaf) {
  std::vector<int> path;
  for (const Node* n = leaf; n && n->Parent; n = n->Parent) path.insert(path.begin(), n->Candidate);
  return path;
}

}  // namespace kiremo::generator::oracle
