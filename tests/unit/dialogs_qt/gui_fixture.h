#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

#include "support/dialog_fixture.h"

namespace qarto::test {

// A child widget of `parent` by object name; fails the test when missing.
template <typename T>
T* child(const QObject& parent, const char* name) {
  T* found = parent.findChild<T*>(QString::fromUtf8(name));
  EXPECT_NE(found, nullptr) << "no child named " << name;
  return found;
}

// The button of `parent` that shows `text`.
inline QAbstractButton* button(const QObject& parent, const QString& text) {
  for (QAbstractButton* candidate : parent.findChildren<QAbstractButton*>()) {
    if (candidate->text() == text) return candidate;
  }
  ADD_FAILURE() << "no button " << text.toStdString();
  return nullptr;
}

// A click as the user makes it (pressed, released, toggled, clicked).
inline void click(QAbstractButton* target) {
  ASSERT_NE(target, nullptr);
  ASSERT_TRUE(target->isVisible() && target->isEnabled()) << target->objectName().toStdString();
  target->click();
}

// Replaces the edit's text by typing, as the user would.
inline void type(QLineEdit* edit, const QString& text) {
  ASSERT_NE(edit, nullptr);
  ASSERT_TRUE(edit->isEnabled()) << edit->objectName().toStdString();
  edit->clear();
  QTest::keyClicks(edit, text);
}

// Waits, handling events, until `done` holds (at most five seconds).
inline bool waitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, 5000); }

// Shows a dialog modelessly and waits until it is on screen.
inline void showAndWait(QDialog& dialog) {
  dialog.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
}

// Runs `whileOpen` on the modal dialog that the next call opens, once it is
// up; `whileOpen` is expected to close it.
inline void onNextModal(std::function<void(QDialog&)> whileOpen) {
  auto* poll = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, tries, whileOpen = std::move(whileOpen)] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr && ++*tries < 500) return;
    poll->stop();
    poll->deleteLater();
    if (dialog == nullptr) {
      ADD_FAILURE() << "no modal dialog came up";
      return;
    }
    whileOpen(*dialog);
  });
  poll->start(10);
}

}  // namespace qarto::test
