// The commands that change the file directives, and with them perhaps the
// structure of every record: Optional Fields, Item Tax Types, Meta Tags,
// Start Item Page.
#include <charconv>
#include <cstdio>

#include "editor/commands.h"

namespace korvel {

namespace {

constexpr const char* kCaption = "Korvel";

// Blanks off both ends; a line break would end the directive line early.
std::string cleanValue(std::string_view text, char lineBreak = '\0') {
    std::string value;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            if (lineBreak && !value.empty() && value.back() != lineBreak)
                value += lineBreak;
        } else {
            value += c;
        }
    }
    std::size_t first = value.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    std::size_t last = value.find_last_not_of(" \t");
    return value.substr(first, last - first + 1);
}

// A directive value ends at the first ';' when the file is read again (a
// tax title would take its rate with it), so a typed ';' is left out.
std::string directiveValue(std::string_view text) {
    std::string value;
    for (char c : text) {
        if (c != ';')
            value += c;
    }
    return cleanValue(value);
}

double parseRate(std::string_view text) {
    std::string clean = cleanValue(text);
    std::size_t at = !clean.empty() && clean.front() == '+' ? 1 : 0;
    double rate = 0;
    auto result = std::from_chars(clean.data() + at, clean.data() + clean.size(), rate);
    return result.ec == std::errc() ? rate : 0;
}

std::string formatRate(double rate) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", rate);
    return text;
}

} // namespace

std::string normaliseRateText(const std::string& title, const std::string& rate) {
    double value = parseRate(rate);
    if (value != 0)
        return formatRate(value);
    return cleanValue(title).empty() ? std::string() : "0.00";
}

int KorvelCommands::restructure() {
    m_dialogs.commitForm();
    return saveReplacing(true, Replace::NoBackup, false);
}

int KorvelCommands::optionalFields() {
    if (refuseWithoutFile("File Options"))
        return -1;
    m_dialogs.commitForm();
    CatalogueFile& file = m_doc.file();
    FileDirectives& d = file.directives;

    OptionalFieldsInput input;
    input.code = d.codeCaption;
    input.unit = d.unitCaption;
    for (int n = 0; n < kCaptionCount; ++n) {
        if (d.listNumbers & (1u << n))
            input.captions[static_cast<std::size_t>(n)] = d.captions[static_cast<std::size_t>(n)];
    }
    input.charset = d.charset;
    if (!m_dialogs.editOptionalFields(input))
        return 0;

    // Captions move up over cleared ones, taking their lists with them, into
    // the list numbers that no text option of the file holds.
    std::array<std::string, kCaptionCount> captions;
    unsigned listNumbers = 0;
    SlotSource source = identitySource();
    std::array<bool, kCaptionCount> carried{};
    int next = 0;
    for (int i = 0; i < kCaptionCount; ++i) {
        std::string caption = directiveValue(input.captions[static_cast<std::size_t>(i)]).substr(0, kCaptionLength);
        if (caption.empty())
            continue;
        while (next < kCaptionCount && (d.textOptions & (1u << next)))
            ++next;
        if (next >= kCaptionCount)
            break;
        captions[static_cast<std::size_t>(next)] = caption;
        listNumbers |= 1u << next;
        bool had = d.listNumbers & (1u << i);
        source[static_cast<std::size_t>(kFirstSelectionSlot + next)] = had ? kFirstSelectionSlot + i : -1;
        carried[static_cast<std::size_t>(i)] = had;
        ++next;
    }
    int lostLists = 0;
    bool moved = false;
    for (int i = 0; i < kCaptionCount; ++i) {
        if ((d.listNumbers & (1u << i)) && !carried[static_cast<std::size_t>(i)])
            ++lostLists;
        if (source[static_cast<std::size_t>(kFirstSelectionSlot + i)] != kFirstSelectionSlot + i && (listNumbers & (1u << i)))
            moved = true;
    }
    std::string code = directiveValue(input.code);
    std::string unit = directiveValue(input.unit);
    bool codePresent = !code.empty();
    bool unitPresent = !unit.empty();

    std::string lost;
    if (lostLists > 0)
        lost += "    " + std::to_string(lostLists) + " Select(s)\n";
    if (d.codePresent && !codePresent)
        lost += "    Codes\n";
    if (d.unitPresent && !unitPresent)
        lost += "    Unit1\n";
    bool changes = codePresent != d.codePresent || unitPresent != d.unitPresent || listNumbers != d.listNumbers || moved;
    if (!lost.empty()) {
        std::string question =
            "By continuing, you will lose the\nfollowing data from your file\n\n" + lost + "\nDo you wish to continue?";
        if (m_doc.messages().show(question, kCaption, MessageButtons::YesNo) != MessageAnswer::Yes)
            return 0;
    } else if (changes) {
        if (m_doc.messages().show("The data file will be rewritten to reflect\nthe new structure - continue", kCaption,
                                  MessageButtons::YesNo) != MessageAnswer::Yes)
            return 0;
    }

    const FileDirectives before = d;
    d.captions = captions;
    d.listNumbers = listNumbers;
    d.codeCaption = code;
    d.codePresent = codePresent;
    d.unitCaption = unit;
    d.unitPresent = unitPresent;
    d.charset = directiveValue(input.charset);
    if (!changes) {
        file.modified = true;
        return 0;
    }
    file.setTarget(d.mask(), source);
    int result = restructure();
    if (result != 0 && m_doc.file().isOpen()) {
        // The file keeps its old structure, so it keeps its old directives.
        m_doc.file().directives = before;
        m_doc.file().setTarget(m_doc.file().currentMask, identitySource());
        m_doc.file().modified = true;
    }
    return result;
}

int KorvelCommands::itemTaxTypes() {
    if (refuseWithoutFile("Item Tax Types"))
        return -1;
    m_dialogs.commitForm();
    CatalogueFile& file = m_doc.file();
    FileDirectives& d = file.directives;

    TaxTypesInput input;
    for (int n = 0; n < kTaxTypeCount; ++n) {
        const TaxType& tax = d.taxTypes[static_cast<std::size_t>(n)];
        bool present = d.taxNumbers & (1u << n);
        input.titles[static_cast<std::size_t>(n)] = present ? tax.title : "";
        input.rates[static_cast<std::size_t>(n)] = present ? formatRate(tax.rate) : "";
    }
    if (!m_dialogs.editTaxTypes(input))
        return 0;

    const FileDirectives before = d;
    bool hadTaxes = d.taxPresent();
    d.taxNumbers = 0;
    for (int n = 0; n < kTaxTypeCount; ++n) {
        TaxType& tax = d.taxTypes[static_cast<std::size_t>(n)];
        tax.title = directiveValue(input.titles[static_cast<std::size_t>(n)]);
        tax.rate = parseRate(input.rates[static_cast<std::size_t>(n)]);
        if (!tax.title.empty())
            d.taxNumbers |= 1u << n;
    }
    file.modified = true;
    if (hadTaxes == d.taxPresent())
        return 0;
    file.setTarget(d.mask(), identitySource());
    int result = restructure();
    if (result != 0 && m_doc.file().isOpen()) {
        m_doc.file().directives = before;
        m_doc.file().setTarget(m_doc.file().currentMask, identitySource());
        m_doc.file().modified = true;
    }
    return result;
}

int KorvelCommands::metaTags() {
    if (refuseWithoutFile("File Options"))
        return -1;
    m_dialogs.commitForm();
    std::string text = m_doc.file().directives.metaText;
    if (!m_dialogs.editMetaTags(text))
        return 0;
    // The text is written on one directive line.
    m_doc.file().directives.metaText = cleanValue(text, ' ');
    m_doc.file().modified = true;
    return 0;
}

int KorvelCommands::startItemPage() {
    if (refuseWithoutFile("File Options"))
        return -1;
    m_dialogs.commitForm();
    FileDirectives& d = m_doc.file().directives;
    StartItemPageInput input{d.firstItemMode, d.firstItemName};
    if (!m_dialogs.editStartItemPage(input))
        return 0;
    d.firstItemMode = input.mode >= kFirstCatalogueItem && input.mode <= kNamedFirstItem ? input.mode
                                                                                          : kFirstCatalogueItem;
    d.firstItemName = directiveValue(input.name).substr(0, kFirstItemNameLength);
    m_doc.file().modified = true;
    return 0;
}

} // namespace korvel
