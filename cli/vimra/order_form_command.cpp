// vimra-cli order-form: the order text file ZKOT.dat (the address and the
// closing text of the order form) and the order form template zkof01.dat,
// until the order form settings page exists.
#include <cstdio>

#include "cli/vimra/argument_parsing.h"
#include "cli/vimra/commands.h"
#include "generator/order_form_files.h"
#include "generator/record_bytes.h"
#include "model/paths.h"

namespace {

std::string withLineFeeds(const std::string& text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            result += text[i];
    }
    return result;
}

} // namespace

int runOrderFormCommand(int argc, char** argv) {
    CLI::App app("Shows and edits the order form's address and closing text (ZKOT.dat) and its template "
                 "(zkof01.dat).",
                 "vimra-cli order-form");
    app.require_subcommand(1);
    CLI::App* show = app.add_subcommand("show", "print address1 to address7 and text as FIELD=VALUE");
    CLI::App* set = app.add_subcommand("set", "set one field");
    std::string field, value;
    std::vector<std::string> fields{"text"};
    for (int i = 1; i <= kOrderAddressLinesUsed; ++i)
        fields.push_back("address" + std::to_string(i));
    set->add_option("FIELD", field, "address1 to address7 (80 characters each), or text (line breaks kept)")
        ->required()
        ->check(CLI::IsMember(fields));
    set->add_option("VALUE", value, "the new value; empty to clear it")->required();
    CLI::App* useTemplate = app.add_subcommand(
        "template", "install FILE as the template of an order form kept at orderFormUrl (zkof01.dat)");
    std::string templateFile;
    useTemplate->add_option("FILE", templateFile, "the template")->required();
    int parsed = parseArguments(app, argc, argv);
    if (parsed >= 0)
        return parsed;

    if (useTemplate->parsed()) {
        std::optional<std::string> bytes = readDataFile(templateFile, 64u << 20);
        if (!bytes)
            return failure("cannot read " + templateFile);
        const std::string path = programPath(kOrderFormTemplateFile);
        return writeOrderFormTemplate(path, *bytes) == 0 ? 0 : failure("could not save " + path);
    }
    const std::string path = programPath(kOrderTextFile);
    OrderText text = readOrderText(path);
    if (show->parsed()) {
        for (int i = 0; i < kOrderAddressLinesUsed; ++i)
            std::printf("address%d=%s\n", i + 1, text.addressLines[i].c_str());
        std::printf("text=%s\n", withLineFeeds(text.extraText).c_str());
        return 0;
    }
    if (field == "text")
        text.setExtraText(value);
    else
        text.setAddressLine(std::stoi(field.substr(7)) - 1, value);
    return writeOrderText(path, text) == 0 ? 0 : failure("could not save " + path);
}
