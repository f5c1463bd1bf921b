#include "app/startup_environment.h"

#include <QCoreApplication>
#include <QSurfaceFormat>
#include <clocale>

#include "app/view/map_view.h"

namespace qarto {

void prepareGraphics() { QSurfaceFormat::setDefaultFormat(CMapView::surfaceFormat()); }

void restoreNumericLocale() { std::setlocale(LC_NUMERIC, "C"); }

}  // namespace qarto
