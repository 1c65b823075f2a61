#include "app/unsaved_changes.h"

#include <utility>

namespace kiremo::app {

UnsavedChanges::UnsavedChanges(const planner::Planner& planner) : planner_(planner), documents_(1) {}

void UnsavedChanges::Kept() { documents_[static_cast<std::size_t>(current_)].kept = planner_.Snapshot(); }

void UnsavedChanges::Started(std::string file) {
  documents_.push_back({std::move(file), planner_.Snapshot()});
  current_ = static_cast<int>(documents_.size()) - 1;
}

void UnsavedChanges::Saved(std::string file) {
  Document& document = documents_[static_cast<std::size_t>(current_)];
  document.file = std::move(file);
  document.kept = planner_.Snapshot();
}

bool UnsavedChanges::Modified() const {
  return planner_.Snapshot() != documents_[static_cast<std::size_t>(current_)].kept;
}

int UnsavedChanges::ForgetOthers() {
  Document current = std::move(documents_[static_cast<std::size_t>(current_)]);
  documents_.clear();
  documents_.push_back(std::move(current));
  current_ = 0;
  return current_;
}

}  // namespace kiremo::app
