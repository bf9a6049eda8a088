// SPDX-License-Identifier: GPL-3.0-or-later
// The small document base of the desktop program: title, path name, modified flag, the views
// that are told of every change through an update hint, and the listeners that follow the
// document's state (modified flag, title, path) to keep a window title and commands right.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The item a copy or an open names; a value of the catalogue, declared here only so that a
// hint can point at one.
struct CCollItem;

// What changed, for the views to act on.
enum class CUpdateHint {
    redrawAll = 0,
    copyItem = 1,
    openItem = 2,
    reloadBrowse = 3,
    currentDiskChanged = 4,
    currentFolderChanged = 5,
};

class CView {
public:
    virtual ~CView() = default;
    // `sender` is the view that caused the change, if any; `item` is set for copyItem and
    // openItem only, and lives for the call.
    virtual void OnUpdate(CView* sender, CUpdateHint hint, const CCollItem* item) = 0;
};

class CDocument {
public:
    using StateListener = std::function<void()>;

    CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;
    virtual ~CDocument() = default;

    virtual void DeleteContents() {}
    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const std::string& path) = 0;
    virtual bool OnSaveDocument(const std::string& path) = 0;

    const std::string& GetTitle() const { return title; }
    void SetTitle(const std::string& text);
    const std::string& GetPathName() const { return pathName; }
    // Also makes the file's name the title.
    void SetPathName(const std::string& path);
    void ClearPathName();
    bool IsModified() const { return modified; }
    void SetModifiedFlag(bool flag = true);

    void AddView(CView* view);
    void RemoveView(CView* view);
    void UpdateAllViews(CView* sender, CUpdateHint hint = CUpdateHint::redrawAll,
                        const CCollItem* item = nullptr);

    // `listener` runs after each change of the modified flag, the title or the path name;
    // the returned number takes it off again.
    std::size_t AddStateListener(StateListener listener);
    void RemoveStateListener(std::size_t id);

private:
    void StateChanged();

    std::string title;
    std::string pathName;
    bool modified = false;
    std::vector<CView*> views;
    std::vector<std::pair<std::size_t, StateListener>> listeners;
    std::size_t nextListenerId = 1;
};
