// vimra-cli tax: the tax types of zktax.dat, until the Tax dialog exists.
// Like the dialog's OK, a change also copies the first type's name and rate
// into the settings (taxDescription, taxRate), which the basket shows for a
// single tax rate.
#include <cstdio>
#include <memory>

#include "cli/vimra/argument_parsing.h"
#include "cli/vimra/commands.h"
#include "generator/tax_file.h"
#include "model/paths.h"
#include "model/settings_store.h"

int runTaxCommand(int argc, char** argv) {
    CLI::App app("Lists and edits the tax types (zktax.dat).", "vimra-cli tax");
    app.require_subcommand(1);
    CLI::App* list = app.add_subcommand("list", "print the tax types: number, name, rate, 'item rates' when set");
    CLI::App* add = app.add_subcommand("add", "append a tax type");
    std::string name;
    double rate = 0.0;
    bool itemRates = false;
    add->add_option("NAME", name, "name (at most 40 characters are kept)")->required();
    add->add_option("RATE", rate, "rate in percent")->required()->check(kFiniteNumber);
    add->add_flag("--item-rates", itemRates, "use the items' own tax rates instead of this rate");
    CLI::App* remove = app.add_subcommand("remove", "remove tax type N (as numbered by list)");
    int number = 0;
    remove->add_option("N", number, "number of the tax type")->required()->check(CLI::PositiveNumber);
    CLI::App* clear = app.add_subcommand("clear", "remove every tax type");
    int parsed = parseArguments(app, argc, argv);
    if (parsed >= 0)
        return parsed;

    const std::string path = programPath(kTaxFile);
    TaxTypes types;
    types.load(path);
    if (list->parsed()) {
        for (int i = 0; i < types.count(); ++i)
            std::printf("%d\t%s\t%s%s\n", i + 1, types.name(i).c_str(), types.rateText(i).c_str(),
                        types.useItemRates(i) ? "\titem rates" : "");
        return 0;
    }
    if (add->parsed() && !types.append(name, rate, itemRates))
        return failure("the tax file holds as many tax types as it can");
    if (remove->parsed() && !types.remove(number - 1))
        return failure("there is no tax type " + std::to_string(number));
    if (clear->parsed())
        types.clear();
    StderrMessages messages(MessageAnswer::Ok);
    if (types.save(path, messages) != 0)
        return 1;
    const std::string programDir = programDirectory();
    auto blocks = std::make_unique<SettingsBlocks>();
    loadSettings(*blocks, programDir);
    copyField(blocks->general.taxDescription, types.name(0));
    blocks->general.taxRate = types.rate(0);
    return saveGeneralSettings(blocks->general, messages, programDir) == 0 ? 0 : 1;
}
