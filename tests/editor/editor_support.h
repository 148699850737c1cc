#pragma once
// Helpers shared by the editor's tests: the generator's reading of a file,
// scripted dialogs, and a document opened on a file in a fresh folder.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "editor/commands.h"
#include "editor/entry_tree.h"
#include "editor/entry_tree_observer.h"
#include "editor/korvel_doc.h"
#include "model/catalogue_reader.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

struct GeneratorRecord {
    EntryKind kind;
    std::vector<std::string> fields;   // all 30 slots
    bool operator==(const GeneratorRecord&) const = default;
};

struct GeneratorReading {
    std::uint32_t fieldMask = 0;
    std::vector<std::string> header;   // selections, taxes, texts in a printable form
    std::vector<GeneratorRecord> records;
    std::string footnotes;             // the footnote after each record, joined
};

// Reads a data file as the generator does (fields split at ',').
GeneratorReading readWithGenerator(const std::string& path);

// The records without blank lines, which the generator passes over and a
// save may add or drop.
std::vector<GeneratorRecord> meaningful(const std::vector<GeneratorRecord>& records);

class ScriptedDialogs : public korvel::KorvelDialogs {
public:
    bool chooseFile(const korvel::FileDialogRequest& request, std::string& path) override {
        titles.push_back(request.title);
        requests.push_back(request);
        if (chosenPaths.empty())
            return false;
        path = chosenPaths.front();
        chosenPaths.erase(chosenPaths.begin());
        return true;
    }
    bool editOptionalFields(korvel::OptionalFieldsInput& fields) override {
        return optionalFields ? optionalFields(fields) : false;
    }
    bool editTaxTypes(korvel::TaxTypesInput& taxTypes) override { return taxes ? taxes(taxTypes) : false; }
    bool editMetaTags(std::string& text) override { return meta ? meta(text) : false; }
    bool editStartItemPage(korvel::StartItemPageInput& page) override { return startPage ? startPage(page) : false; }
    void commitForm() override { ++commits; }

    std::vector<std::string> chosenPaths;
    std::vector<std::string> titles;
    std::vector<korvel::FileDialogRequest> requests;
    std::function<bool(korvel::OptionalFieldsInput&)> optionalFields;
    std::function<bool(korvel::TaxTypesInput&)> taxes;
    std::function<bool(std::string&)> meta;
    std::function<bool(korvel::StartItemPageInput&)> startPage;
    int commits = 0;
};

// The tree as entries and brackets, depth first: "0(1()2())3()".
std::string treeShape(const korvel::EntryTree& tree);

// Records what an entry tree tells, in the form "inserted under 0 rows 1-1"
// with the parent named by its entry ("root" for the top level). It checks
// each call against the tree as it stands at that moment, and keeps its own
// copy of the tree's shape made only from what it was told, applying moves
// as a view's model does: it must end up as the tree is.
class TreeRecorder : public korvel::EntryTreeObserver {
public:
    explicit TreeRecorder(const korvel::EntryTree& tree);

    void aboutToInsert(int parent, int first, int last) override;
    void inserted(int parent, int first, int last) override;
    void aboutToRemove(int parent, int first, int last) override;
    void removed(int parent, int first, int last) override;
    void aboutToMove(int sourceParent, int sourceRow, int destinationParent, int destinationRow) override;
    void moved(int sourceParent, int sourceRow, int destinationParent, int destinationRow) override;
    void aboutToReset() override;
    void reset() override;

    // The shape told so far, written as treeShape writes it.
    std::string toldShape() const;

    std::vector<std::string> calls;
    // Calls without their partner, or that do not fit the tree when they come.
    std::vector<std::string> faults;

private:
    std::string name(int item) const;
    int rowCount(int parent) const;
    void begin(const std::string& call, int parent);
    void end(const std::string& call, int parent, int rowChange);
    void copyFromTree(int item);

    const korvel::EntryTree& m_tree;
    std::map<int, std::vector<int>> m_told;   // children by item, as told
    std::string m_open;                       // the "about to" call awaiting its partner
    int m_rowsBefore = 0;
    int m_moving = korvel::kNoItem;
};

// A document with its commands, on a copy of some file text in a fresh folder.
struct EditorSession {
    explicit EditorSession(const std::string& text, const std::string& name = "shop.txt");
    TempDir dir;
    std::string path;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    korvel::CKorvelDoc doc{messages};
    korvel::KorvelCommands commands{doc, dialogs};
    long clock = 1700000000;

    // Names of the files in the folder, sorted.
    std::vector<std::string> files() const;
    // (kind, level, label) of every tree item, depth first.
    std::vector<std::string> treeLines() const;
    int itemOf(const std::string& label) const;
};

// How the generator reads a file before and after the editor saves it
// without a change, and the saved text.
struct UnchangedSave {
    GeneratorReading before;
    GeneratorReading after;
    std::string saved;
};
UnchangedSave saveUnchanged(EditorSession& s);
