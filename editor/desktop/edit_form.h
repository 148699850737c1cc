#pragma once
// The entry form: the fields of the current entry, enabled by its kind and
// shown as the file's structure has them. Edits are stored as the entry's
// new version when the form loses the keyboard focus and before every
// command; a chosen picture, an edited options list or description at once.
// Editor headers come before Qt's, which define `slots` as a word of their own.
#include "editor/entry_form.h"
#include "model/user_messages.h"

#include <QWidget>
#include <array>

class PicturePreviewFrame;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabBar;

class CEditForm1 : public QWidget {
    Q_OBJECT
public:
    CEditForm1(korvel::CKorvelDoc& doc, UserMessages& messages, QWidget* parent = nullptr);
    ~CEditForm1() override;

    // What happens to the edits of the entry shown until now.
    enum class PendingEdits { Store, Drop };
    // Shows the document's current entry (an empty, disabled form when none).
    void load(PendingEdits pending);
    // Stores pending edits; false when the record could not be stored.
    bool commit();
    // A file was opened: the tag buttons wait for the description box's focus.
    void fileOpened();

    const korvel::EntryFormSession& session() const { return m_session; }

Q_SIGNALS:
    // The shown entry was stored or changed its kind: its label and picture may differ.
    void entryStored();

private:
    QLineEdit* addBox(const char* name, int maxLength);
    void buildLayout();
    void showLayout();
    void applyAccess(korvel::FormAccess access);
    void showValues(const korvel::EntryFormValues& values);
    korvel::EntryFormValues shownValues() const;
    void showOptionsTab(int tab);
    // The options list of the chosen tab; only while a tab is chosen.
    std::string& shownList();
    // Copies the box into the chosen tab's list.
    void keepOptionsBox();
    // Shows a list in the box without counting it as an edit.
    void showOptionsBox(const std::string& list);
    void choosePicture(int which);
    void editOptions();
    void editDescription();
    void showPreview();
    void focusMoved(QWidget* old, QWidget* now);
    void boxEdited();

    korvel::EntryFormSession m_session;
    UserMessages& m_messages;
    korvel::FormLayout m_layout;
    // The options lists as edited so far, by list number - 1.
    std::array<std::string, kSelectionCount> m_lists;
    int m_optionsTab = -1;
    bool m_loading = false;
    bool m_boxesModified = false;

    QLabel* m_type = nullptr;
    QCheckBox* m_startPage = nullptr;
    QLabel* m_textCaption = nullptr;
    QLineEdit* m_text = nullptr;
    QLabel* m_codeCaption = nullptr;
    QLineEdit* m_code = nullptr;
    QLabel* m_priceCaption = nullptr;
    QLineEdit* m_price = nullptr;
    QLabel* m_unitCaption = nullptr;
    QLineEdit* m_unit = nullptr;
    std::array<QLabel*, 2> m_pictureCaptions{};
    std::array<QLineEdit*, 2> m_pictures{};
    std::array<QPushButton*, 2> m_pictureBrowse{};
    PicturePreviewFrame* m_preview = nullptr;
    QLabel* m_optionsCaption = nullptr;
    QTabBar* m_optionsTabs = nullptr;
    QLineEdit* m_options = nullptr;
    QPushButton* m_optionsEdit = nullptr;
    QLabel* m_taxCaption = nullptr;
    QComboBox* m_tax = nullptr;
    QLabel* m_descriptionCaption = nullptr;
    QPlainTextEdit* m_description = nullptr;
    QPushButton* m_descriptionEdit = nullptr;
    std::array<QPushButton*, 5> m_tagButtons{};
};
