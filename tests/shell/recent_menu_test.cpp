#include <QAction>
#include <QMenu>

#include "shell/gui_fixture.h"
#include "shell/qt_text.h"
#include "text/cp1254.h"

namespace kiremo::shell::testing {
namespace {

using RecentMenuTest = GuiTest;

TEST_F(RecentMenuTest, SonAcilanlarListsThePlansUsedLastAndOpensOne) {
  Start();
  auto* recent = Find<QMenu>("menuSonAcilanlar");
  ASSERT_NE(recent, nullptr);
  EXPECT_EQ(recent->title(), ToQString("Son açılanlar"_w));
  const QList<QAction*> file = Find<QMenu>("menuDosya")->actions();
  EXPECT_EQ(file.indexOf(recent->menuAction()), file.indexOf(Find<QAction>("menuAc")) + 1);
  EXPECT_EQ(file.indexOf(Find<QAction>("menuKaydet")), file.indexOf(recent->menuAction()) + 1);

  emit recent->aboutToShow();
  ASSERT_EQ(recent->actions().size(), 1);
  EXPECT_FALSE(recent->actions()[0]->isEnabled()) << "nothing to open yet";

  dialogs.next_save_names = {folder / "plan&1"};
  Find<QAction>("menuKaydet")->trigger();
  const QString saved = QString::fromStdString(folder / "plan&1.dkf");
  EXPECT_TRUE(form->windowTitle().endsWith(" - " + saved)) << "the caption names the file at once";
  Find<QAction>("menuSifirla")->trigger();
  EXPECT_FALSE(form->windowTitle().contains(saved));

  emit recent->aboutToShow();
  ASSERT_EQ(recent->actions().size(), 1);
  QString shown = saved;
  EXPECT_EQ(recent->actions()[0]->text(), "&1 " + shown.replace(u'&', QStringLiteral("&&")));
  recent->actions()[0]->trigger();
  EXPECT_TRUE(form->windowTitle().endsWith(" - " + saved)) << form->windowTitle().toStdString();
  EXPECT_TRUE(dialogs.errors.empty());
}

}  // namespace
}  // namespace kiremo::shell::testing
