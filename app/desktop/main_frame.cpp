#include "app/desktop/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPainter>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app/core/command_table.h"
#include "app/core/vimra_doc.h"
#include "app/desktop/about_box.h"
#include "app/desktop/appearance_set_dialog.h"
#include "app/desktop/colour_picker.h"
#include "app/desktop/common_text_dialog.h"
#include "app/desktop/currencies_dialog.h"
#include "app/desktop/delivery_schedules_dialog.h"
#include "app/desktop/ftp_settings_sheet.h"
#include "app/desktop/order_form_sheet.h"
#include "app/desktop/tax_dialog.h"
#include "app/desktop/upload_dialog.h"
#include "app/desktop/save_settings_dialog.h"
#include "app/desktop/desktop_shell.h"
#include "app/desktop/details_view.h"
#include "app/desktop/fonts_sheet.h"
#include "app/desktop/output_view.h"
#include "app/desktop/scrolling_text_dialog.h"
#include "app/desktop/simple_dialogs.h"
#include "model/paths.h"
#include "model/settings_store.h"

namespace {

// Runs work with the wait cursor showing, as long runs on this thread do.
template <typename Work>
auto withWaitCursor(Work work) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    return work();
}

QIcon colourSwatchIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QColor colours[] = {Qt::red, QColor(0, 160, 0), Qt::blue, QColor(240, 200, 0)};
    for (int i = 0; i < 4; ++i)
        painter.fillRect((i % 2) * 16 + 2, (i / 2) * 16 + 2, 12, 12, colours[i]);
    return QIcon(pixmap);
}

QIcon commandIcon(int id, const QStyle* style) {
    switch (id) {
    case command::UpdateCatView: return style->standardIcon(QStyle::SP_BrowserReload);
    case command::Create: return style->standardIcon(QStyle::SP_DialogSaveButton);
    case command::EditInputFile: return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    case command::DeliveryCost: return style->standardIcon(QStyle::SP_ArrowRight);
    case command::Fonts: return style->standardIcon(QStyle::SP_FileDialogInfoView);
    case command::CustomColour: return colourSwatchIcon();
    case command::HelpIndex: return style->standardIcon(QStyle::SP_DialogHelpButton);
    default: return {};
    }
}

// The toolbar's short label: the menu text without its mnemonic marker.
QString buttonText(std::string_view menuText) {
    QString text = QString::fromLatin1(menuText.data(), static_cast<qsizetype>(menuText.size()));
    return text.remove(QLatin1Char('&')).remove(QStringLiteral("..."));
}

}  // namespace

CMainFrame::CMainFrame(CVimraDoc& doc, UserMessages& messages, DesktopShell& shell, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_messages(messages), m_shell(shell) {
    setWindowTitle(QStringLiteral("Vimra3"));
    chooseColour = [this](Rgb start) { return CColourPicker::pick(start, this); };

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_details = new CDetailsView(doc, m_splitter);
    m_output = new COutputView([this] { m_shell.viewCatalogue(std::string(fieldText(m_doc.settings().general.tempOutputDir))); },
                               m_splitter);
    m_splitter->addWidget(m_details);
    m_splitter->addWidget(m_output);
    m_splitter->setSizes({350, 550});
    m_splitter->setStretchFactor(1, 1);
    setCentralWidget(m_splitter);
    m_doc.addObserver(*m_details);
    m_doc.addObserver(*m_output);

    buildCommands();
    statusBar()->showMessage(tr("Ready"));
}

CMainFrame::~CMainFrame() {
    m_doc.removeObserver(*m_details);
    m_doc.removeObserver(*m_output);
}

QAction* CMainFrame::action(int id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::buildCommands() {
    auto* toolbar = addToolBar(tr("Toolbar"));
    toolbar->setObjectName("toolbar");
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    std::map<int, QAction*> toolbarButtons;
    std::map<std::string_view, QMenu*> menus;

    for (const CommandEntry& entry : generatorCommands()) {
        auto* action = new QAction(QString::fromLatin1(entry.text.data(), static_cast<qsizetype>(entry.text.size())), this);
        action->setObjectName(QStringLiteral("command%1").arg(entry.id));
        action->setStatusTip(QString::fromLatin1(entry.prompt.data(), static_cast<qsizetype>(entry.prompt.size())));
        if (!entry.shortcut.empty())
            action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut.data(),
                                                                 static_cast<qsizetype>(entry.shortcut.size()))));
        action->setIcon(commandIcon(entry.id, style()));
        action->setIconText(buttonText(entry.text));
        connect(action, &QAction::triggered, this, [this, id = entry.id] { runCommand(id); });
        m_actions[entry.id] = action;
        addAction(action);  // the keys work even where no menu shows the entry

        if (!entry.menu.empty()) {
            QMenu*& menu = menus[entry.menu];
            if (!menu)
                menu = menuBar()->addMenu(QStringLiteral("&") + QString::fromLatin1(entry.menu.data(),
                                                                                   static_cast<qsizetype>(entry.menu.size())));
            if (entry.separatorBefore)
                menu->addSeparator();
            menu->addAction(action);
        }
        if (entry.toolbarPosition > 0)
            toolbarButtons[entry.toolbarPosition] = action;
    }
    for (const auto& [position, action] : toolbarButtons) {
        if (position == 7)
            toolbar->addSeparator();
        toolbar->addAction(action);
    }

    QAction* toolbarToggle = action(command::ToggleToolbar);
    toolbarToggle->setCheckable(true);
    toolbarToggle->setChecked(true);
    connect(toolbarToggle, &QAction::toggled, toolbar, &QToolBar::setVisible);
    QAction* statusToggle = action(command::ToggleStatusBar);
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    connect(statusToggle, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
}

void CMainFrame::runCommand(int id) {
    switch (id) {
    case command::Create:
        m_details->applySheet();
        withWaitCursor([this] { return m_doc.create(ViewOffer::AskToView); });
        break;
    case command::UpdateCatView: updateCatView(); break;
    case command::EditInputFile: m_doc.editInputFile(); break;
    case command::Exit: close(); break;
    case command::AppearanceSets: appearanceSets(); break;
    case command::SaveSettings: saveSettingsCommand(m_doc.settings(), m_doc.programDir(), m_messages, this); break;
    case command::RetrieveSettings:
        if (retrieveSettingsCommand(m_doc.settings(), m_doc.programDir(), m_messages, this))
            m_doc.appearanceReplaced();
        break;
    case command::CustomColour: customColour(); break;
    case command::ScrollingText: scrollingText(); break;
    case command::OrderForm: runDataDialog<COrderFormSheet>(); break;
    case command::FtpSettings: runDataDialog<CFtpSettingsSheet>(); break;
    case command::UploadCatalogue: uploadCatalogue(); break;
    case command::Currencies: runDataDialog<CCurrenciesDlg>(); break;
    case command::Tax: runDataDialog<CTaxDlg>(); break;
    case command::DeliveryCost: runDataDialog<CDeliverySchedulesDlg>(); break;
    case command::CommonText: {
        CCommonTextDlg dialog(m_doc.programDir(), m_messages, this);
        dialog.exec();
        break;
    }
    case command::Fonts: fonts(); break;
    case command::Frames: settingsDialog<CFramesDlg>(); break;
    case command::BackgroundMusic: {
        CBackgroundMusicDlg dialog(m_doc.settings(), m_messages, m_shell, this);
        dialog.exec();
        break;
    }
    case command::Behaviour: settingsDialog<COtherOptionsDlg>(); break;
    case command::Search: settingsDialog<CSearchDetailsDlg>(); break;
    case command::ItemTemplate: settingsDialog<CTemplateDlg>(); break;
    case command::HelpIndex:
    case command::UsingHelp: showHelp(); break;
    case command::About: {
        CAboutBox about(this);
        about.exec();
        break;
    }
    default: break;
    }
}

void CMainFrame::updateCatView() {
    // What was typed into the sheet is what the preview shows.
    m_details->applySheet();
    withWaitCursor([this] { return m_doc.updateCatView(); });
}

void CMainFrame::appearanceSets() {
    CAppearanceSetDlg dialog(m_doc.settings(), m_doc.programDir(), m_messages, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The chosen set is shown at once; the sheet then takes it from the
    // record (applying the sheet first would write the old set back).
    withWaitCursor([this] { return m_doc.updateCatView(); });
    m_doc.appearanceReplaced();
}

void CMainFrame::customColour() {
    const std::optional<Rgb> chosen = chooseColour(m_doc.lastCustomColour());
    if (!chosen)
        return;
    QApplication::clipboard()->setText(QString::fromLatin1(m_doc.chooseCustomColour(*chosen)));
}

void CMainFrame::scrollingText() {
    CScrollingTextDlg dialog(m_doc.scrollingText(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_doc.setScrollingText(dialog.form());
}

template <typename Dialog>
void CMainFrame::runDataDialog() {
    // Each dialog stores into the record and writes its own files on OK.
    Dialog dialog(m_doc.settings(), m_doc.programDir(), m_messages, this);
    dialog.exec();
}

template <typename Dialog>
void CMainFrame::settingsDialog() {
    // What the dialog changes stays in the record until the program writes it at exit.
    Dialog dialog(m_doc.settings(), m_messages, this);
    dialog.exec();
}

void CMainFrame::uploadCatalogue() {
    CUploadDlg dialog(m_doc.settings(), m_doc.programDir(), m_messages, this);
    dialog.exec();
    if (dialog.settingsChanged())
        saveGeneralSettings(m_doc.settings().general, m_messages, m_doc.programDir());
}

void CMainFrame::fonts() {
    CFontsSheet sheet(m_doc.settings(), m_messages, this);
    if (sheet.exec() == QDialog::Accepted)
        saveAppearanceSet(m_doc.settings().appearance, m_messages, m_doc.programDir());
}

void CMainFrame::showHelp() {
    m_shell.openWithDefaultProgram(join(m_doc.programDir(), "help/index.html"), "");
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        // Nothing typed into the sheet is lost by leaving.
        m_details->applySheet();
        m_doc.close();
    }
    event->accept();
}
