#include "app/desktop/remote_folder_dialog.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QComboBox>
#include <QFileIconProvider>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "app/core/remote_folder_browser.h"
#include "imagelib/widgets/record_text.h"
#include "model/user_messages.h"

namespace {

// Hands every call of the browser to the dialog's background runner.
class BackgroundSession : public RemoteFolderSession {
public:
    using Runner = std::function<void(const std::function<void()>&)>;
    BackgroundSession(RemoteFolderSession& inner, Runner run) : m_inner(inner), m_run(std::move(run)) {}

    RemoteStatus changeFolder(const std::string& folder) override {
        return call([&] { return m_inner.changeFolder(folder); });
    }
    RemoteStatus currentFolder(std::string& folder) override {
        return call([&] { return m_inner.currentFolder(folder); });
    }
    RemoteStatus list(std::vector<RemoteEntry>& entries) override {
        return call([&] { return m_inner.list(entries); });
    }
    RemoteStatus makeFolder(const std::string& name) override {
        return call([&] { return m_inner.makeFolder(name); });
    }
    RemoteStatus rename(const std::string& from, const std::string& to) override {
        return call([&] { return m_inner.rename(from, to); });
    }
    RemoteStatus removeFile(const std::string& name) override {
        return call([&] { return m_inner.removeFile(name); });
    }
    RemoteStatus removeFolder(const std::string& name) override {
        return call([&] { return m_inner.removeFolder(name); });
    }
    std::string lastReply() const override { return m_inner.lastReply(); }

private:
    template <typename F>
    RemoteStatus call(F work) {
        RemoteStatus status = RemoteStatus::Failed;
        m_run([&] { status = work(); });
        return status;
    }

    RemoteFolderSession& m_inner;
    Runner m_run;
};

QToolButton* toolButton(QWidget* parent, const char* name, const QString& tip, QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tip);
    button->setIcon(parent->style()->standardIcon(icon));
    return button;
}

}  // namespace

CRemoteDirDlg::CRemoteDirDlg(const FtpEndpoint& server, UserMessages& messages, std::chrono::milliseconds timeout,
                             QWidget* parent)
    : QDialog(parent), m_ftp(timeout) {
    setWindowTitle(tr("Select Remote Directory"));
    m_ftp.setCancelFlag(&m_cancel);
    m_session = std::make_unique<BackgroundSession>(m_ftp, [this](const std::function<void()>& call) {
        runInBackground(call);
    });
    m_browser = std::make_unique<RemoteFolderBrowser>(*m_session, server.host, messages);

    auto* layout = new QVBoxLayout(this);
    m_body = new QWidget(this);
    auto* body = new QVBoxLayout(m_body);
    body->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    m_locations = new QComboBox(m_body);
    m_locations->setObjectName(QStringLiteral("locations"));
    m_locations->setMinimumContentsLength(24);
    m_up = toolButton(m_body, "upOneLevel", tr("Up One Level"), QStyle::SP_FileDialogToParent);
    auto* create = toolButton(m_body, "createFolder", tr("Create New Folder"), QStyle::SP_FileDialogNewFolder);
    auto* remove = toolButton(m_body, "delete", tr("Delete"), QStyle::SP_TrashIcon);
    top->addWidget(m_locations, 1);
    top->addWidget(m_up);
    top->addWidget(create);
    top->addWidget(remove);
    body->addLayout(top);
    m_currentLine = new QLabel(m_body);
    m_currentLine->setObjectName(QStringLiteral("currentDirectory"));
    body->addWidget(m_currentLine);
    m_entries = new QListWidget(m_body);
    m_entries->setObjectName(QStringLiteral("entries"));
    m_entries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    body->addWidget(m_entries, 1);
    layout->addWidget(m_body, 1);
    m_body->setEnabled(false);  // until connected

    auto* buttons = new QHBoxLayout;
    auto* properties = new QPushButton(tr("Properties"), m_body);
    properties->setObjectName(QStringLiteral("properties"));
    auto* select = new QPushButton(tr("Select"), m_body);
    select->setObjectName(QStringLiteral("select"));
    select->setDefault(true);
    // Cancel stays usable while the dialog waits for the server.
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    buttons->addWidget(properties);
    buttons->addStretch(1);
    buttons->addWidget(select);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    resize(420, 360);

    connect(m_locations, &QComboBox::activated, this, [this](int index) {
        m_browser->chooseLocation(index);
        showState();
    });
    connect(m_entries, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_browser->openEntry(m_entries->row(item));
        showState();
    });
    connect(m_up, &QToolButton::clicked, this, [this] {
        m_browser->upOneLevel();
        showState();
    });
    connect(create, &QToolButton::clicked, this, [this] {
        const std::optional<int> row = m_browser->createFolder();
        showState();
        if (row)
            editLabel(*row);
    });
    connect(remove, &QToolButton::clicked, this, [this] {
        m_browser->deleteEntry(selectedRow());
        showState();
    });
    connect(properties, &QPushButton::clicked, this, [this] {
        const std::optional<int> row = selectedRow();
        if (m_browser->startRename(row))
            editLabel(*row);
    });
    connect(select, &QPushButton::clicked, this, [this] {
        m_result = m_browser->select();
        if (!m_cancel)
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &CRemoteDirDlg::reject);
    // The rename waits until the editor is gone: it refills the list.
    connect(m_entries->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this] { QTimer::singleShot(0, this, &CRemoteDirDlg::labelEdited); });
}

CRemoteDirDlg::~CRemoteDirDlg() = default;

std::optional<std::string> CRemoteDirDlg::choose(const FtpEndpoint& server, const std::string& startFolder,
                                                 UserMessages& messages, QWidget* parent,
                                                 std::chrono::milliseconds timeout) {
    CRemoteDirDlg dialog(server, messages, timeout, parent);
    // Connecting starts once the dialog shows, so that Cancel can end it.
    QTimer::singleShot(0, &dialog, [&] { dialog.connectTo(server, startFolder, messages); });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.m_result;
}

void CRemoteDirDlg::connectTo(const FtpEndpoint& server, const std::string& startFolder, UserMessages& messages) {
    RemoteStatus opened = RemoteStatus::Failed;
    runInBackground([&] { opened = m_ftp.open(server); });
    if (m_cancel)
        return;
    if (opened != RemoteStatus::Done) {
        const std::string reason = m_ftp.lastReply();
        messages.show(reason.empty() ? "FAILED" : reason, "Error", MessageButtons::Ok);
        reject();
        return;
    }
    m_browser->start(startFolder);
    showState();
    m_body->setEnabled(true);
    m_ready = true;
}

void CRemoteDirDlg::reject() {
    // A wait in progress ends at once; the call it served then returns cancelled.
    m_cancel = true;
    QDialog::reject();
}

void CRemoteDirDlg::runInBackground(const std::function<void()>& call) {
    const bool enabled = m_body->isEnabled();
    m_busy = true;
    m_body->setEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread worker([&] {
        call();
        std::lock_guard lock(mutex);
        done = true;
        finished.notify_one();
    });
    // Events are handled in slices between short waits rather than by an
    // event loop: this may run inside a timer's or a posted event's handler,
    // where a nested loop would not see the timer or the event that ends it.
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::unique_lock lock(mutex);
        if (finished.wait_for(lock, std::chrono::milliseconds(10), [&] { return done; }))
            break;
    }
    worker.join();
    QApplication::restoreOverrideCursor();
    m_body->setEnabled(enabled);
    m_busy = false;
}

void CRemoteDirDlg::showState() {
    const QIcon folderIcon = QFileIconProvider().icon(QFileIconProvider::Folder);
    const QIcon fileIcon = QFileIconProvider().icon(QFileIconProvider::File);
    const QIcon rootIcon = style()->standardIcon(QStyle::SP_DriveNetIcon);

    QSignalBlocker blockLocations(m_locations);
    m_locations->clear();
    for (const RemoteLocation& location : m_browser->locations()) {
        const QString indent(location.indent * 4, QLatin1Char(' '));
        m_locations->addItem(location.indent == 0 ? rootIcon : folderIcon, indent + shownText(location.text));
    }
    m_locations->setCurrentIndex(m_browser->selectedLocation());
    m_currentLine->setText(shownText(m_browser->currentDirectoryText()));
    m_up->setEnabled(m_browser->canGoUp());

    m_entries->clear();
    for (const RemoteEntry& entry : m_browser->entries()) {
        auto* item = new QListWidgetItem(entry.isFolder ? folderIcon : fileIcon, shownText(entry.name), m_entries);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
}

std::optional<int> CRemoteDirDlg::selectedRow() const {
    const QList<QListWidgetItem*> selected = m_entries->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return m_entries->row(selected.front());
}

void CRemoteDirDlg::editLabel(int row) {
    QListWidgetItem* item = m_entries->item(row);
    if (!item)
        return;
    m_editedRow = row;
    m_entries->setCurrentItem(item);
    m_entries->editItem(item);
}

void CRemoteDirDlg::labelEdited() {
    if (m_editedRow < 0)
        return;
    // The connection carries one call at a time.
    if (m_busy) {
        QTimer::singleShot(50, this, &CRemoteDirDlg::labelEdited);
        return;
    }
    const int row = m_editedRow;
    m_editedRow = -1;
    QListWidgetItem* item = m_entries->item(row);
    const auto& entries = m_browser->entries();
    if (!item || static_cast<std::size_t>(row) >= entries.size()) {
        // The browser reports a row that is gone.
        m_browser->finishRename(-1, {});
        return;
    }
    m_browser->finishRename(row, keptText(item->text(), entries[static_cast<std::size_t>(row)].name));
    showState();
}
