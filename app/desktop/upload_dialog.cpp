#include "app/desktop/upload_dialog.h"

#include "upload/upload_outcome.h"

#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/desktop/ftp_settings_sheet.h"
#include "model/settings_store.h"
#include "model/user_messages.h"
#include "upload/upload_worker.h"

namespace {

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// Called on the job's thread; hands every call to the dialog's thread and
// returns at once.
class CUploadDlg::QueuedObserver : public UploadObserver {
public:
    QueuedObserver(CUploadDlg& dialog, int jobNumber) : m_dialog(&dialog), m_jobNumber(jobNumber) {}

    void statusLine(int line, const std::string& text) override {
        post([line, text](CUploadDlg& dialog) { dialog.showStatusLine(line, text); });
    }
    void progress(int percent) override {
        post([percent](CUploadDlg& dialog) { dialog.m_progress->setValue(percent); });
    }
    void message(const std::string& text, const std::string& caption, MessageButtons buttons) override {
        post([text, caption, buttons](CUploadDlg& dialog) { dialog.m_messages.show(text, caption, buttons); });
    }
    void jobFinished() override {
        post([](CUploadDlg& dialog) { dialog.jobFinished(); });
    }

private:
    template <typename Call>
    void post(Call call) {
        QMetaObject::invokeMethod(
            m_dialog,
            [dialog = m_dialog, number = m_jobNumber, call] {
                if (dialog->m_jobNumber == number)
                    call(*dialog);
            },
            Qt::QueuedConnection);
    }

    CUploadDlg* m_dialog;
    int m_jobNumber;
};

CUploadDlg::CUploadDlg(SettingsBlocks& blocks, std::string programDir, UserMessages& messages, QWidget* parent)
    : QDialog(parent), m_blocks(blocks), m_programDir(std::move(programDir)), m_messages(messages) {
    setWindowTitle(tr("Upload Catalogue to Server"));
    m_options.programDirectory = m_programDir;
    buildControls();
    showStoredParts();

    // The ticker is stepped on this thread, so it needs no lock and stops with the window.
    m_tickerTimer = new QTimer(this);
    m_tickerTimer->setSingleShot(true);
    connect(m_tickerTimer, &QTimer::timeout, this, &CUploadDlg::stepTicker);
}

CUploadDlg::~CUploadDlg() { stopJob(); }

void CUploadDlg::buildControls() {
    m_components = new QGroupBox(tr("Components to transfer"), this);
    m_components->setObjectName("components");
    m_catalogue = new QCheckBox(tr("transfer catalogue files"), m_components);
    m_catalogue->setObjectName("transferCatalogue");
    m_orderForm = new QCheckBox(tr("transfer order form"), m_components);
    m_orderForm->setObjectName("transferOrderForm");
    m_search = new QCheckBox(tr("transfer search files"), m_components);
    m_search->setObjectName("transferSearch");
    auto* boxes = new QVBoxLayout(m_components);
    boxes->addWidget(m_catalogue);
    boxes->addWidget(m_orderForm);
    boxes->addWidget(m_search);

    m_start = new QPushButton(tr("Start Upload"), this);
    m_start->setObjectName("startUpload");
    m_ftpSettings = new QPushButton(tr("FTP settings"), this);
    m_ftpSettings->setObjectName("ftpSettings");
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName("ok");
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName("cancel");
    connect(m_start, &QPushButton::clicked, this, &CUploadDlg::startOrCancel);
    connect(m_ftpSettings, &QPushButton::clicked, this, &CUploadDlg::ftpSettings);
    connect(m_ok, &QPushButton::clicked, this, &CUploadDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CUploadDlg::reject);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_start, m_ftpSettings, m_ok, m_cancel})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(m_components, 1);
    top->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    for (int i = 0; i < 3; ++i) {
        m_lines[i] = new QLabel(this);
        m_lines[i]->setObjectName(QStringLiteral("statusLine%1").arg(i + 1));
        m_lines[i]->setTextFormat(Qt::PlainText);
        layout->addWidget(m_lines[i]);
    }
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("progress");
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    layout->addWidget(m_progress);

    m_tickerLine = new QLabel(latin1(kUploadIdleTicker), this);
    m_tickerLine->setObjectName("ticker");
    m_tickerLine->setTextFormat(Qt::PlainText);
    QFont courier(QStringLiteral("courier new"));
    courier.setStyleHint(QFont::Courier);
    courier.setPointSize(12);
    m_tickerLine->setFont(courier);
    QPalette colours = m_tickerLine->palette();
    colours.setColor(QPalette::WindowText, QColor(0, 128, 0));
    colours.setColor(QPalette::Window, QColor(Qt::lightGray));
    m_tickerLine->setPalette(colours);
    m_tickerLine->setAutoFillBackground(true);
    m_tickerLine->setMinimumWidth(
        QFontMetrics(courier).horizontalAdvance(QString(static_cast<qsizetype>(kUploadRunningTicker.size() + 2), 'M')));
    layout->addWidget(m_tickerLine);
}

void CUploadDlg::showStoredParts() {
    const UploadParts stored = storedUploadParts(m_blocks.general);
    m_catalogue->setChecked(stored.catalogue);
    m_search->setChecked(stored.search);
    m_orderForm->setChecked(stored.orderForm);
}

UploadParts CUploadDlg::chosenParts() const {
    return {.catalogue = m_catalogue->isChecked(), .search = m_search->isChecked(), .orderForm = m_orderForm->isChecked()};
}

bool CUploadDlg::transferring() const { return m_worker && !m_worker->finished(); }

void CUploadDlg::setUploadOptions(UploadOptions options) {
    m_options = std::move(options);
    m_options.programDirectory = m_programDir;
}

QString CUploadDlg::statusLine(int line) const {
    return line >= 1 && line <= 3 ? m_lines[line - 1]->text() : QString();
}

int CUploadDlg::progress() const { return m_progress->value(); }

QString CUploadDlg::tickerText() const { return m_tickerLine->text(); }

void CUploadDlg::startOrCancel() {
    if (m_running)
        cancelJob();
    else
        startJob();
}

void CUploadDlg::startJob() {
    const UploadParts parts = chosenParts();
    // A job cancelled a moment ago may still be finishing its current step.
    stopJob();
    ++m_jobNumber;
    m_observer = std::make_unique<QueuedObserver>(*this, m_jobNumber);
    m_worker = std::make_unique<UploadWorker>(m_blocks.general, parts, *m_observer, m_options);
    setControlsEnabled(false);
    m_start->setText(tr("Cancel Upload"));
    m_running = true;
    startTicker();
    if (!m_worker->start()) {
        stopJob();
        jobFinished();
        showStatusLine(1, "Transfer cancelled");
    }
}

void CUploadDlg::cancelJob() {
    // The job stops at its next check and reports "Transfer cancelled"; the
    // controls come back when it has ended.
    m_worker->cancel();
    m_start->setText(tr("Start Upload"));
    m_running = false;
    stopTicker();
}

void CUploadDlg::stopJob() {
    if (m_worker) {
        m_worker->cancel();
        m_worker.reset();
    }
    m_observer.reset();
}

void CUploadDlg::endJobForClosing() {
    if (!m_worker)
        return;
    stopJob();
    // What the job queued before it ended is of no use to a closed window.
    ++m_jobNumber;
    jobFinished();
}

void CUploadDlg::accept() {
    endJobForClosing();
    QDialog::accept();
}

void CUploadDlg::reject() {
    endJobForClosing();
    QDialog::reject();
}

void CUploadDlg::ftpSettings() {
    CFtpSettingsSheet sheet(m_blocks, m_programDir, m_messages, this);
    if (sheet.exec() != QDialog::Accepted)
        return;
    m_settingsChanged = true;
    showStoredParts();
}

void CUploadDlg::showStatusLine(int line, const std::string& text) {
    if (line < 1 || line > 3)
        return;
    const QString shown = QString::fromLocal8Bit(text);
    m_lines[line - 1]->setText(shown);
    emit statusLineShown(line, shown);
}

void CUploadDlg::jobFinished() {
    setControlsEnabled(true);
    m_start->setText(tr("Start Upload"));
    m_running = false;
    stopTicker();
    // The job's last call has been made; its thread ends right after it.
    if (m_worker && m_worker->waitFor(std::chrono::seconds(2))) {
        const std::string outcome = uploadOutcomeText(m_worker->result());
        if (!outcome.empty())
            showStatusLine(1, outcome);
    }
    emit jobEnded();
}

void CUploadDlg::setControlsEnabled(bool enabled) {
    for (QWidget* control : std::initializer_list<QWidget*>{m_ok, m_cancel, m_ftpSettings, m_components})
        control->setEnabled(enabled);
}

void CUploadDlg::startTicker() {
    m_ticker.restart();
    stepTicker();
}

void CUploadDlg::stopTicker() {
    m_tickerTimer->stop();
    m_tickerLine->setText(latin1(kUploadIdleTicker));
}

void CUploadDlg::stepTicker() {
    const TickerFrame frame = m_ticker.next();
    m_tickerLine->setText(QString::fromLatin1(frame.text));
    m_tickerTimer->start(frame.pauseMs);
}
