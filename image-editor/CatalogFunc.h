// Where the catalog browser keeps its index of captured screens.
#pragma once
#include <string>

// The index file's path; empty until BuildCatalogIndexPath.
extern std::string CatalogIndexPath;

// Once: the catalog browser's folder (BrowserLocation) and "index.dat".
void BuildCatalogIndexPath();
