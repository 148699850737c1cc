// Writes the input as a data file, opens and saves it through the editor,
// and checks that the generator reads the saved file as it read the input,
// apart from the normalisations of editor/generator_reading.h; a save that
// cut a field it says so, and is not compared.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "editor/commands.h"
#include "editor/generator_reading.h"
#include "editor/korvel_doc.h"
#include "model/user_messages.h"

namespace {

class Messages : public UserMessages {
public:
    MessageAnswer show(const std::string& text, const std::string&, MessageButtons) override {
        shown.push_back(text);
        return MessageAnswer::Yes;
    }
    std::vector<std::string> shown;
};

class NoDialogs : public korvel::KorvelDialogs {
public:
    bool chooseFile(const korvel::FileDialogRequest&, std::string&) override { return false; }
    bool editOptionalFields(korvel::OptionalFieldsInput&) override { return false; }
    bool editTaxTypes(korvel::TaxTypesInput&) override { return false; }
    bool editMetaTags(std::string&) override { return false; }
    bool editStartItemPage(korvel::StartItemPageInput&) override { return false; }
};

std::vector<std::string> reading(const std::string& path) {
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (!stream)
        __builtin_trap();
    std::vector<std::string> lines = korvel::comparableReading(stream);
    std::fclose(stream);
    return lines;
}

// A private folder for the run, removed at exit.
const std::filesystem::path& folder() {
    static const std::filesystem::path path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvel-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(folder(), ec);
        });
        return std::filesystem::path(pattern);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path dir = folder() / "case";
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    std::filesystem::create_directory(dir, ec);
    const std::string path = (dir / "shop.txt").string();
    if (std::FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    const std::vector<std::string> before = reading(path);

    Messages messages;
    NoDialogs dialogs;
    {
        korvel::CKorvelDoc doc(messages, dir.string(), stderr);
        korvel::KorvelCommands commands(doc, dialogs);
        if (doc.open(path, false) != 0)
            __builtin_trap();
        doc.setModified();
        if (commands.save() != 0)
            __builtin_trap();
        // Saved once more, the file stays as it is.
        const std::vector<std::string> once = reading(path);
        doc.setModified();
        if (commands.save() != 0 || reading(path) != once)
            __builtin_trap();
    }
    for (const std::string& text : messages.shown) {
        if (text.rfind("Fields longer than the editor keeps were cut in:", 0) != 0)
            __builtin_trap();
    }
    const std::vector<std::string> after = reading(path);
    if (messages.shown.empty() && after != before) {
        std::size_t same = 0;
        while (same < before.size() && same < after.size() && before[same] == after[same])
            ++same;
        std::fprintf(stderr, "the generator reads the saved file differently:\n%s\nbecame\n%s\n",
                     same < before.size() ? before[same].c_str() : "(none)",
                     same < after.size() ? after[same].c_str() : "(none)");
        __builtin_trap();
    }
    std::filesystem::remove_all(dir, ec);
    return 0;
}
