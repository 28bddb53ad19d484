#pragma once
// Checks inside a modal dialog that cannot hang a test.  A check runs from
// the dialog's own event loop; an ASSERT there only leaves the check, so a
// failed check closes every modal dialog: the code that opened it returns
// and the test fails at once instead of waiting for its time-out.  A dialog
// that is still open after ten seconds is closed the same way.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace zaq::gui::test {

inline void SchliesseModaleDialoge() {
  for (int i = 0; i < 16 && QApplication::activeModalWidget(); ++i) {
    QWidget* w = QApplication::activeModalWidget();
    if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
    else w->close();
  }
}

// Runs pruefung with the modal dialog of class Fenster once the event loop
// runs (that is: once the code under test shows the dialog).
template <class Fenster>
void ImDialog(std::function<void(Fenster&)> pruefung) {
  QTimer::singleShot(0, [pruefung = std::move(pruefung)] {
    auto* fenster = qobject_cast<Fenster*>(QApplication::activeModalWidget());
    [&] {
      ASSERT_TRUE(fenster) << "kein modaler Dialog der erwarteten Klasse";
      QPointer<Fenster> waechter(fenster);
      QTimer::singleShot(10000, [waechter] {
        if (!waechter || !waechter->isVisible()) return;
        ADD_FAILURE() << "der Dialog blieb offen";
        SchliesseModaleDialoge();
      });
      pruefung(*fenster);
    }();
    if (::testing::Test::HasFatalFailure()) SchliesseModaleDialoge();
  });
}

}  // namespace zaq::gui::test
