// The Hardware Budget bar on four 1024 x 1024 layers (1000 tiles): after a
// 64-cell stroke, the budget brought up to date, the bar's figures taken
// from it and the bar painted into an image, as the window does after each
// edit. One frame at 60 Hz is 16.7 ms. Runs on the offscreen platform:
//   QT_QPA_PLATFORM=offscreen qarto_budget_bar_repaint

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <random>

#include "app/side_bars/budget_bar.h"
#include "bench_map.h"
#include "edit/engine/map_view_engine.h"
#include "model/project/map_project.h"
#include "model/recording_services.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/tileset_host.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {
namespace {

void BM_BudgetBarAfterStroke(benchmark::State& state) {
  RecordingServices services;
  MemorySettingsStore settings;
  HeadlessTilesetHost host;
  MapViewEngine engine(services, settings, host);
  std::mt19937 rng{7};
  MapProject& project = engine.project();
  bench::loadFourLayerBenchMap(project, rng);
  CBudgetBar bar(engine);
  bar.resize(320, 480);
  bar.show();
  bar.updateFromEngine();
  QImage frame(bar.size(), QImage::Format_ARGB32_Premultiplied);

  for (auto _ : state) {
    bench::strokeEightByEight(project, rng);
    bar.updateFromEngine();
    QPainter painter(&frame);
    bar.render(&painter);
  }
}
BENCHMARK(BM_BudgetBarAfterStroke)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qarto

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
