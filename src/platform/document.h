// The small document base of the desktop program: title, path name, modified flag, and the
// views that are told of every change through an update hint.
#pragma once

#include <string>
#include <vector>

class CDocument;

class CView {
public:
    virtual ~CView() = default;
    // `sender` is the view that caused the change, if any; `hintObject` depends on the hint.
    virtual void OnUpdate(CView* sender, int hint, void* hintObject) = 0;
};

class CDocument {
public:
    CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;
    virtual ~CDocument() = default;

    virtual void DeleteContents() {}
    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const std::string& path) = 0;
    virtual bool OnSaveDocument(const std::string& path) = 0;

    const std::string& GetTitle() const { return title; }
    void SetTitle(const std::string& text) { title = text; }
    const std::string& GetPathName() const { return pathName; }
    // Also makes the file's name the title.
    void SetPathName(const std::string& path);
    void ClearPathName() { pathName.clear(); }
    bool IsModified() const { return modified; }
    void SetModifiedFlag(bool flag = true) { modified = flag; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    void UpdateAllViews(CView* sender, int hint = 0, void* hintObject = nullptr);

private:
    std::string title;
    std::string pathName;
    bool modified = false;
    std::vector<CView*> views;
};
