#include "ui/Unit_ExplorerEntries.h"

TExplorerEntries& ExplorerEntries()
{
    static TExplorerEntries entries;
    return entries;
}
