#pragma once
// How the document tells its views what changed.
#include <string>

enum class ViewHint {
    ShowPreview = 1000,       // show the preview run's home page; address holds it
    ReloadAppearance = 2000,  // reload the appearance pages from the record
};

class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    // address: the page to show with ShowPreview, empty otherwise.
    virtual void documentChanged(ViewHint hint, const std::string& address) = 0;
};
