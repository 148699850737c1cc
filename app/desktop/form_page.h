#pragma once
// A page of controls built from a table of fields: labels, edit boxes,
// colour and face lists, check boxes, radio groups and "..." buttons that
// open the pickers. It loads the record into the controls, checks them and
// stores them back; every rule lives in the table's conversions.
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>
#include <QWidget>

#include "app/core/form_fields.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class UserMessages;

class FormPage : public QWidget {
    Q_OBJECT
public:
    explicit FormPage(std::span<const FormField> fields, QWidget* parent = nullptr);

    void load(const SettingsBlocks& blocks);
    // False after showing why a control cannot be stored; that control then has the focus.
    bool check(UserMessages& messages);
    void store(SettingsBlocks& blocks) const;

    // The control of a table row by its number, for tests and for the pages'
    // own wiring; nullptr for none.
    QWidget* control(int id) const;

    // Asks for a path for a row with a "..." button, starting from its text;
    // nothing when the user cancelled. By default the picture dialog, the
    // folder picker or a file dialog.
    using Browse = std::function<std::optional<std::string>(const FormField& field, const std::string& current)>;
    void setBrowse(Browse browse) { m_browse = std::move(browse); }

signals:
    // A picker put a new path into a row's control.
    void browsed(int control);

private:
    struct Row {
        const FormField* field = nullptr;
        QWidget* widget = nullptr;   // the row's control, named "control<N>"
        QLineEdit* edit = nullptr;
        QComboBox* list = nullptr;
        QCheckBox* box = nullptr;
        QButtonGroup* radios = nullptr;
        std::string loadedText;      // the record's bytes, kept unless the text is changed
    };

    QWidget* makeControl(Row& row);
    FormValue valueOf(const Row& row) const;
    void browse(Row& row);

    std::vector<Row> m_rows;
    Browse m_browse;
};

// A page's title as a tab shows it.
QString pageTitle(std::string_view title);

// The folder a picker starts in for a path: the part before its last separator.
std::string startFolderOf(const std::string& path);
