#pragma once
// What the entry form shows of one entry and how its edits go back into the
// document: the boxes as texts, the controls a kind enables, the boxes the
// file's structure shows, and storing the edits as the entry's new version.
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/file_directives.h"
#include "editor/korvel_doc.h"

namespace korvel {

// The controls an entry of a kind may edit.
enum class FormAccess { None, TextOnly, DescriptionOnly, All };
FormAccess formAccess(int kind);

// "Text", or "No. Columns" for a columns entry.
const char* textCaption(int kind);

// The boxes the file's structure shows.
struct FormLayout {
    bool code = false;
    bool unit = false;
    std::vector<int> optionSlots;              // one tab per options list the file has
    std::vector<std::string> optionCaptions;   // the tabs' captions
    std::vector<std::string> taxTitles;        // the tax list; hidden when empty
};
FormLayout formLayoutOf(const FileDirectives& directives);

// The entry as the form's boxes hold it.
struct EntryFormValues {
    int kind = kNoEntry;
    bool startPage = false;
    std::string text;
    std::string code;
    std::string price;
    std::string unit;
    std::string firstPicture;
    std::string secondPicture;
    std::array<std::string, kSelectionCount> optionsLists;   // by list number - 1
    int taxChoice = -1;                                       // position in the tax list, -1 none
    std::string description;                                  // line breaks as CR LF
};

// A picture slot holding two names is split at its first '|'.
std::pair<std::string, std::string> splitPictures(std::string_view slot);
// "%s|%s" when both are set, else whichever is set, cut to the slot.
std::string joinPictures(std::string_view first, std::string_view second);
// The tax type shown: the one numbered in the tax slot; when that is missing
// or out of range, the first for a price beginning with a digit, else none.
int shownTaxChoice(std::string_view taxSlot, std::string_view price, int taxCount);

EntryFormValues formValuesOf(const CatalogueRecord& record, int kind, int taxCount);
// Copies the boxes into the record, each cut to its slot; the tax choice
// only when there is a tax list of taxCount types.
void storeFormValues(const EntryFormValues& values, int taxCount, CatalogueRecord& record);

// The form's hold on the document: the entry it shows, a copy of its record
// and the pending-change flag.
class EntryFormSession {
public:
    explicit EntryFormSession(CKorvelDoc& doc) : m_doc(doc) {}

    // Shows the document's current entry; kind kNoEntry when there is none.
    const EntryFormValues& load();
    // Stores the boxes when they were modified or a change is pending, then
    // turns a ticked item into a page start and an unticked page start into
    // an item. False when the record could not be stored.
    bool commit(const EntryFormValues& shown, bool boxesModified);
    // A change made outside the boxes (options list, picture, large editor).
    void markPending() { m_pending = true; }
    bool pending() const { return m_pending; }

    int shownEntry() const { return m_index; }
    const EntryFormValues& values() const { return m_values; }
    FormLayout layout() const { return formLayoutOf(m_doc.file().directives); }
    // The name as the preview reads it: completed with the generator's folder.
    std::string previewPath(std::string_view pictureName) const;
    // Where the picture dialog starts: at the named picture, in the
    // generator's folder for a name without one or for no name.
    std::string startPath(std::string_view pictureName) const;

private:
    CKorvelDoc& m_doc;
    int m_index = -1;
    CatalogueRecord m_record;
    EntryFormValues m_values;
    bool m_pending = false;
};

} // namespace korvel
