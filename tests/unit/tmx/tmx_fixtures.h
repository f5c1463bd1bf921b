#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "edit/entities/entity_catalogue.h"
#include "edit/entities/entity_record.h"
#include "edit/session/tileset_commands.h"
#include "edit/tmx/tiled_map_commands.h"
#include "support/page_files.h"
#include "support/test_session.h"

namespace qarto::test {

// A session as the editor starts it: the collision page registered first.
struct TmxSession : TestSession {
  TmxSession() { loadCollisionTileset(session); }
};

// Layers of `b` equal those of `a`, with cells compared by what they show:
// the tile, its palette row, flips and collision, and the page's pixels and
// palette (page ids may differ between two sessions).
inline void expectSameMap(TestSession& a, TestSession& b) {
  ASSERT_EQ(a.project().layerCount(), b.project().layerCount());
  for (int i = 0; i < a.project().layerCount(); ++i) {
    const MapLayer& x = *a.project().layerAt(i);
    const MapLayer& y = *b.project().layerAt(i);
    SCOPED_TRACE(x.nameText());
    EXPECT_EQ(std::tie(x.kind, x.visible, x.alpha, x.locked, x.width, x.height, x.parallaxX, x.parallaxY,
                       x.tileGrouping, x.entities),
              std::tie(y.kind, y.visible, y.alpha, y.locked, y.width, y.height, y.parallaxX, y.parallaxY,
                       y.tileGrouping, y.entities));
    EXPECT_EQ(x.nameText(), y.nameText());
    ASSERT_EQ(x.cells.size(), y.cells.size());
    for (std::size_t c = 0; c < x.cells.size(); ++c) {
      const MapCell& p = x.cells[c];
      const MapCell& q = y.cells[c];
      const Tileset* pagesOf[2] = {a.registry().find(p.tileset), b.registry().find(q.tileset)};
      ASSERT_TRUE(pagesOf[0] != nullptr && pagesOf[1] != nullptr) << "cell " << c;
      ASSERT_EQ(std::tie(p.tile, p.palette, p.flags, p.collision), std::tie(q.tile, q.palette, q.flags, q.collision))
          << "cell " << c;
      ASSERT_EQ(std::tie(pagesOf[0]->pixels, pagesOf[0]->palette, pagesOf[0]->isCollisionTileset),
                std::tie(pagesOf[1]->pixels, pagesOf[1]->palette, pagesOf[1]->isCollisionTileset))
          << "cell " << c;
    }
  }
}

// Imports a TMX file into a fresh session as the editor's command does.
inline TmxImport importInto(TmxSession& session, const std::string& path) {
  const EntityCatalogue catalogue;
  TmxImport imported = readTiledMap(session.session, catalogue, path);
  if (imported.ok) installTiledMap(session.session, imported);
  return imported;
}

// Tiled itself, when the machine has it.
inline bool tiledInstalled() { return std::filesystem::exists("/usr/bin/tiled"); }
inline bool tiledConverts(const std::string& in, const std::string& out) {
  const std::string command = "QT_QPA_PLATFORM=offscreen /usr/bin/tiled --export-map tmx '" + in + "' '" + out +
                              "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

}  // namespace qarto::test
