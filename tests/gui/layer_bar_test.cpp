// The layer bar stays in step with the layer stack through every change,
// shows each layer's kind, size and toggles, its controls reach the map,
// and it never refers to a layer the project no longer holds.

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/layers/layer_bar.h"
#include "app/layers/layer_bar_entry.h"
#include "edit/commands/command_ids.h"
#include "edit/engine/map_view_engine.h"
#include "support/frame_fixture.h"

using namespace qarto;
using namespace qarto::test;

namespace {

// The entries' names, top first, with "*" on the selected one.
QStringList barEntries(CMainFrame& frame) {
  QStringList names;
  CLayerBar& bar = frame.layerBar();
  for (int i = 0; i < bar.entryCount(); ++i) {
    CLayerBarEntry* entry = bar.entry(i);
    names << entry->nameEdit()->text() + (entry->isSelected() ? "*" : "");
  }
  return names;
}

// The project's layers, top first, with "*" on the active one.
QStringList stackEntries(CMainFrame& frame) {
  QStringList names;
  const MapProject& project = frame.engine().project();
  for (int i = project.layerCount() - 1; i >= 0; --i) {
    const MapLayer* layer = project.layerAt(i);
    names << QString::fromLatin1(layer->nameText().c_str()) + (layer == project.activeLayer ? "*" : "");
  }
  return names;
}

CLayerBarEntry* entryNamed(CMainFrame& frame, const QString& name) {
  for (int i = 0; i < frame.layerBar().entryCount(); ++i) {
    if (frame.layerBar().entry(i)->nameEdit()->text() == name) return frame.layerBar().entry(i);
  }
  return nullptr;
}

}  // namespace

class LayerBarTest : public QObject {
  Q_OBJECT

 private slots:
  void inStepThroughEveryChangeOfTheStack() {
    FrameFixture frame;
    MapProject& project = frame->engine().project();
    // The New Map Wizard's layers, as the wizard makes them.
    QVERIFY(project.addLayer("Ground", 40, 30, 1.0f, 1.0f, LayerKind::Primary, true));
    QVERIFY(project.addLayer("Hills", 0, 0, 0.5f, 0.25f, LayerKind::Secondary, false));
    QVERIFY(project.addLayer("Walls", 0, 0, 1.0f, 1.0f, LayerKind::Collision, false));
    QCOMPARE(barEntries(*frame), (QStringList{"Ground*", "Hills", "Walls"}));  // added at the bottom
    // 30 + ceil(0.5 x 10) by 20 + ceil(0.25 x 10)
    QCOMPARE(entryNamed(*frame, "Hills")->sizeLabel()->text(), QStringLiteral(" 35x23 tiles, px(0.50 x 0.25)"));

    const std::pair<int, const char*> steps[] = {
        {cmd::kCloneLayer, "clone"},         {cmd::kShuffleLayerUp, "shuffle up"},
        {cmd::kNextLayer, "next layer"},     {cmd::kShuffleLayerDown, "shuffle down"},
        {cmd::kMergeDown, "merge"},          {cmd::kUndo, "undo"},
        {cmd::kDeleteLayer, "delete"},       {cmd::kUndo, "undo delete"},
        {cmd::kPreviousLayer, "previous"},   {cmd::kToggleLayerVisibility, "hide"}};
    for (const auto& [id, what] : steps) {
      frame.services.answers = {MessageAnswer::Yes};
      frame->runCommand(id);
      QVERIFY2(barEntries(*frame) == stackEntries(*frame),
               qPrintable(QString("%1: bar %2, stack %3")
                              .arg(what, barEntries(*frame).join(','), stackEntries(*frame).join(','))));
    }

    frame.services.answers = {MessageAnswer::No};  // the edits are not kept
    QVERIFY(frame.loadDemo());
    QCOMPARE(barEntries(*frame), (QStringList{"Level*", "Collision", "Entities", "Sky"}));
    QStringList kinds;
    for (int i = 0; i < 4; ++i) {
      CLayerBarEntry* entry = frame->layerBar().entry(i);
      kinds << entry->kindLabel()->text() + entry->sizeLabel()->text();
      QCOMPARE(entry->flagsButton()->isHidden(), i != 1);  // collision layers only
      QCOMPARE(entry->groupingButton()->isHidden(), i == 1);
    }
    QCOMPARE(kinds, (QStringList{" Primary Layer 64x32 tiles", " Collision Layer 64x32 tiles", " Entity Layer",
                                 " Secondary Layer 47x26 tiles, px(0.50 x 0.50)"}));

    // Eight entries do not fit a short window: they scroll.
    frame->resize(800, 400);
    frame->show();
    for (int i = 0; i < 4; ++i) frame->runCommand(cmd::kCloneLayer);
    QTRY_VERIFY(frame->layerBar().findChild<QScrollArea*>()->verticalScrollBar()->isVisible());
  }

  void everyControlOfAnEntryReachesTheMap() {
    FrameFixture frame;
    frame->show();
    QVERIFY(frame.loadDemo());
    MapProject& project = frame->engine().project();
    CLayerBarEntry* collision = entryNamed(*frame, "Collision");
    collision->flagsButton()->click();  // one switch for the map's flags, no edit of the map
    QCOMPARE(std::pair(frame->engine().state().view.showFlags, project.modified), std::pair(false, false));
    CLayerBarEntry* level = entryNamed(*frame, "Level");
    level->groupingButton()->click();
    QCOMPARE(std::pair(level->layer()->tileGrouping, project.modified), std::pair(true, true));

    CLayerBarEntry* sky = entryNamed(*frame, "Sky");
    QTest::mouseClick(sky, Qt::LeftButton, {}, QPoint(150, 40));
    QCOMPARE(barEntries(*frame), (QStringList{"Level", "Collision", "Entities", "Sky*"}));
    QMenu* shown = nullptr;
    QTimer::singleShot(0, [&] {
      shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (shown != nullptr) shown->close();
    });
    level->menuButton()->click();
    QCOMPARE(shown, frame->layerBar().context().layersMenu);
    QCOMPARE(project.activeLayer, level->layer());

    // A hidden layer shows its lock on, without locking the layer.
    QVERIFY(!level->lockButton()->isChecked());
    level->visibleButton()->click();
    QCOMPARE(std::tuple(level->layer()->visible, level->lockButton()->isChecked(), level->layer()->locked),
             std::tuple(false, true, false));
    level->visibleButton()->click();
    QVERIFY(!level->lockButton()->isChecked());
  }

  void renamingKeeps31BytesAndMarksOnlyRealChanges() {
    FrameFixture frame;
    QVERIFY(frame.loadDemo());
    CLayerBarEntry* sky = entryNamed(*frame, "Sky");
    QLineEdit* edit = sky->nameEdit();
    MapLayer* layer = sky->layer();

    edit->selectAll();
    QTest::keyClicks(edit, QString(40, 'x'));
    QCOMPARE(edit->text(), QString(31, 'x'));
    QCOMPARE(layer->nameText(), std::string(31, 'x'));
    QVERIFY(frame->engine().project().modified);

    // A 32nd character is dropped: the name stays, so does the saved state.
    frame->engine().project().modified = false;
    edit->end(false);
    QTest::keyClicks(edit, "y");
    QCOMPARE(layer->nameText(), std::string(31, 'x'));
    QVERIFY(!frame->engine().project().modified);
  }

  void entriesNeverReachALayerTheProjectDropped() {
    FrameFixture frame;
    QVERIFY(frame.loadDemo());
    MapProject& project = frame->engine().project();
    CLayerBarEntry* sky = entryNamed(*frame, "Sky");
    // Taken out without a word to the bar: the entry must not use it.
    std::unique_ptr<MapLayer> gone = project.takeLayer(sky->layer());
    gone.reset();
    QVERIFY(sky->layer() == nullptr);
    sky->repaint();
    QTest::mouseClick(sky, Qt::LeftButton, {}, QPoint(150, 40));
    sky->visibleButton()->click();
    QCOMPARE(sky->nameEdit()->text(), QString());
    project.resetProject(false);
    QCOMPARE(frame->layerBar().entryCount(), 0);
  }
};

QTEST_MAIN(LayerBarTest)
#include "layer_bar_test.moc"
