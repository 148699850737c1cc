#pragma once
// The editor's commands over its document: saving, opening and creating
// files, the structure and directive commands, importing, inserting,
// deleting and dragging entries. Questions and messages go through
// UserMessages; file choosers and dialogs through KorvelDialogs.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "editor/file_dialog_request.h"
#include "editor/korvel_doc.h"

namespace korvel {

struct OptionalFieldsInput {
    std::string code;
    std::string unit;
    std::array<std::string, kCaptionCount> captions;
    std::string charset;
};

struct TaxTypesInput {
    std::array<std::string, kTaxTypeCount> titles;
    std::array<std::string, kTaxTypeCount> rates;   // decimal text as typed
};

struct StartItemPageInput {
    int mode = kFirstCatalogueItem;
    std::string name;
};

enum class ViewRefresh { Rebuild, Relabel, AddImported, FormOnly };

class KorvelDialogs {
public:
    virtual ~KorvelDialogs() = default;
    // A file dialog as the request describes it; false when cancelled.
    virtual bool chooseFile(const FileDialogRequest& request, std::string& path) = 0;
    // The dialogs start with the current values; false when cancelled.
    virtual bool editOptionalFields(OptionalFieldsInput& fields) = 0;
    virtual bool editTaxTypes(TaxTypesInput& taxTypes) = 0;
    virtual bool editMetaTags(std::string& text) = 0;
    virtual bool editStartItemPage(StartItemPageInput& page) = 0;
    // The form stores its pending edits before every command that changes the document.
    virtual void commitForm() {}
    virtual void refreshViews(ViewRefresh) {}
};

// Rewrites a rate as the tax dialog shows it when its box is left.
std::string normaliseRateText(const std::string& title, const std::string& rate);

// "%s.%ld.%s" (or "%s.%ld" without an extension) from the path and the time.
std::string backupName(const std::string& path, long seconds);

class KorvelCommands {
public:
    KorvelCommands(CKorvelDoc& doc, KorvelDialogs& dialogs);

    int save();
    // Asks "Save Changes" when there are changes; Yes replaces the file.
    int saveOnExit();
    // The same question before another file replaces the open one (New,
    // Open, a recent file), so that its changes are not dropped unasked.
    int saveChangesFirst();
    int saveAs();
    int newFile();
    int openFile();
    int openPath(const std::string& path);
    // The path given on the command line: created empty when it does not
    // exist ("couldn't create %s" when that fails, and no file is open), then opened.
    int start(const std::string& path);
    int optionalFields();
    int itemTaxTypes();
    int metaTags();
    int startItemPage();
    int importFile();

    // Inserts a new entry of that kind after the selected item (the end of
    // the top level when none); returns its tree item, kNoItem when refused.
    int insert(int kind, int selectedItem);
    // Asks and deletes the item with everything below it; true when deleted.
    bool deleteItem(int item);
    // Drops a dragged item onto target: moved, or copied with copyEntries.
    // False when the drop is refused (the view beeps).
    bool drop(int dragged, int target, bool copyEntries);

    // Called after a save has written its temporary file and before it replaces
    // anything; returning false stops the save there (tests use it to stand
    // for a crash).
    void setAfterTemporaryWritten(std::function<bool(const std::string&)> hook) {
        m_afterTemporaryWritten = std::move(hook);
    }
    // Seconds since 1970 for backup names (tests pin it).
    void setClock(std::function<long()> clock) { m_clock = std::move(clock); }

private:
    enum class Replace { KeepBackup, NoBackup };
    // Writes the file into a new temporary file beside target, named in temporary.
    int writeTemporary(const std::string& target, bool restructure, std::string& temporary);
    // Resolves the file a save replaces; shows message and returns true
    // when it is no regular file or cannot be written.
    bool refuseUnsavable(const std::string& path, std::string& target, const char* message);
    int saveReplacing(bool restructure, Replace replace, bool keepSelection);
    int restructure();
    bool refuseWithoutFile(const char* caption);
    std::string currentFolder() const;
    // Asks for a data file; false when nothing was chosen.
    bool chooseDataFile(const char* title, FileDialogMode mode, std::string& path);

    CKorvelDoc& m_doc;
    KorvelDialogs& m_dialogs;
    std::function<bool(const std::string&)> m_afterTemporaryWritten;
    std::function<long()> m_clock;
};

} // namespace korvel
