#include "app/desktop/output_view.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifdef VIMRA_HAVE_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

namespace {

const char* const kStartPage =
    "<html><body style=\"font-family:sans-serif;background:#f4f4f4;color:#333;margin:3em\">"
    "<h2>Vimra3</h2>"
    "<p>Your catalogue appears here after <b>Update Cat View</b> (Ctrl+U), "
    "built from the input file and the settings on the left.</p>"
    "<p><b>Create</b> (Alt+C) writes the whole catalogue into the output directory.</p>"
    "</body></html>";

#ifdef VIMRA_HAVE_WEBENGINE
// Pages of the catalogue open windows of their own (the order form, the
// music player); each gets a browser window that goes when it is closed.
class PreviewBrowser : public QWebEngineView {
public:
    using QWebEngineView::QWebEngineView;

protected:
    QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override {
        auto* window = new PreviewBrowser;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->resize(640, 480);
        window->show();
        return window;
    }
};
#endif

}  // namespace

QUrl pageAddress(const std::string& address) {
    const std::string_view scheme = "file://";
    if (address.starts_with(scheme))
        return QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(address.substr(scheme.size()))));
    return QUrl(QString::fromStdString(address));
}

COutputView::COutputView(std::function<void()> viewInBrowser, QWidget* parent)
    : QWidget(parent), m_viewInBrowser(std::move(viewInBrowser)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
#ifdef VIMRA_HAVE_WEBENGINE
    m_browser = new PreviewBrowser(this);
    layout->addWidget(m_browser);
    connect(m_browser, &QWebEngineView::loadFinished, this, &COutputView::pageLoaded);
    m_browser->setHtml(QString::fromLatin1(kStartPage));
#else
    auto* note = new QLabel(tr("This build of Vimra has no embedded browser, so the catalogue "
                               "preview cannot be shown here.\nUpdate Cat View writes it all the same; "
                               "view it in your browser."),
                            this);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignCenter);
    auto* button = new QPushButton(tr("View in Browser"), this);
    connect(button, &QPushButton::clicked, this, [this] {
        if (m_viewInBrowser)
            m_viewInBrowser();
    });
    layout->addStretch();
    layout->addWidget(note);
    layout->addWidget(button, 0, Qt::AlignCenter);
    layout->addStretch();
#endif
}

bool COutputView::hasEmbeddedBrowser() const {
#ifdef VIMRA_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

#ifdef VIMRA_HAVE_WEBENGINE
QWebEnginePage* COutputView::page() const { return m_browser->page(); }
#endif

void COutputView::documentChanged(ViewHint hint, const std::string& address) {
    if (hint == ViewHint::ShowPreview)
        showAddress(pageAddress(address));
}

void COutputView::showAddress(const QUrl& address) {
    m_shownAddress = address;
#ifdef VIMRA_HAVE_WEBENGINE
    // The same address again is a fresh run of the preview: load it anew.
    m_browser->setUrl(address);
#endif
}
