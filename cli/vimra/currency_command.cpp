// vimra-cli currency: the alternate currencies of zkcurr.dat, until the
// Currencies dialog exists.
#include <cstdio>

#include "cli/vimra/argument_parsing.h"
#include "cli/vimra/commands.h"
#include "generator/currency_file.h"
#include "model/paths.h"

int runCurrencyCommand(int argc, char** argv) {
    CLI::App app("Lists and edits the alternate currencies (zkcurr.dat).", "vimra-cli currency");
    app.require_subcommand(1);
    CLI::App* list = app.add_subcommand(
        "list", "print the conversion flag, the currency text and the currencies: number, symbol, rate, "
                "symbol position, decimal places");
    CLI::App* add = app.add_subcommand("add", "add a currency");
    CurrencyEntry entry;
    long decimals = 2;
    int position = 0;
    add->add_option("SYMBOL", entry.symbol, "what the visitor sees (at most 20 characters are kept)")->required();
    add->add_option("RATE", entry.rate, "amount of this currency per 1 of the main currency")
        ->required()
        ->check(kFiniteNumber);
    add->add_flag("--after", entry.followsAmount, "write the symbol after the amount");
    add->add_option("--decimals", decimals, "decimal places, 0 to 6 (others are clamped)")->capture_default_str();
    add->add_option("--at", position, "insert as number N instead of appending")->check(CLI::PositiveNumber);
    CLI::App* remove = app.add_subcommand("remove", "remove currency N (as numbered by list)");
    int number = 0;
    remove->add_option("N", number, "number of the currency")->required()->check(CLI::PositiveNumber);
    CLI::App* conversion = app.add_subcommand("conversion", "offer the currencies to the visitor, or not");
    std::string onOff;
    conversion->add_option("STATE", onOff, "on or off")->required()->check(CLI::IsMember({"on", "off"}));
    CLI::App* text = app.add_subcommand("text", "set the text shown beside the basket's currency selector");
    std::string basketText;
    text->add_option("TEXT", basketText, "the text; empty for none")->required();
    int parsed = parseArguments(app, argc, argv);
    if (parsed >= 0)
        return parsed;

    const std::string path = programPath(kCurrencyFile);
    CurrencyList currencies;
    currencies.load(path);
    if (list->parsed()) {
        std::printf("conversion %s\n", currencies.includeAlternates() ? "on" : "off");
        std::printf("text %s\n", currencies.text(CurrencyText::Basket).c_str());
        for (int i = 0; i < currencies.count(); ++i)
            std::printf("%d\t%s\t%.4f\t%s\t%s\n", i + 1, currencies.symbol(i).c_str(), currencies.rate(i),
                        currencies.followsAmount(i) ? "after" : "before", currencies.decimalPlacesText(i).c_str());
        return 0;
    }
    if (add->parsed()) {
        entry.decimalPlaces = clampCurrencyDecimals(decimals);
        bool added = position > 0 ? currencies.insert(position - 1, entry) : currencies.add(entry);
        if (!added)
            return failure(position > currencies.count() + 1 ? "there is no place " + std::to_string(position)
                                                              : "the currency file holds as many currencies as it can");
    }
    if (remove->parsed() && !currencies.remove(number - 1))
        return failure("there is no currency " + std::to_string(number));
    if (conversion->parsed())
        currencies.setIncludeAlternates(onOff == "on");
    StderrMessages messages(MessageAnswer::Ok);
    if (text->parsed()) {
        currencies.setText(CurrencyText::Basket, basketText);
        return currencies.saveText(path, messages) == 0 ? 0 : 1;
    }
    return currencies.save(path, messages) == 0 ? 0 : 1;
}
