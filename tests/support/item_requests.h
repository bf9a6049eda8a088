// SPDX-License-Identifier: GPL-3.0-or-later
// Collects the open and copy requests that reach the document's views.
#pragma once

#include <string>
#include <vector>

#include "platform/document.h"
#include "store/coll_item.h"

class CItemRequests : public CView {
public:
    void OnUpdate(CView* /*sender*/, CUpdateHint hint, const CCollItem* item) override {
        if (item != nullptr) {
            requests.push_back((hint == CUpdateHint::openItem ? "open " : "copy ") +
                               item->path.Text());
        }
    }
    std::vector<std::string> requests;
};
