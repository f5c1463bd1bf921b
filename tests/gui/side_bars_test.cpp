// The Flags and Entities bars on the stand-in view: F5 and F6 bring their
// bar and layer, every control reaches the engine and gives the keys back
// to the view. Their places survive a restart (startup_test); painting with
// the mouse and the read-out are in map_view_gl_test.

#include <QAbstractButton>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTest>

#include "app/frame/command_actions.h"
#include "app/side_bars/budget_bar.h"
#include "app/side_bars/entities_bar.h"
#include "app/side_bars/flags_bar.h"
#include "edit/commands/command_ids.h"
#include "edit/engine/map_view_engine.h"
#include "edit/entities/entity_record.h"
#include "support/frame_fixture.h"

using namespace qarto;
using namespace qarto::test;

class SideBarsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyControlReachesTheEngineAndGivesTheKeysBackToTheView() {
    FrameFixture frame;
    QVERIFY(frame.loadDemo());
    frame->show();
    QVERIFY(QTest::qWaitForWindowActive(frame.frame.get()));
    const EngineState& state = frame->engine().state();
    const MapLayer& entities = *frame->engine().project().findLayerOfKind(LayerKind::Entity);
    auto inUse = [&] {
      int count = 0;
      for (int slot = 0; slot < kEntitySlots; ++slot) count += readEntity(entities, slot)->inUse ? 1 : 0;
      return count;
    };
    const QString turret = "Stands still and fires along its facing.\n";
    const struct {
      int key;
      const char* control;
      int entry;  // a list's entry; -1: a click
      std::function<bool()> reached;
    } rows[] = {
        {Qt::Key_F5, "markers", 2, [&] { return state.flags.value == 0x0080; }},
        {Qt::Key_F5, "damage", 1, [&] { return state.flags.value == 0x4080; }},
        {Qt::Key_F5, "solid", -1, [&] { return state.flags.value == 0x5080; }},
        {Qt::Key_F5, "jumpThrough", -1, [&] { return state.flags.value == 0x7080; }},
        {Qt::Key_F5, "remove", -1, [&] { return state.flags.mode == FlagPaintMode::Remove; }},
        {Qt::Key_F5, "replace", -1, [&] { return state.flags.mode == FlagPaintMode::Replace; }},
        {Qt::Key_F6, "entityList", 3,
         [&] {
           return frame->entitiesBar().findChild<QPlainTextEdit*>()->toPlainText().startsWith(turret) &&
                  state.entityType == 3;
         }},
        {Qt::Key_F6, "spawn", -1, [&] { return inUse() == 5; }},
        {Qt::Key_F6, "cloneEntity", -1, [&] { return inUse() == 6; }},
        {Qt::Key_F6, "deleteEntity", -1, [&] { return inUse() == 5; }},
    };
    // The map stays where it was on the screen when a bar pushes the view aside.
    const auto mapLeft = [&] { return frame->view()->mapTo(frame.frame.get(), QPoint()).x() - state.view.scrollX; };
    const int left = mapLeft();
    for (const auto& row : rows) {
      frame.press(row.key);
      QCOMPARE(mapLeft(), left);
      const bool flags = row.key == Qt::Key_F5;
      QCOMPARE(std::tuple(frame->flagsBar().isVisible(), frame->entitiesBar().isVisible()), std::tuple(flags, !flags));
      QCOMPARE(frame->engine().project().activeLayer->kind, flags ? LayerKind::Collision : LayerKind::Entity);
      QVERIFY(frame->actions().action(flags ? cmd::kFlagPaintMode : cmd::kEntityPlacementMode)->isChecked());
      QWidget* control = frame->findChild<QWidget*>(row.control);
      control->setFocus();
      QTRY_VERIFY(control->hasFocus());
      if (row.entry >= 0) {
        emit static_cast<QComboBox*>(control)->activated(row.entry);  // as the user picks it from the list
      } else {
        static_cast<QAbstractButton*>(control)->click();
      }
      QVERIFY2(row.reached(), row.control);
      QTRY_VERIFY2(frame->view()->hasFocus(), row.control);
    }
    frame.press(Qt::Key_F1);
    QVERIFY(frame->flagsBar().isHidden() && frame->entitiesBar().isHidden());
  }

  // View > Hardware Budget: the bar follows a layer deleted and its undo.
  void theBudgetBarFollowsTheMap() {
    FrameFixture frame;
    QVERIFY(frame.loadDemo());
    frame->show();
    QVERIFY(frame->budgetBar().isHidden());
    frame->runCommand(cmd::kToggleBudgetBar);
    QTRY_VERIFY(frame->budgetBar().isVisible());
    auto texts = [&] {
      QStringList lines;
      for (const BudgetLine& line : frame->budgetBar().lines()) lines << QString::fromStdString(line.text);
      return lines.join('|');
    };
    const QString before = texts();
    QVERIFY2(before.startsWith("Group1 tiles: 16 of 1024, 1 char blocks|Palettes: "), qPrintable(before));
    QVERIFY2(before.contains("|Layer Level: 64 x 32 cells, 2 screen blocks, streamed|"), qPrintable(before));
    frame->engine().project().setActiveLayer(frame->engine().project().findLayerOfKind(LayerKind::Secondary));
    frame->runCommand(cmd::kDeleteLayer);
    QVERIFY2(!texts().contains("Layer Sky"), qPrintable(texts()));
    frame->runCommand(cmd::kUndo);
    QCOMPARE(texts(), before);
  }
};

QTEST_MAIN(SideBarsTest)
#include "side_bars_test.moc"
