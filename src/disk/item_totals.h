// SPDX-License-Identifier: GPL-3.0-or-later
// What the index file records below a catalogued folder, so that a copy of it can show how
// far it has come against what the disk held when it was catalogued.
#pragma once

#include "store/coll_totals.h"

class CCollDisk;
struct CCollItem;

using CCatalogueTotals = CDiskTotals;

// Reads the disk's index file for the folder `item` names (the whole disk for its root) and
// counts what lies below it at every depth. False when the folder is not in the index or the
// file cannot be read; nothing is shown.
bool CountCatalogueSubtree(const CCollDisk& disk, const CCollItem& item, CCatalogueTotals& totals);
