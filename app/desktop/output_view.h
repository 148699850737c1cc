#pragma once
// The right pane: the catalogue preview in an embedded browser. It shows a
// short start page until the first Update Cat View, then the preview run's
// home page. Built without Qt WebEngine it says so and offers the browser.
#include <functional>
#include <QUrl>
#include <QWidget>

#include "app/core/view_hints.h"

#ifdef VIMRA_HAVE_WEBENGINE
class QWebEngineView;
class QWebEnginePage;
#endif

class COutputView : public QWidget, public DocumentObserver {
    Q_OBJECT
public:
    // viewInBrowser: shows the preview in the user's browser (the pane's
    // fallback without an embedded browser).
    explicit COutputView(std::function<void()> viewInBrowser, QWidget* parent = nullptr);

    void documentChanged(ViewHint hint, const std::string& address) override;
    // The page the pane was last told to show; empty before the first preview.
    QUrl shownAddress() const { return m_shownAddress; }
    bool hasEmbeddedBrowser() const;
#ifdef VIMRA_HAVE_WEBENGINE
    QWebEnginePage* page() const;
#endif

signals:
    // The shown page finished loading (ok false when it could not be loaded).
    void pageLoaded(bool ok);

private:
    void showAddress(const QUrl& address);

    std::function<void()> m_viewInBrowser;
    QUrl m_shownAddress;
#ifdef VIMRA_HAVE_WEBENGINE
    QWebEngineView* m_browser = nullptr;
#endif
};

// "file://" followed by a path, as the document hands it over, made into a
// proper file address (blanks, '#' and '?' in folder names stay part of the path).
QUrl pageAddress(const std::string& address);
