#pragma once

#include <QObject>

#include "acquisition/dispatcher.h"
#include "view/widgets.h"

namespace kiremo::shell {

// Hands work to the window's thread through Qt's queued calls. Work that
// fails shows its error in the standard error box (Post) or throws it again
// in the waiting thread (PostAndWait); it never reaches the event loop.
class QtDispatcher : public acquisition::Dispatcher {
 public:
  // Made on the window's thread; `dialogs` shows the errors of posted work.
  explicit QtDispatcher(ui::Dialogs& dialogs);

  void Post(std::function<void()> work) override;
  void PostAndWait(std::function<void()> work) override;

 private:
  QObject context_;
  ui::Dialogs& dialogs_;
};

}  // namespace kiremo::shell
