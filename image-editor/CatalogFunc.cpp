#include "CatalogFunc.h"

#include "RegData.h"

std::string CatalogIndexPath;

void BuildCatalogIndexPath() {
    if (!CatalogIndexPath.empty()) return;
    CatalogIndexPath = BrowserLocation;
    if (CatalogIndexPath.empty() || CatalogIndexPath.back() != '\\') CatalogIndexPath += '\\';
    CatalogIndexPath += "index.dat";
}
