// korvel-cli: the editor's document without windows, for scripts.
//   korvel-cli tree FILE     prints every entry: kind, level and label
//   korvel-cli resave FILE   saves the file again through the editor, with a backup
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "editor/commands.h"
#include "editor/korvel_doc.h"
#include "model/paths.h"
#include "model/user_messages.h"

namespace {

// The command line has no dialogs: every chooser and dialog is cancelled.
class NoDialogs : public korvel::KorvelDialogs {
public:
    bool chooseFile(const korvel::FileDialogRequest&, std::string&) override { return false; }
    bool editOptionalFields(korvel::OptionalFieldsInput&) override { return false; }
    bool editTaxTypes(korvel::TaxTypesInput&) override { return false; }
    bool editMetaTags(std::string&) override { return false; }
    bool editStartItemPage(korvel::StartItemPageInput&) override { return false; }
};

int usage() {
    std::fprintf(stderr, "usage: korvel-cli tree FILE\n       korvel-cli resave FILE\n");
    return 2;
}

int printTree(korvel::CKorvelDoc& doc) {
    doc.tree().walk([&](int item, int depth) {
        int entry = doc.tree().entry(item);
        std::printf("%d\t%d\t%s\n", doc.getKind(entry), depth, doc.treeLabel(entry).c_str());
        return true;
    });
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return usage();
    const std::string command = argv[1];
    const std::string path = argv[2];
    if (command != "tree" && command != "resave")
        return usage();

    StderrMessages messages;
    korvel::CKorvelDoc doc(messages, programDirectory());
    // Only looked at: opening a FIFO to see whether it is there would wait for a writer.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        std::fprintf(stderr, "couldn't open <%s>\n", path.c_str());
        return 1;
    }
    if (doc.open(path, false) != 0)
        return 1;
    if (command == "tree")
        return printTree(doc);

    NoDialogs dialogs;
    korvel::KorvelCommands commands(doc, dialogs);
    // A normalising save: written again even when nothing was changed.
    doc.setModified();
    return commands.save() == 0 ? 0 : 1;
}
