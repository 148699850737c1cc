#include "editor/desktop/edit_form.h"
#include "editor/desktop/description_editor.h"
#include "imagelib/widgets/record_text.h"
#include "editor/desktop/selects_edit_dialog.h"
#include "imagelib/widgets/img_dialog.h"
#include "imagelib/widgets/picture_preview_frame.h"
#include "model/slot_lengths.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>

using korvel::FormAccess;

namespace {

// Read from the box for the large editor, which keeps more than the slot.
constexpr int kDescriptionReadLimit = 6000;

QString shownDescription(const std::string& bytes) {
    QString shown = shownText(bytes);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

std::string keptDescription(const QString& shown, const std::string& original) {
    QString withBreaks = shown;
    withBreaks.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return keptText(withBreaks, original);
}

QLabel* caption(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

}  // namespace

CEditForm1::CEditForm1(korvel::CKorvelDoc& doc, UserMessages& messages, QWidget* parent)
    : QWidget(parent), m_session(doc), m_messages(messages) {
    setObjectName(QStringLiteral("entryForm"));
    buildLayout();
    connect(qApp, &QApplication::focusChanged, this, &CEditForm1::focusMoved);
    fileOpened();
    load(PendingEdits::Drop);
}

// The boxes give up the focus as they go: that is no edit to store.
CEditForm1::~CEditForm1() { disconnect(qApp, nullptr, this, nullptr); }

QLineEdit* CEditForm1::addBox(const char* name, int maxLength) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    box->setMaxLength(maxLength);
    connect(box, &QLineEdit::textChanged, this, &CEditForm1::boxEdited);
    return box;
}

void CEditForm1::buildLayout() {
    m_type = caption(QString(), "entryType", this);
    m_startPage = new QCheckBox(tr("Start page here"), this);
    m_startPage->setObjectName(QStringLiteral("startPage"));
    m_textCaption = caption(tr("Text"), "textCaption", this);
    m_text = addBox("textBox", editorSlotLength(kNameSlot));
    m_codeCaption = caption(tr("Code"), "codeCaption", this);
    m_code = addBox("codeBox", editorSlotLength(kCodeSlot));
    m_priceCaption = caption(tr("Price/\nSub-heading"), "priceCaption", this);
    m_price = addBox("priceBox", editorSlotLength(kPriceSlot));
    m_unitCaption = caption(tr("Unit 1"), "unitCaption", this);
    m_unit = addBox("unitBox", editorSlotLength(kUnitSlot));
    for (int which = 0; which < 2; ++which) {
        auto n = static_cast<std::size_t>(which);
        m_pictureCaptions[n] = caption(tr("image file %1").arg(which + 1), which == 0 ? "firstPictureCaption" : "secondPictureCaption", this);
        m_pictures[n] = addBox(which == 0 ? "firstPictureBox" : "secondPictureBox", editorSlotLength(kPictureSlot));
        m_pictureBrowse[n] = new QPushButton(QStringLiteral("..."), this);
        m_pictureBrowse[n]->setObjectName(QLatin1String(which == 0 ? "firstPictureBrowse" : "secondPictureBrowse"));
        m_pictureBrowse[n]->setMaximumWidth(32);
        connect(m_pictureBrowse[n], &QPushButton::clicked, this, [this, which] { choosePicture(which); });
    }
    m_preview = new PicturePreviewFrame(EmptyPicture::FillGrey, this);
    m_preview->setObjectName(QStringLiteral("picturePreview"));
    m_preview->setFixedSize(160, 120);
    m_optionsCaption = caption(tr("Selects"), "optionsCaption", this);
    m_optionsTabs = new QTabBar(this);
    m_optionsTabs->setObjectName(QStringLiteral("optionsTabs"));
    m_optionsTabs->setExpanding(false);
    connect(m_optionsTabs, &QTabBar::currentChanged, this, [this](int tab) {
        if (!m_loading)
            showOptionsTab(tab);
    });
    // The box shows a whole list, as long as its slot.
    m_options = addBox("optionsBox", editorSlotLength(kFirstSelectionSlot));
    m_optionsEdit = new QPushButton(tr("Edit >>>"), this);
    m_optionsEdit->setObjectName(QStringLiteral("optionsEdit"));
    connect(m_optionsEdit, &QPushButton::clicked, this, &CEditForm1::editOptions);
    m_taxCaption = caption(tr("Tax"), "taxCaption", this);
    m_tax = new QComboBox(this);
    m_tax->setObjectName(QStringLiteral("taxList"));
    connect(m_tax, &QComboBox::currentIndexChanged, this, &CEditForm1::boxEdited);
    m_descriptionCaption = caption(tr("Description"), "descriptionCaption", this);
    m_description = new QPlainTextEdit(this);
    m_description->setObjectName(QStringLiteral("descriptionBox"));
    m_description->setTabChangesFocus(true);
    connect(m_description, &QPlainTextEdit::textChanged, this, &CEditForm1::boxEdited);
    m_descriptionEdit = new QPushButton(tr("Edit >>>"), this);
    m_descriptionEdit->setObjectName(QStringLiteral("descriptionEdit"));
    connect(m_descriptionEdit, &QPushButton::clicked, this, &CEditForm1::editDescription);

    auto* tags = new QHBoxLayout;
    for (std::size_t n = 0; n < m_tagButtons.size(); ++n) {
        const DescriptionTag& tag = kDescriptionTags[n];
        QPushButton* button = new QPushButton(QString::fromLatin1(tag.label), this);
        button->setObjectName(QStringLiteral("tagButton%1").arg(n));
        // The description box keeps the focus: a click is no reason to store the form.
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, insertion = QString::fromLatin1(tag.insertion)] {
            insertDescriptionTag(m_description, insertion);
        });
        tags->addWidget(button);
        m_tagButtons[n] = button;
    }
    tags->addStretch();
    tags->addWidget(m_descriptionEdit);

    auto* grid = new QGridLayout(this);
    grid->addWidget(caption(tr("Type :"), "typeCaption", this), 0, 0);
    grid->addWidget(m_type, 0, 1);
    grid->addWidget(m_startPage, 0, 2, 1, 3);
    grid->addWidget(m_textCaption, 1, 0);
    grid->addWidget(m_text, 1, 1, 1, 4);
    grid->addWidget(m_codeCaption, 2, 0);
    grid->addWidget(m_code, 2, 1);
    grid->addWidget(m_unitCaption, 2, 2);
    grid->addWidget(m_unit, 2, 3, 1, 2);
    grid->addWidget(m_priceCaption, 3, 0);
    grid->addWidget(m_price, 3, 1);
    grid->addWidget(m_taxCaption, 3, 2);
    grid->addWidget(m_tax, 3, 3, 1, 2);
    for (int which = 0; which < 2; ++which) {
        auto n = static_cast<std::size_t>(which);
        grid->addWidget(m_pictureCaptions[n], 4 + which, 0);
        grid->addWidget(m_pictures[n], 4 + which, 1, 1, 2);
        grid->addWidget(m_pictureBrowse[n], 4 + which, 3);
    }
    grid->addWidget(m_preview, 4, 4, 4, 1, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(m_optionsCaption, 6, 0);
    grid->addWidget(m_optionsTabs, 6, 1, 1, 3, Qt::AlignBottom);
    grid->addWidget(m_options, 7, 1, 1, 2);
    grid->addWidget(m_optionsEdit, 7, 3);
    grid->addWidget(m_descriptionCaption, 8, 0);
    grid->addLayout(tags, 8, 1, 1, 4);
    grid->addWidget(m_description, 9, 0, 1, 5);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(9, 1);
}

void CEditForm1::fileOpened() {
    for (QPushButton* button : m_tagButtons)
        button->setEnabled(false);
}

void CEditForm1::load(PendingEdits pending) {
    // The focus may never have been in the form (an options list or a
    // description edited in its dialog), so leaving the entry stores it too.
    if (pending == PendingEdits::Store && (m_boxesModified || m_session.pending()))
        commit();
    m_loading = true;
    m_layout = m_session.layout();
    const korvel::EntryFormValues& values = m_session.load();
    showLayout();
    showValues(values);
    applyAccess(korvel::formAccess(values.kind));
    m_boxesModified = false;
    m_loading = false;
}

void CEditForm1::showLayout() {
    m_codeCaption->setVisible(m_layout.code);
    m_code->setVisible(m_layout.code);
    m_unitCaption->setVisible(m_layout.unit);
    m_unit->setVisible(m_layout.unit);
    bool options = !m_layout.optionSlots.empty();
    m_optionsCaption->setVisible(options);
    m_optionsTabs->setVisible(options);
    m_options->setVisible(options);
    m_optionsEdit->setVisible(options);
    while (m_optionsTabs->count() > 0)
        m_optionsTabs->removeTab(0);
    for (const std::string& title : m_layout.optionCaptions)
        m_optionsTabs->addTab(shownText(title));
    bool tax = !m_layout.taxTitles.empty();
    m_taxCaption->setVisible(tax);
    m_tax->setVisible(tax);
    m_tax->clear();
    for (const std::string& title : m_layout.taxTitles)
        m_tax->addItem(shownText(title));
}

void CEditForm1::showValues(const korvel::EntryFormValues& values) {
    m_type->setText(QString::fromLatin1(values.kind == korvel::kNoEntry ? "" : korvel::kindLabel(values.kind)));
    m_textCaption->setText(tr(korvel::textCaption(values.kind)));
    m_startPage->setChecked(values.startPage);
    m_text->setText(shownText(values.text));
    m_code->setText(shownText(values.code));
    m_price->setText(shownText(values.price));
    m_unit->setText(shownText(values.unit));
    m_pictures[0]->setText(shownText(values.firstPicture));
    m_pictures[1]->setText(shownText(values.secondPicture));
    m_lists = values.optionsLists;
    m_optionsTab = -1;
    if (m_optionsTabs->count() > 0)
        m_optionsTabs->setCurrentIndex(0);
    showOptionsTab(m_optionsTabs->count() > 0 ? 0 : -1);
    m_tax->setCurrentIndex(values.taxChoice < m_tax->count() ? values.taxChoice : -1);
    m_description->setPlainText(shownDescription(values.description));
    showPreview();
}

void CEditForm1::applyAccess(FormAccess access) {
    bool all = access == FormAccess::All;
    m_text->setEnabled(all || access == FormAccess::TextOnly);
    m_description->setEnabled(all || access == FormAccess::DescriptionOnly);
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_startPage, m_codeCaption, m_code, m_priceCaption, m_price, m_unitCaption, m_unit, m_pictures[0],
             m_pictures[1], m_pictureBrowse[0], m_pictureBrowse[1], m_optionsTabs, m_options, m_optionsEdit,
             m_taxCaption, m_tax, m_descriptionEdit})
        control->setEnabled(all);
}

korvel::EntryFormValues CEditForm1::shownValues() const {
    const korvel::EntryFormValues& loaded = m_session.values();
    korvel::EntryFormValues values = loaded;
    values.startPage = m_startPage->isChecked();
    values.text = keptText(m_text->text(), loaded.text);
    values.code = keptText(m_code->text(), loaded.code);
    values.price = keptText(m_price->text(), loaded.price);
    values.unit = keptText(m_unit->text(), loaded.unit);
    values.firstPicture = keptText(m_pictures[0]->text().trimmed(), loaded.firstPicture);
    values.secondPicture = keptText(m_pictures[1]->text().trimmed(), loaded.secondPicture);
    values.optionsLists = m_lists;   // the box is kept there first (keepOptionsBox)
    values.taxChoice = m_tax->currentIndex();
    values.description = keptDescription(m_description->toPlainText(), loaded.description);
    return values;
}

std::string& CEditForm1::shownList() {
    return m_lists[static_cast<std::size_t>(m_layout.optionSlots[static_cast<std::size_t>(m_optionsTab)] - kFirstSelectionSlot)];
}

void CEditForm1::keepOptionsBox() {
    if (m_optionsTab >= 0)
        shownList() = keptText(m_options->text(), shownList());
}

void CEditForm1::showOptionsBox(const std::string& list) {
    bool wasLoading = m_loading;
    m_loading = true;   // showing a list is no edit
    m_options->setText(shownText(list));
    m_loading = wasLoading;
}

void CEditForm1::showOptionsTab(int tab) {
    keepOptionsBox();
    m_optionsTab = tab >= 0 && tab < static_cast<int>(m_layout.optionSlots.size()) ? tab : -1;
    showOptionsBox(m_optionsTab < 0 ? std::string() : shownList());
}

void CEditForm1::boxEdited() {
    if (!m_loading)
        m_boxesModified = true;
}

bool CEditForm1::commit() {
    if (m_session.shownEntry() < 0)
        return true;
    keepOptionsBox();
    bool stored = m_session.commit(shownValues(), m_boxesModified);
    if (stored)
        m_boxesModified = false;
    // The label, or the picture of a page start, may have changed.
    Q_EMIT entryStored();
    return stored;
}

void CEditForm1::focusMoved(QWidget* old, QWidget* now) {
    if (now == m_description) {
        for (QPushButton* button : m_tagButtons)
            button->setEnabled(true);
    }
    if (old && isAncestorOf(old) && !(now && isAncestorOf(now)))
        commit();
}

void CEditForm1::choosePicture(int which) {
    auto n = static_cast<std::size_t>(which);
    std::string current = keptText(m_pictures[n]->text().trimmed(), {});
    std::string title = which == 0 ? "item image 1" : "item image 2";
    std::optional<std::string> chosen =
        CImgDialog::choosePicture(this, ImgDialogProgram::Editor, title, m_session.startPath(current));
    if (!chosen)
        return;
    m_pictures[n]->setText(shownText(*chosen).trimmed());
    m_session.markPending();
    showPreview();
    commit();
}

void CEditForm1::editOptions() {
    if (m_optionsTab < 0)
        return;
    keepOptionsBox();
    std::string edited = shownList();
    if (!editOptionsList(this, m_messages, edited))
        return;
    shownList() = edited;
    showOptionsBox(edited);
    m_session.markPending();
}

void CEditForm1::editDescription() {
    QString shown = m_description->toPlainText().left(kDescriptionReadLimit);
    std::string text = keptDescription(shown, m_session.values().description);
    std::optional<std::string> edited = CDescriptionDlg::edit(text, this);
    if (!edited)
        return;
    m_description->setPlainText(shownDescription(*edited));
    m_session.markPending();
}

void CEditForm1::showPreview() {
    std::string name = keptText(m_pictures[0]->text().trimmed(), m_session.values().firstPicture);
    if (name.empty())
        m_preview->clearPicture();
    else
        m_preview->setPicture(m_session.previewPath(name));
}
