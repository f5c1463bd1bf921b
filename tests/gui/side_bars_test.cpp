// The Flags and Entities bars: F5 and F6 bring their bar and layer, a
// click with Solid ticked sets bit 12 of the cell, every control reaches the
// engine and gives the keyboard back to the map view, the read-out follows
// the mouse, and the bars' places survive a restart.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "app/frame/command_actions.h"
#include "app/side_bars/entities_bar.h"
#include "app/side_bars/flags_bar.h"
#include "edit/commands/command_ids.h"
#include "edit/engine/map_view_engine.h"
#include "edit/entities/entity_record.h"
#include "render/art/builtin_glyphs.h"
#include "support/frame_fixture.h"
#include "support/stand_in_view.h"

using namespace qarto;
using namespace qarto::test;

namespace {

// The window point over the middle of cell (x, y) of a layer without parallax.
QPoint cellPoint(CMainFrame& frame, int x, int y) {
  const MapGeometry g = frame.engine().geometry();
  const int cell = static_cast<int>(8 * g.zoom);
  return {g.originX + x * cell + cell / 2 - g.scrollX, g.originY + y * cell + cell / 2 - g.scrollY};
}

int entitiesInUse(CMainFrame& frame) {
  const MapLayer* layer = frame.engine().project().findLayerOfKind(LayerKind::Entity);
  int count = 0;
  for (int slot = 0; slot < kEntitySlots; ++slot) count += readEntity(*layer, slot).value().inUse ? 1 : 0;
  return count;
}

bool showDemo(FrameFixture& frame) {
  if (!frame.loadDemo()) return false;
  frame->show();
  frame->activateWindow();
  return QTest::qWaitForWindowActive(frame.frame.get());
}

}  // namespace

class SideBarsTest : public QObject {
  Q_OBJECT

 private slots:
  void toolKeysShowTheirBarAndLayer() {
    FrameFixture frame;
    QVERIFY(showDemo(frame));
    const MapProject& project = frame->engine().project();
    const struct {
      int key;
      int command;
      bool flags, entities;
      LayerKind active;
    } rows[] = {{Qt::Key_F5, cmd::kFlagPaintMode, true, false, LayerKind::Collision},
                {Qt::Key_F6, cmd::kEntityPlacementMode, false, true, LayerKind::Entity},
                {Qt::Key_F1, cmd::kPaintMode, false, false, LayerKind::Entity}};
    for (const auto& row : rows) {
      frame.press(row.key);
      QCOMPARE(frame->flagsBar().isVisible(), row.flags);
      QCOMPARE(frame->entitiesBar().isVisible(), row.entities);
      QCOMPARE(project.activeLayer->kind, row.active);
      QVERIFY(frame->actions().action(row.command)->isChecked());
    }
    QCOMPARE(frame->dockWidgetArea(&frame->flagsBar()), Qt::LeftDockWidgetArea);
    QCOMPARE(frame->flagsBar().windowTitle(), QStringLiteral(" Flags"));
    QCOMPARE(frame->entitiesBar().windowTitle(), QStringLiteral(" Entities"));
  }

  void aClickWithSolidTickedSetsBit12AndTheReadOutFollows() {
    FrameFixture frame;
    QVERIFY(showDemo(frame));
    frame.press(Qt::Key_F5);
    MapLayer& collision = *frame->engine().project().activeLayer;
    const std::uint16_t before = collision.cell(3, 4).collision;
    frame->flagsBar().findChild<QCheckBox*>("solid")->click();
    QTest::mouseClick(frame->view(), Qt::LeftButton, {}, cellPoint(*frame, 3, 4));
    QCOMPARE(collision.cell(3, 4).collision, static_cast<std::uint16_t>(before | 0x1000));
    QVERIFY(frame->engine().project().modified);
    QTest::mouseMove(frame->view(), cellPoint(*frame, 3, 4));
    QTRY_VERIFY(frame->flagsBar().findChild<QLabel*>("cursorTileProperties")->text().endsWith(" Solid\n"));
    frame.press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(collision.cell(3, 4).collision, before);
  }

  void everyControlReachesTheEngineAndGivesTheKeysBackToTheView() {
    FrameFixture frame;
    QVERIFY(showDemo(frame));
    const EngineState& state = frame->engine().state();
    CFlagsBar& flags = frame->flagsBar();
    CEntitiesBar& entities = frame->entitiesBar();
    using Check = std::function<bool()>;
    const auto click = [](QWidget* w) { return [w] { static_cast<QAbstractButton*>(w)->click(); }; };
    const auto choose = [](QWidget* w, int i) { return [w, i] { emit static_cast<QComboBox*>(w)->activated(i); }; };
    QWidget* markers = flags.findChild<QComboBox*>("markers");
    QWidget* damage = flags.findChild<QComboBox*>("damage");
    QWidget* list = entities.findChild<QComboBox*>("entityList");
    const struct {
      int tool;
      QWidget* control;
      std::function<void()> act;
      Check reached;
    } rows[] = {
        {Qt::Key_F5, markers, choose(markers, 2), [&] { return state.flags.value == 0x0080; }},
        {Qt::Key_F5, damage, choose(damage, 1), [&] { return state.flags.value == 0x4080; }},
        {Qt::Key_F5, flags.findChild<QCheckBox*>("solid"), click(flags.findChild<QCheckBox*>("solid")),
         [&] { return state.flags.value == 0x5080; }},
        {Qt::Key_F5, flags.findChild<QCheckBox*>("jumpThrough"), click(flags.findChild<QCheckBox*>("jumpThrough")),
         [&] { return state.flags.value == 0x7080; }},
        {Qt::Key_F5, flags.findChild<QRadioButton*>("remove"), click(flags.findChild<QRadioButton*>("remove")),
         [&] { return state.flags.mode == FlagPaintMode::Remove; }},
        {Qt::Key_F5, flags.findChild<QRadioButton*>("replace"), click(flags.findChild<QRadioButton*>("replace")),
         [&] { return state.flags.mode == FlagPaintMode::Replace; }},
        {Qt::Key_F6, list, choose(list, 3),
         [&] {
           return state.entityType == 3 && entities.findChild<QPlainTextEdit*>("entityDescription")
                                               ->toPlainText()
                                               .startsWith("Stands still and fires along its facing.\n");
         }},
        {Qt::Key_F6, entities.findChild<QPushButton*>("spawn"), click(entities.findChild<QPushButton*>("spawn")),
         [&] { return entitiesInUse(*frame) == 5; }},
        {Qt::Key_F6, entities.findChild<QPushButton*>("cloneEntity"),
         click(entities.findChild<QPushButton*>("cloneEntity")), [&] { return entitiesInUse(*frame) == 6; }},
        {Qt::Key_F6, entities.findChild<QPushButton*>("deleteEntity"),
         click(entities.findChild<QPushButton*>("deleteEntity")), [&] { return entitiesInUse(*frame) == 5; }},
    };
    for (const auto& row : rows) {
      frame.press(row.tool);
      row.control->setFocus();
      QTRY_VERIFY2(row.control->hasFocus(), qPrintable(row.control->objectName()));
      row.act();
      QVERIFY2(row.reached(), qPrintable(row.control->objectName()));
      QTRY_VERIFY2(frame->view()->hasFocus(), qPrintable(row.control->objectName()));
    }
  }

  void theBarsPlacesSurviveARestart() {
    ScriptedServices services;
    MemorySettingsStore settings;
    CMainFrame::Options options;
    options.viewFactory = StandInView::factory();
    {
      CMainFrame frame(services, settings, builtinGlyphSet(), options);
      frame.addDockWidget(Qt::RightDockWidgetArea, &frame.flagsBar());
      frame.addDockWidget(Qt::RightDockWidgetArea, &frame.entitiesBar());
      QVERIFY(frame.close());
    }
    CMainFrame frame(services, settings, builtinGlyphSet(), options);
    QCOMPARE(frame.dockWidgetArea(&frame.flagsBar()), Qt::RightDockWidgetArea);
    QCOMPARE(frame.dockWidgetArea(&frame.entitiesBar()), Qt::RightDockWidgetArea);
    QVERIFY(frame.flagsBar().isHidden());  // until their tool is chosen
  }
};

QTEST_MAIN(SideBarsTest)
#include "side_bars_test.moc"
