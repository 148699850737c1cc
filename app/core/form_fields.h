#pragma once
// The settings dialogs and sheet pages are described, not hand-written: each
// page is a table of fields, one row per control, naming its label, the
// settings field it edits (by the names of settings_fields.h) and how the
// text goes in and out. These functions carry a row's value between the
// record and the control; the window only builds the controls.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/settings_store.h"

enum class FormControl {
    Text,    // an edit box
    Number,  // an edit box holding a whole number
    Check,   // a check box: the whole field (0/1) or one bit of it
    Radio,   // a group of radio buttons, one per choice
    ColourName,  // an editable list of the colour names
    FontFace,    // an editable list of font faces
    Image,   // a picture's path with a "..." button (picture dialog)
    Folder,  // a folder's path with a "..." button (folder picker)
    File,    // a file's path with a "..." button (file dialog)
    RemoteFolder,  // a folder on an FTP server with a "..." button (the page supplies the browser)
};

// Conversions on the way from the control into the record.
enum FormConversion : unsigned {
    NoConversion = 0,
    Trim = 1,      // blanks at both ends removed
    NoBlanks = 2,  // every blank removed
    Inverted = 4,  // Check: a ticked box stores 0
    Clamp = 8,     // Number: limited into lowest..highest instead of refused
};

struct FormField {
    int control = 0;            // the control's number, also its object name "control<N>"
    std::string_view label;
    std::string_view field;     // settings field name, e.g. "indexFonts.1.size"
    FormControl kind = FormControl::Text;
    unsigned conversions = NoConversion;
    int maxChars = 0;           // texts: most characters typed; 0: what the field holds
    int bit = -1;               // Check, Radio: the lowest bit of the part of the field it
                                // stands for; -1: the whole field
    int bits = 1;               // ... and the part's width in bits; 0: up to the field's top
    std::vector<std::string_view> choices;  // Radio: the buttons' labels
    std::vector<long long> choiceValues;    // Radio: value stored per choice; empty: 0, 1, 2, ...
    long long lowest = 0;       // Number: range; no range when highest < lowest
    long long highest = -1;
    std::string_view browseTitle;  // Image, Folder, File, RemoteFolder: the picker's title
    int browseControl = 0;      // the "..." button's own number; 0: named after the row
    std::string_view filter;       // File: "Label (*.x) |*.x| All Files (*.*) |*.*||"
    std::string_view heading;      // a caption shown above this row, starting a group of rows
    bool sameLine = false;         // shown beside the row before it rather than below
};

struct FormValue {
    std::string text;    // Text, Number, ColourName, FontFace, Image, Folder, File
    bool checked = false;  // Check
    int choice = -1;       // Radio: the index of the chosen button; -1 none
};

// The value the control shows for the record as it is.
FormValue loadFormValue(const SettingsBlocks& blocks, const FormField& field);

// Why OK is refused for this value ("Please enter an integer between 0 and 7."),
// or empty when it may be stored.
std::string checkFormValue(const FormField& field, const FormValue& value);

// Stores the value with the row's conversions. Texts are cut to maxChars and
// to the field; numbers are their leading number, then clamped to the
// field's own range; a bit changes nothing but itself.
void storeFormValue(SettingsBlocks& blocks, const FormField& field, const FormValue& value);

// Every row of a page at once.
std::vector<FormValue> loadFormValues(const SettingsBlocks& blocks, std::span<const FormField> fields);
void storeFormValues(SettingsBlocks& blocks, std::span<const FormField> fields, std::span<const FormValue> values);

// The colour names every colour box lists, and the faces of the font boxes.
std::span<const std::string_view> colourNames();
std::span<const std::string_view> fontFaces();
