#pragma once
// A modal dialog over one or more pages of fields: a sheet with a tab per
// page, or a plain dialog for a single page. OK checks every page (a refusal
// shows its message, turns to the page and leaves the dialog open), then
// stores every page into the record; Cancel leaves the record as it was.
#include <span>
#include <vector>
#include <QDialog>

#include "app/core/sheet_pages.h"

class FormPage;
class QDialogButtonBox;
class QTabWidget;
class UserMessages;

class FormSheetDialog : public QDialog {
    Q_OBJECT
public:
    FormSheetDialog(const QString& title, std::span<const SheetPage> pages, SettingsBlocks& blocks,
                    UserMessages& messages, QWidget* parent = nullptr);

    FormPage* page(int index) const { return m_pages.at(static_cast<std::size_t>(index)); }
    int pageCount() const { return static_cast<int>(m_pages.size()); }
    // The control of a row on any page, nullptr for none.
    QWidget* control(int id) const;
    // The OK/Cancel row, where a dialog adds its own buttons.
    QDialogButtonBox* buttons() const { return m_buttons; }

    void accept() override;

private:
    SettingsBlocks& m_blocks;
    UserMessages& m_messages;
    std::vector<FormPage*> m_pages;
    QTabWidget* m_tabs = nullptr;
    QDialogButtonBox* m_buttons;
};
