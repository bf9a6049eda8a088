// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and copying a catalogued item from the disk in the drive, asked for by the browse
// panel and the search results.
#pragma once

class CCollSession;
struct CCollItem;
class QWidget;

void OpenCatalogueItem(CCollSession& session, const CCollItem& item, QWidget* parent);
void CopyCatalogueItem(CCollSession& session, const CCollItem& item, QWidget* parent);
