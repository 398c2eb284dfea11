#pragma once
// Pages 1 to 3: the log grid, the two calculation settings and the usage page.

#include "app/page_placer.h"

namespace paylog {

void buildLogGridPage(const PagePlacer& placer);
void buildSettingsPage(const PagePlacer& placer);
void buildUsagePage(const PagePlacer& placer);

}  // namespace paylog
