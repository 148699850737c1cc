#include "app/desktop/form_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include "app/desktop/folder_picker.h"
#include "app/desktop/message_boxes.h"
#include "imagelib/widgets/record_text.h"
#include "imagelib/widgets/img_dialog.h"
#include "imagelib/file_filter.h"
#include "model/paths.h"
#include "model/user_messages.h"

namespace {

QString labelText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList qtNameFilters(std::string_view filter) {
    QStringList lines;
    for (const FileFilter& entry : parseFileFilter(filter))
        lines << QString::fromStdString(nameFilterLine(entry));
    return lines;
}

// The pickers of the program: pictures with their preview, folders with
// their checks, other files with the row's filter.
std::optional<std::string> browseWithPickers(QWidget* parent, const FormField& field, const std::string& current) {
    const std::string title(field.browseTitle);
    // A server's folders need the server the page names; the page's owner browses them.
    if (field.kind == FormControl::RemoteFolder)
        return std::nullopt;
    if (field.kind == FormControl::Image)
        return CImgDialog::choosePicture(parent, ImgDialogProgram::Generator, title, nativePath(current));
    if (field.kind == FormControl::Folder) {
        MessageBoxes messages(parent);
        return browseFolder(title, nativePath(current), messages, parent);
    }
    const QString chosen = QFileDialog::getOpenFileName(parent, labelText(field.browseTitle),
                                                        shownText(startFolderOf(current)),
                                                        qtNameFilters(field.filter).join(QStringLiteral(";;")));
    if (chosen.isEmpty())
        return std::nullopt;
    return QFile::encodeName(chosen).toStdString();
}

}  // namespace

QString pageTitle(std::string_view title) {
    // A tab's text marks its shortcut letter with '&'; a title's own '&' is doubled.
    return labelText(title).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

std::string startFolderOf(const std::string& path) {
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : nativePath(path.substr(0, separator));
}

FormPage::FormPage(std::span<const FormField> fields, QWidget* parent) : QWidget(parent) {
    m_browse = [this](const FormField& field, const std::string& current) {
        return browseWithPickers(this, field, current);
    };
    auto* layout = new QFormLayout(this);
    QHBoxLayout* line = nullptr;
    m_rows.resize(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        Row& row = m_rows[i];
        row.field = &fields[i];
        if (!row.field->heading.empty()) {
            auto* heading = new QLabel(labelText(row.field->heading), this);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            layout->addRow(heading);
        }
        QWidget* shown = makeControl(row);
        const bool labelled = !row.box && !row.radios;
        if (row.field->sameLine && line) {
            if (labelled)
                line->addWidget(new QLabel(labelText(row.field->label), this));
            if (row.field->kind == FormControl::Number)
                shown->setMaximumWidth(shown->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
            line->addWidget(shown, row.field->kind == FormControl::Number ? 0 : 1);
            continue;
        }
        // Each row gets a line of its own that the rows after it may join.
        auto* holder = new QWidget(this);
        line = new QHBoxLayout(holder);
        line->setContentsMargins(0, 0, 0, 0);
        line->addWidget(shown, 1);
        if (labelled)
            layout->addRow(labelText(row.field->label), holder);
        else
            layout->addRow(holder);
    }
}

QWidget* FormPage::makeControl(Row& row) {
    const FormField& field = *row.field;
    const QString name = QStringLiteral("control%1").arg(field.control);
    switch (field.kind) {
    case FormControl::Check:
        row.box = new QCheckBox(labelText(field.label), this);
        row.widget = row.box;
        row.widget->setObjectName(name);
        return row.widget;
    case FormControl::Radio: {
        auto* group = new QGroupBox(labelText(field.label), this);
        auto* buttons = new QHBoxLayout(group);
        row.radios = new QButtonGroup(group);
        for (std::size_t i = 0; i < field.choices.size(); ++i) {
            auto* radio = new QRadioButton(labelText(field.choices[i]), group);
            row.radios->addButton(radio, static_cast<int>(i));
            buttons->addWidget(radio);
        }
        row.widget = group;
        row.widget->setObjectName(name);
        return group;
    }
    case FormControl::ColourName:
    case FormControl::FontFace: {
        row.list = new QComboBox(this);
        row.list->setEditable(true);
        for (std::string_view entry : field.kind == FormControl::ColourName ? colourNames() : fontFaces())
            row.list->addItem(labelText(entry));
        if (field.maxChars > 0)
            row.list->lineEdit()->setMaxLength(field.maxChars);
        row.widget = row.list;
        row.widget->setObjectName(name);
        return row.widget;
    }
    default: break;
    }
    row.edit = new QLineEdit(this);
    row.edit->setObjectName(name);
    if (field.maxChars > 0)
        row.edit->setMaxLength(field.maxChars);
    row.widget = row.edit;
    if (field.kind != FormControl::Image && field.kind != FormControl::Folder && field.kind != FormControl::File &&
        field.kind != FormControl::RemoteFolder)
        return row.edit;
    auto* holder = new QWidget(this);
    auto* line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    auto* dots = new QToolButton(holder);
    dots->setText(QStringLiteral("..."));
    dots->setObjectName(field.browseControl ? QStringLiteral("control%1").arg(field.browseControl)
                                            : name + QStringLiteral("Browse"));
    dots->setToolTip(labelText(field.browseTitle));
    line->addWidget(row.edit);
    line->addWidget(dots);
    const std::size_t index = static_cast<std::size_t>(&row - m_rows.data());
    connect(dots, &QToolButton::clicked, this, [this, index] { browse(m_rows[index]); });
    return holder;
}

void FormPage::browse(Row& row) {
    const FormValue current = valueOf(row);
    const std::optional<std::string> chosen = m_browse(*row.field, current.text);
    if (!chosen)
        return;
    row.edit->setText(shownText(*chosen));
    emit browsed(row.field->control);
}

void FormPage::load(const SettingsBlocks& blocks) {
    for (Row& row : m_rows) {
        const FormValue value = loadFormValue(blocks, *row.field);
        row.loadedText = value.text;
        if (row.edit) {
            row.edit->setText(shownText(value.text));
        } else if (row.list) {
            row.list->setEditText(shownText(value.text));
            row.list->lineEdit()->setCursorPosition(0);  // a long face list shows its first face
        } else if (row.box) {
            row.box->setChecked(value.checked);
        } else if (row.radios) {
            row.radios->setExclusive(false);
            for (QAbstractButton* button : row.radios->buttons())
                button->setChecked(row.radios->id(button) == value.choice);
            row.radios->setExclusive(true);
        }
    }
}

FormValue FormPage::valueOf(const Row& row) const {
    FormValue value;
    if (row.edit)
        value.text = keptText(row.edit->text(), row.loadedText);
    else if (row.list)
        value.text = keptText(row.list->currentText(), row.loadedText);
    else if (row.box)
        value.checked = row.box->isChecked();
    else if (row.radios)
        value.choice = row.radios->checkedId();
    return value;
}

bool FormPage::check(UserMessages& messages) {
    for (const Row& row : m_rows) {
        const std::string refusal = checkFormValue(*row.field, valueOf(row));
        if (refusal.empty())
            continue;
        messages.show(refusal, "", MessageButtons::Ok);
        row.widget->setFocus();
        if (row.edit)
            row.edit->selectAll();
        return false;
    }
    return true;
}

void FormPage::store(SettingsBlocks& blocks) const {
    for (const Row& row : m_rows)
        storeFormValue(blocks, *row.field, valueOf(row));
}

QWidget* FormPage::control(int id) const {
    for (const Row& row : m_rows)
        if (row.field->control == id)
            return row.widget;
    return nullptr;
}
