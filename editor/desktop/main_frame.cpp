#include "editor/desktop/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>

#include "imagelib/widgets/record_text.h"

namespace {

constexpr int kRecentCount = 4;

// The per-user place of the recent-file list.
QSettings recentSettings() { return QSettings(QStringLiteral("Tarvix"), QStringLiteral("Korvel")); }

QString recentKey(int number) { return QStringLiteral("Recent File List/File%1").arg(number); }

QString filterText(const std::vector<korvel::FileFilter>& filters) {
    QStringList parts;
    for (const korvel::FileFilter& filter : filters) {
        QStringList patterns;
        for (const std::string& pattern : filter.patterns)
            patterns << QString::fromStdString(pattern);
        parts << QStringLiteral("%1 (%2)").arg(QString::fromStdString(filter.label), patterns.join(QLatin1Char(' ')));
    }
    return parts.join(QStringLiteral(";;"));
}

}  // namespace

CMainFrame::CMainFrame(UserMessages& messages, const std::string& programDir, QWidget* parent)
    : QMainWindow(parent), KorvelDocumentDialogs(this), m_doc(messages, programDir), m_commands(m_doc, *this) {
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_leftView = new CLeftView(m_doc, m_commands, m_splitter);
    m_form = new CEditForm1(m_doc, messages, m_splitter);
    m_splitter->addWidget(m_leftView);
    m_splitter->addWidget(m_form);
    connect(m_leftView, &CLeftView::entryChosen, m_form, [this] { m_form->load(CEditForm1::PendingEdits::Store); });
    connect(m_form, &CEditForm1::entryStored, m_leftView, &CLeftView::refreshLabels);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 2);
    m_splitter->setSizes({280, 620});
    setCentralWidget(m_splitter);
    buildFileMenu();
    buildEditMenu();
    buildInsertMenu();
    setAcceptDrops(true);
    showRecentFiles();
    refreshViews(korvel::ViewRefresh::Rebuild);
}

// The views watch the document, so they go before it does (child widgets
// would otherwise outlive the members).
CMainFrame::~CMainFrame() { delete m_splitter; }

QAction* CMainFrame::addCommand(QMenu* menu, int id, const QString& text, const QKeySequence& keys) {
    QAction* action = menu->addAction(text);
    action->setShortcut(keys);
    m_actions.insert(id, action);
    return action;
}

void CMainFrame::buildFileMenu() {
    QMenu* menu = menuBar()->addMenu(tr("&File"));
    connect(addCommand(menu, kIdFileNew, tr("&New"), QKeySequence::New), &QAction::triggered, this,
            [this] { m_commands.newFile(); });
    connect(addCommand(menu, kIdFileOpen, tr("&Open..."), QKeySequence::Open), &QAction::triggered, this,
            [this] { m_commands.openFile(); });
    connect(addCommand(menu, kIdFileSave, tr("&Save"), QKeySequence::Save), &QAction::triggered, this,
            [this] { m_commands.save(); });
    connect(addCommand(menu, kIdFileSaveAs, tr("Save &As...")), &QAction::triggered, this,
            [this] { m_commands.saveAs(); });
    connect(addCommand(menu, kIdFileImport, tr("&Import...")), &QAction::triggered, this,
            [this] { m_commands.importFile(); });
    menu->addSeparator();
    connect(addCommand(menu, kIdFileOptionalFields, tr("Optional &Fields...")), &QAction::triggered, this,
            [this] { m_commands.optionalFields(); });
    connect(addCommand(menu, kIdFileItemTaxTypes, tr("Item &Tax Types...")), &QAction::triggered, this,
            [this] { m_commands.itemTaxTypes(); });
    connect(addCommand(menu, kIdFileMetaTags, tr("&Meta Tags...")), &QAction::triggered, this,
            [this] { m_commands.metaTags(); });
    connect(addCommand(menu, kIdFileStartItemPage, tr("Start Item &Page...")), &QAction::triggered, this,
            [this] { m_commands.startItemPage(); });
    menu->addSeparator();
    for (int i = 0; i < kRecentCount; ++i) {
        QAction* recent = menu->addAction(QString());
        connect(recent, &QAction::triggered, this, [this, recent] {
            m_commands.saveChangesFirst();
            openPath(QFile::encodeName(recent->data().toString()).toStdString());
        });
        m_recentActions[static_cast<std::size_t>(i)] = recent;
    }
    menu->addSeparator();
    connect(menu->addAction(tr("E&xit")), &QAction::triggered, this, &QWidget::close);
}

void CMainFrame::buildEditMenu() {
    QMenu* menu = menuBar()->addMenu(tr("&Edit"));
    connect(menu->addAction(tr("&Undo"), QKeySequence::Undo), &QAction::triggered, this,
            [this] { sendToFocusedBox("undo"); });
    menu->addSeparator();
    // Cut copies the selection and then empties the whole box.
    connect(menu->addAction(tr("Cu&t"), QKeySequence::Cut), &QAction::triggered, this, [this] {
        sendToFocusedBox("copy");
        sendToFocusedBox("clear");
    });
    connect(menu->addAction(tr("&Copy"), QKeySequence::Copy), &QAction::triggered, this,
            [this] { sendToFocusedBox("copy"); });
    connect(menu->addAction(tr("&Paste"), QKeySequence::Paste), &QAction::triggered, this,
            [this] { sendToFocusedBox("paste"); });
}

void CMainFrame::buildInsertMenu() {
    QMenu* menu = menuBar()->addMenu(tr("&Insert"));
    struct Command {
        int id;
        const char* text;
        int kind;
    };
    static const Command commands[] = {
        {kIdInsertIndex, "Index", korvel::kIndex},
        {kIdInsertItem, "Item", korvel::kItem},
        {kIdInsertIndexText, "Index Text", korvel::kIndexText},
        {kIdInsertEndPage, "End Page", korvel::kEndPage},
        {kIdInsertDirective, "Footer/Header", korvel::kDirective},
        {kIdInsertTable, "Table", korvel::kTableStart},
        {kIdInsertColumns, "Column", korvel::kColumns},
        {kIdInsertEndTable, "End Table/Columns", korvel::kEndTable},
    };
    for (const Command& command : commands) {
        connect(addCommand(menu, command.id, tr(command.text)), &QAction::triggered, this,
                [this, kind = command.kind] { m_leftView->insertEntry(kind); });
    }
}

void CMainFrame::sendToFocusedBox(const char* request) {
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused != m_leftView)
        QMetaObject::invokeMethod(focused, request);
}

int CMainFrame::start(const std::string& path) { return m_commands.start(path); }

int CMainFrame::openPath(const std::string& path) { return m_commands.openPath(path); }

bool CMainFrame::chooseFile(const korvel::FileDialogRequest& request, std::string& path) {
    QFileDialog dialog(this, QString::fromStdString(request.title), shownText(request.folder),
                       filterText(request.filters));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, request.mode != korvel::FileDialogMode::SaveTo);
    if (request.mode == korvel::FileDialogMode::OpenExisting) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    return true;
}

void CMainFrame::commitForm() { m_form->commit(); }

void CMainFrame::refreshViews(korvel::ViewRefresh refresh) {
    if (refresh != korvel::ViewRefresh::FormOnly)
        setWindowTitle(shownText(m_doc.windowTitle()));
    if (refresh == korvel::ViewRefresh::Rebuild) {
        if (m_doc.hasFile())
            rememberRecent(m_doc.path());
        m_form->fileOpened();
    }
    m_leftView->refreshLabels();
    m_leftView->showCurrent();
    // The document changed under the form, which stored its edits before.
    m_form->load(CEditForm1::PendingEdits::Drop);
}

QStringList CMainFrame::recentFiles() const {
    QSettings settings = recentSettings();
    QStringList files;
    for (int number = 1; number <= kRecentCount; ++number) {
        QString file = settings.value(recentKey(number)).toString();
        if (!file.isEmpty())
            files << file;
    }
    return files;
}

void CMainFrame::rememberRecent(const std::string& path) {
    QString file = QFile::decodeName(QByteArray::fromStdString(path));
    QStringList files = recentFiles();
    files.removeAll(file);
    files.prepend(file);
    QSettings settings = recentSettings();
    for (int number = 1; number <= kRecentCount; ++number)
        settings.setValue(recentKey(number), number <= files.size() ? files.at(number - 1) : QString());
    showRecentFiles();
}

void CMainFrame::showRecentFiles() {
    QStringList files = recentFiles();
    for (int i = 0; i < kRecentCount; ++i) {
        QAction* recent = m_recentActions[static_cast<std::size_t>(i)];
        bool used = i < files.size();
        recent->setVisible(used);
        if (used) {
            recent->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files.at(i))));
            recent->setData(files.at(i));
        }
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    m_commands.saveOnExit();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return;
    m_commands.saveChangesFirst();
    openPath(QFile::encodeName(urls.constFirst().toLocalFile()).toStdString());
    event->acceptProposedAction();
}
