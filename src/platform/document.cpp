#include "platform/document.h"

#include <algorithm>

bool CDocument::OnNewDocument() {
    DeleteContents();
    modified = false;
    return true;
}

void CDocument::SetPathName(const std::string& path) {
    pathName = path;
    std::string::size_type slash = path.rfind('/');
    title = slash == std::string::npos ? path : path.substr(slash + 1);
}

void CDocument::AddView(CView* view) {
    if (std::find(views.begin(), views.end(), view) == views.end()) {
        views.push_back(view);
    }
}

void CDocument::RemoveView(CView* view) {
    views.erase(std::remove(views.begin(), views.end(), view), views.end());
}

void CDocument::UpdateAllViews(CView* sender, int hint, void* hintObject) {
    // A view may detach itself while it is told: walk a copy.
    std::vector<CView*> current = views;
    for (CView* view : current) {
        if (view != sender) {
            view->OnUpdate(sender, hint, hintObject);
        }
    }
}
