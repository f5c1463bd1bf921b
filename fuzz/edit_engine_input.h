#pragma once

// Turns fuzzer bytes into a small map and a sequence of editor input.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "edit/commands/command_table.h"
#include "fuzz_check.h"
#include "edit/commands/editor_commands.h"
#include "edit/engine/map_view_engine.h"
#include "edit/engine/side_bars.h"
#include "edit/commands/command_ids.h"
#include "export/reduction/export_reduction.h"
#include "edit/layers/cells/layer_resizing.h"
#include "edit/selection/clipboard.h"
#include "edit/selection/region_edit.h"
#include "edit/session/tileset_commands.h"
#include "io/images/display_image.h"
#include "model/recording_services.h"
#include "model/settings/memory_settings_store.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_host.h"
#include "model/tileset/tileset_registration.h"

namespace qarto::fuzz {

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool done() const { return pos_ >= size_; }
  std::uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }
  int range(int lo, int hi) { return lo + next() % (hi - lo + 1); }
  std::size_t remaining() const { return size_ - pos_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

class EngineRun {
 public:
  EngineRun(const std::uint8_t* data, std::size_t size) : in_(data, size) {
    if (size < 8) return;
    settings_.writeInt("Settings", "UndoLevels", -1);
    engine_ = std::make_unique<MapViewEngine>(services_, settings_, host_);
    loadCollisionTileset(engine_->session());
    engine_->loadViewOptions();
    engine_->resize(in_.range(0, 400), in_.range(0, 300));
    commands_ = std::make_unique<EditorCommands>(*engine_);
    engine_->setClipboard(clipboard_);
    buildMap();
  }

  bool ready() const { return engine_ != nullptr; }

  // What undo gives back: the layer stack with every layer's size, parallax,
  // cells and entity block. Visibilities also change without undo entries
  // (the visibility toggles), so only the snapshot taken for redo holds them.
  struct LayerSnapshot {
    std::string name;
    LayerKind kind = LayerKind::Primary;
    int width = 0;
    int height = 0;
    float parallaxX = 0.0f;
    float parallaxY = 0.0f;
    std::vector<MapCell> cells;
    bool visible = true;
    std::vector<std::uint8_t> entities;
    friend bool operator==(const LayerSnapshot&, const LayerSnapshot&) = default;
  };

  std::vector<LayerSnapshot> snapshot(bool everything) const {
    std::vector<LayerSnapshot> out;
    for (const auto& layer : engine_->project().layers()) {
      LayerSnapshot& shot = out.emplace_back();
      shot.name = layer->nameText();
      shot.kind = layer->kind;
      shot.width = layer->width;
      shot.height = layer->height;
      shot.parallaxX = layer->parallaxX;
      shot.parallaxY = layer->parallaxY;
      shot.cells = layer->cells;
      shot.entities = layer->entities;
      if (everything) shot.visible = layer->visible;
    }
    return out;
  }

  // Every event that changes a layer's bytes leaves an undo step for it: a
  // new or taken entry, or a stroke open before or after it.
  void playEvents() {
    while (in_.remaining() >= 4) {
      const std::vector<LayerSnapshot> before = snapshot(false);
      const UndoJournal& journal = engine_->project().journal();
      const std::size_t undoable = journal.size();
      const std::size_t redoable = journal.redoSize();
      const bool stroke = journal.hasPending();
      playOne();
      FUZZ_CHECK(budgetMatchesRecount());
      const bool recorded =
          stroke || journal.hasPending() || journal.size() != undoable || journal.redoSize() != redoable;
      FUZZ_CHECK(recorded || snapshot(false) == before);
    }
  }

  void finishGestures() {
    engine_->mouseRelease(MouseButton::Left, {0, 0}, {});
    engine_->mouseRelease(MouseButton::Middle, {0, 0}, {});
    engine_->endStroke();
  }

  // The budget's counts, kept up by the edits, equal the export's reduction
  // of the whole map.
  bool budgetMatchesRecount() {
    const BudgetCounts& kept = engine_->budget().counts();
    const MapProject& project = engine_->project();
    ExportReduction reduction;
    CollectPalettes(reduction, project.layers(), project.registry(), false);
    CollectTiles(reduction, project.layers(), project.registry(), 0);
    CollectTiles(reduction, project.layers(), project.registry(), 1);
    return kept.uniqueTiles(0) == reduction.tileCount(0) && kept.uniqueTiles(1) == reduction.tileCount(1) &&
           kept.uniquePalettes() == reduction.paletteCount() &&
           kept.unregisteredCells() == reduction.paletteErrors &&
           kept.unregisteredCells() == reduction.tileErrors;
  }

  // Returns how many entries were taken back.
  std::size_t undoEverything() {
    MapProject& project = engine_->project();
    std::size_t steps = 0;
    while (project.journal().undo(project)) ++steps;
    return steps;
  }

  // Redoes `steps` entries: those the input left on the redo list stay there.
  void redo(std::size_t steps) {
    MapProject& project = engine_->project();
    for (std::size_t i = 0; i < steps; ++i) project.journal().redo(project);
  }

 private:
  void buildMap() {
    MapProject& project = engine_->project();
    const int width = in_.range(1, 40);
    const int height = in_.range(1, 30);
    const std::uint8_t layers = in_.next();
    const float parallax = static_cast<float>(in_.range(0, 20)) / 10.0f;
    project.addLayer("Level", width, height, 1.0f, 1.0f, LayerKind::Primary, true);
    if (layers & 1) project.addLayer("Sky", 0, 0, parallax, parallax, LayerKind::Secondary, false);
    if (layers & 2) project.addLayer("Collision", width, height, 1.0f, 1.0f, LayerKind::Collision, false);
    if (layers & 4) project.addLayer("Entities", 0, 0, 1.0f, 1.0f, LayerKind::Entity, false);
    addPage(in_.range(1, 4) * 8, in_.range(1, 3) * 8, (layers & 8) != 0);
    if (layers & 16) addPage(8, 16, false);
    // Scattered cells, some of pages that are not registered.
    for (const auto& layer : project.layers()) {
      for (MapCell& cell : layer->cells) {
        const std::uint8_t b = in_.next();
        cell.tile = static_cast<std::int16_t>(b % 9 - 1);
        cell.tileset = static_cast<std::int8_t>(b % 5);
        cell.palette = static_cast<std::uint8_t>(b >> 4);
        cell.flags = static_cast<std::uint8_t>(b & 7);
      }
    }
    project.journal().clear();
  }

  void addPage(int width, int height, bool withCollisionSet) {
    auto page = std::make_unique<Tileset>();
    page->imageWidth = width;
    page->imageHeight = height;
    page->pixels.resize(static_cast<std::size_t>(width * height));
    const std::uint8_t seed = in_.next();
    for (std::size_t i = 0; i < page->pixels.size(); ++i) {
      page->pixels[i] = static_cast<std::uint8_t>((i / 64 + seed) % 3 == 0 ? 0 : (i * seed) & 0xFF);
    }
    page->sourcePath = "page.bmp";
    computeTilesetGeometry(*page);
    if (withCollisionSet) {
      page->hasCollisionSet = true;
      page->collisionSet.resize(static_cast<std::size_t>(page->tileCount));
      for (std::uint8_t& entry : page->collisionSet) entry = in_.next() % 40;  // some beyond the flip tables
    }
    DisplayImage display = makeDisplayImage(*page);
    registerTileset(engine_->project(), engine_->session().host(), std::move(page), std::move(display));
  }

  ViewPoint point() { return {in_.range(0, 255) * 2 - 60, in_.range(0, 255) * 2 - 60}; }

  Modifiers modifiers(std::uint8_t bits) { return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0}; }

  KeyEvent key(std::uint8_t which, Modifiers m) {
    static const KeyEvent kKeys[] = {
        {Key::Space, " ", {}},   {Key::Tab, "\t", {}},     {Key::Shift, "", {}},   {Key::Control, "", {}},
        {Key::Keypad4, "4", {}}, {Key::Keypad3, "3", {}}, {Key::Digit1, "1", {}}, {Key::Digit0, "0", {}},
        {Key::Z, "z", {}},       {Key::H, "h", {}},       {Key::V, "v", {}},       {Key::T, "t", {}},
        {Key::Escape, "", {}},   {Key::F1, "", {}},       {Key::F2, "", {}},       {Key::F3, "", {}},
        {Key::F4, "", {}},       {Key::F5, "", {}},       {Key::F6, "", {}},      {Key::Up, "", {}},
        {Key::Right, "", {}},    {Key::Down, "", {}},     {Key::Other, ".", {}},  {Key::Other, "+", {}},
        {Key::Other, "-", {}},   {Key::Insert, "", {}},   {Key::Delete, "", {}},  {Key::Menu, "", {}},
        {Key::F9, "", {}},       {Key::Y, "y", {}},
        // Regions: with Ctrl the clipboard's keys, F7 the Select tool.
        {Key::C, "c", {}},       {Key::X, "x", {}},       {Key::A, "a", {}},       {Key::F7, "", {}},
        {Key::End, "", {}}};
    KeyEvent event = kKeys[which % (sizeof kKeys / sizeof kKeys[0])];
    event.modifiers = m;
    return event;
  }

  void playOne() {
    const std::uint8_t op = in_.next();
    const Modifiers m = modifiers(in_.next());
    switch (op % 15) {
      case 0: engine_->mousePress(static_cast<MouseButton>(1 << in_.range(0, 2)), point(), m); break;
      case 1:
      case 2: {
        const std::uint8_t held = in_.next();
        engine_->mouseMove(point(), ButtonSet{(held & 1) != 0, (held & 2) != 0, false}, m);
        break;
      }
      case 3: engine_->mouseRelease(static_cast<MouseButton>(1 << in_.range(0, 2)), point(), m); break;
      case 4: engine_->wheel(point(), (in_.range(0, 4) - 2) * 60, m); break;
      case 5: commands_->handleKey(key(in_.next(), m)); break;
      case 6: {
        const auto& table = commandTable();
        commands_->run(table[in_.next() % table.size()].id);
        break;
      }
      case 7: engine_->keyUp(KeyEvent{in_.next() % 2 ? Key::Shift : Key::Control, "", m}); break;
      case 8: engine_->mouseLeave(); break;
      case 9: {
        const auto& layers = engine_->project().layers();
        if (!layers.empty()) commands_->selectLayer(layers[in_.next() % layers.size()].get());
        break;
      }
      case 10: {
        // The Flags bar, as its controls reach the engine.
        const std::uint8_t which = in_.next();
        SideBars bars(*engine_);
        switch (which % 5) {
          case 0: bars.selectMarker(in_.next() % 6); break;
          case 1: bars.selectDamage(in_.next() % 4); break;
          case 2: bars.setSolid((which & 8) != 0); break;
          case 3: bars.setJumpThrough((which & 8) != 0); break;
          case 4: bars.setMode(static_cast<FlagPaintMode>(in_.next() % 3)); break;
        }
        break;
      }
      case 11: {
        // The Entities bar.
        const std::uint8_t which = in_.next();
        SideBars bars(*engine_);
        switch (which % 4) {
          case 0: bars.selectEntityRow(in_.next() % 8); break;
          case 1: bars.spawn(); break;
          case 2: bars.deleteSelected(); break;
          case 3: bars.cloneSelected(); break;
        }
        break;
      }
      case 12: resize(); break;
      case 13: {
        // A selection by its cells, the scope, the key set.
        const std::uint8_t which = in_.next();
        engine_->endStroke();
        selectRegion(engine_->state(), {in_.range(0, 50) - 5, in_.range(0, 40) - 5},
                     {in_.range(0, 50) - 5, in_.range(0, 40) - 5});
        if (which & 1) engine_->state().selection.scope = RegionScope::AllTileLayers;
        if (which & 2) engine_->state().selection.scope = RegionScope::ActiveLayer;
        engine_->state().classicKeys = (which & 4) != 0;
        break;
      }
      case 14: {
        // Another program's clipboard: the cells copied now with some bytes
        // changed, or raw input bytes; then Paste.
        std::vector<std::uint8_t> bytes = encodeCellBlock(copyRegion(engine_->state()));
        if (bytes.size() <= 20 || (in_.next() & 1)) bytes.assign(in_.range(0, 40), 0);
        for (std::uint8_t& b : bytes) b = (in_.next() & 7) == 0 ? in_.next() : b;
        clipboard_.put({bytes, {}});
        commands_->run(cmd::kPaste);
        break;
      }
    }
    engine_->takeRequests();
  }

  // Resize Layer as its dialog confirms it: every layer to a new size, or
  // the active layer to a new parallax.
  void resize() {
    engine_->endStroke();
    const std::uint8_t how = in_.next();
    const ResizeLayout layout{how % 9, (how & 16) != 0, (how & 32) != 0};
    std::vector<ResizeTarget> targets;
    if (how & 64) {
      const float parallax = static_cast<float>(in_.range(0, 15)) / 10.0f;
      if (MapLayer* active = engine_->project().activeLayer) {
        targets.emplace_back(active, in_.range(1, 50), in_.range(1, 40), parallax);
      }
    } else {
      const int width = in_.range(1, 50);
      const int height = in_.range(1, 40);
      for (const auto& layer : engine_->project().layers()) targets.emplace_back(layer.get(), width, height);
    }
    resizeLayers(engine_->session(), targets, layout);
  }

  ByteReader in_;
  RecordingServices services_;
  MemorySettingsStore settings_;
  HeadlessTilesetHost host_;
  MemoryClipboard clipboard_;
  std::unique_ptr<MapViewEngine> engine_;
  std::unique_ptr<EditorCommands> commands_;
};

}  // namespace qarto::fuzz
