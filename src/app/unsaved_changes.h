#pragma once

#include <string>
#include <vector>

#include "planner/plan_snapshot.h"
#include "planner/planner.h"

namespace kiremo::app {

// Whether the plan on screen holds work that is nowhere else: it differs
// from the plan last saved or loaded, or from the empty plan of the last
// reset. What counts is what a schedule file keeps (the rows' choices, the
// committed sections, the cells).
//
// Every plan of the session belongs to a document: the file it was opened
// from or saved to (none after a reset) and what that file holds. Undo can
// bring back the plan of an earlier document, with its file.
class UnsavedChanges {
 public:
  explicit UnsavedChanges(const planner::Planner& planner);

  // The plan as it is now is saved, loaded, or nothing to lose.
  void Kept();
  // A plan of another file, or of none, is on screen from now on, kept as it is.
  void Started(std::string file);
  // The plan was saved to the file: the document is that file's from now on.
  void Saved(std::string file);
  bool Modified() const;

  int Current() const { return current_; }
  // The file of the plan on screen (the path as chosen), empty for none.
  const std::string& File() const { return documents_[static_cast<std::size_t>(current_)].file; }
  const std::string& FileOf(int document) const { return documents_[static_cast<std::size_t>(document)].file; }
  // Undo or redo brought back a plan of this document.
  void Resume(int document) { current_ = document; }
  // Forgets every document but the current one, which becomes number 0.
  int ForgetOthers();

 private:
  struct Document {
    std::string file;
    planner::PlanSnapshot kept;
  };

  const planner::Planner& planner_;
  std::vector<Document> documents_;
  int current_ = 0;
};

}  // namespace kiremo::app
