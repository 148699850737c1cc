#pragma once
// Helpers shared by the editor's tests: the generator's reading of a file,
// scripted dialogs, and a document opened on a file in a fresh folder.
#include <functional>
#include <string>
#include <vector>

#include "editor/commands.h"
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
