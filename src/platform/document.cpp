// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/document.h"

#include <algorithm>
#include <utility>

#include "platform/fs_ops.h"

bool CDocument::OnNewDocument() {
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}

void CDocument::SetTitle(const std::string& text) {
    if (title != text) {
        title = text;
        StateChanged();
    }
}

void CDocument::SetPathName(const std::string& path) {
    std::string name = FileNameOf(path);
    if (pathName != path || title != name) {
        pathName = path;
        title = std::move(name);
        StateChanged();
    }
}

void CDocument::ClearPathName() {
    if (!pathName.empty()) {
        pathName.clear();
        StateChanged();
    }
}

void CDocument::SetModifiedFlag(bool flag) {
    if (modified != flag) {
        modified = flag;
        StateChanged();
    }
}

void CDocument::AddView(CView* view) {
    if (std::find(views.begin(), views.end(), view) == views.end()) {
        views.push_back(view);
    }
}

void CDocument::RemoveView(CView* view) {
    views.erase(std::remove(views.begin(), views.end(), view), views.end());
}

void CDocument::UpdateAllViews(CView* sender, CUpdateHint hint, const CCollItem* item) {
    // A view may detach itself while it is told: walk a copy.
    std::vector<CView*> current = views;
    for (CView* view : current) {
        if (view != sender) {
            view->OnUpdate(sender, hint, item);
        }
    }
}

std::size_t CDocument::AddStateListener(StateListener listener) {
    std::size_t id = nextListenerId++;
    listeners.emplace_back(id, std::move(listener));
    return id;
}

void CDocument::RemoveStateListener(std::size_t id) {
    std::erase_if(listeners, [id](const auto& entry) { return entry.first == id; });
}

void CDocument::StateChanged() {
    // A listener may take itself off while it is told: walk a copy.
    std::vector<std::pair<std::size_t, StateListener>> current = listeners;
    for (const auto& entry : current) {
        entry.second();
    }
}
