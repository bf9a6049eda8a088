#include "shell/ui/coll_item_commands.h"

#include "shell/coll_session.h"
#include "store/coll_item.h"

void OpenCatalogueItem(CCollSession& /*session*/, const CCollItem& /*item*/, QWidget* /*parent*/) {}

void CopyCatalogueItem(CCollSession& /*session*/, const CCollItem& /*item*/, QWidget* /*parent*/) {}
