#include "generator/generate.h"

#include <filesystem>
#include <memory>

#include "generator/copy_resource.h"
#include "generator/expires_tag.h"
#include "generator/generation_run.h"
#include "generator/currency_script.h"
#include "generator/header_page.h"
#include "generator/home_page.h"
#include "generator/index_page.h"
#include "generator/order_form_page.h"
#include "generator/search_script.h"
#include "generator/tax_file.h"
#include "model/paths.h"
#include "model/regular_file.h"

namespace {

char fieldDelimiterFor(std::int16_t separatorKind) {
    switch (separatorKind) {
    case 1:
        return '\t';
    case 2:
        return '|';
    default:
        return ',';
    }
}

// A fresh program directory has no output folders yet; pages cannot be
// written into a folder that does not exist.
void ensureFolder(std::string_view folder) {
    if (folder.empty())
        return;
    std::error_code ec;
    std::filesystem::create_directories(std::string(folder), ec);
}

// The upload sends what files01.dat lists: a list this run could not write
// must not pass for this catalogue's. It goes when it can; the user is told
// either way.
void withdrawFileList(const std::string& path, UserMessages& messages) {
    std::error_code ec;
    if (isRegularFile(path))
        std::filesystem::remove(path, ec);
    messages.show("the file list <" + path + "> could not be written: it does not list this catalogue", "",
                  MessageButtons::Ok);
}

void setUpCounters(GenerationRun& run) {
    run.itemCounter = 1;
    run.nextItemPage = 2;
    run.nextIndexPage = 2;
    int taxTypes = run.general.includeTax ? readTaxTypeCount(run.programFile("zktax.dat")) : 0;
    RunModes modes = runModesFor(run.appearance, run.general, taxTypes);
    run.basketFrameIndex = modes.basketFrameIndex;
    run.basketMode = modes.basketMode;
    run.taxMode = modes.taxMode;
}

void readHeader(GenerationRun& run) {
    run.reader.setFieldDelimiter(run.fieldDelimiter);
    run.reader.setFileDirectiveHandler([&run](std::string_view name) {
        CopyResource(run, run.inputPath(std::string(name)), std::string(fieldText(run.general.outputDir)));
    });
    run.reader.readHeaderBlock();
    const CatalogueHeader& header = run.reader.header();

    std::string_view width = fieldText(run.appearance.itemPageWidth);
    run.itemPageWrapper = width.empty() ? "" : "<TABLE WIDTH=" + std::string(width) + "><TR><TD>\n";
    run.charset = header.charset.empty() ? "iso-8859-1" : header.charset;

    if (header.firstItemKind == FirstItemKind::Named)
        CopyResource(run, run.inputPath(header.firstItemName), std::string(fieldText(run.general.outputDir)));
}

} // namespace

RunModes runModesFor(const AppearanceSet& appearance, const GeneralSettings& general, int taxTypeCount) {
    RunModes modes;
    const bool basketOn = (general.basketFlags & 1) != 0;
    modes.basketFrameIndex = appearance.threeFrameStyle ? 2 : 1;
    if (basketOn)
        modes.basketMode = modes.basketFrameIndex == 1 ? 2 : 1;
    if (appearance.includeHeaderFrame)
        modes.basketFrameIndex += 1;
    if (general.includeTax) {
        modes.taxMode = taxTypeCount < 0 ? 0 : taxTypeCount > 2 ? 2 : taxTypeCount;
        if (!basketOn && modes.taxMode > 1)
            modes.taxMode = 1;
    }
    return modes;
}

int Generate(const AppearanceSet& appearance, const GeneralSettings& general, UserMessages& messages,
             std::string_view programDir, std::FILE* diagnostics, GenerationReport* report) {
    if (report)
        *report = GenerationReport{};
    auto run = std::make_unique<GenerationRun>(appearance, general, messages, diagnostics);
    run->programDir = std::string(programDir);

    std::string inputFile(fieldText(general.inputFile));
    if (inputFile.empty()) {
        messages.show("Cannot create a catalogue without an input file", "", MessageButtons::Ok);
        return -1;
    }
    FileOpening opening = FileOpening::Failed;
    if (!run->reader.open(inputFile, &opening)) {
        const char* failure = opening == FileOpening::NotRegular ? "not a regular file [" : "failed to open [";
        messages.show(failure + inputFile + "]\n", "", MessageButtons::Ok);
        return -1;
    }
    run->basketFlags = general.basketFlags;

    std::string searchOutputDir(fieldText(general.searchOutputDir));
    ensureFolder(fieldText(general.outputDir));
    ensureFolder(searchOutputDir);
    const std::string filesList = run->programFile("files01.dat");
    run->lists.open(filesList, join(searchOutputDir, "search01.dat"),
                    join(searchOutputDir, "pages01.dat"), general.searchPlacement != 0);

    if (general.useTemplate && general.templateFile[0] != '\0') {
        if (!readPageTemplate(std::string(fieldText(general.templateFile)), run->pageTemplate, diagnostics))
            return -1;
    }

    run->commonText.load(run->programFile("titles.dat"));
    run->fontTags = buildFontTags(appearance);
    preparePageDecorations(*run);

    run->currencySymbol = mainCurrencySymbol(general);
    run->fieldDelimiter = fieldDelimiterFor(general.separatorKind);
    run->expiresTag = expiresMetaTag(general.expiryDate);

    setUpCounters(*run);
    readHeader(*run);

    // After the data file's header block, so that the header page carries
    // the catalogue's character set like every other page.
    if (appearance.includeHeaderFrame)
        HeaderPage(*run);
    HomePage(*run);
    IndexPage(*run, "zki00000.html", "", std::nullopt);
    OrderFormPage(*run);

    run->reader.close();
    run->pageTemplate = PageTemplate{};

    const std::string_view scriptName = fieldText(general.searchScript);
    WriteSearchScript(*run, std::string(fieldText(general.searchProgram)),
                      searchOutputDir.empty() || scriptName.empty() ? "" : join(searchOutputDir, scriptName));
    CopyResource(*run, std::string(fieldText(general.searchPreprocess)), searchOutputDir);

    for (const std::string& list : run->lists.finish()) {
        std::fprintf(diagnostics, "failed to write <%s>\n", list.c_str());
        run->fileNotWritten(list);
        if (list == filesList)
            withdrawFileList(list, messages);
    }
    if (report)
        report->unwrittenFiles = static_cast<int>(run->unwrittenFiles.size());
    return run->unwrittenFiles.empty() ? 0 : -1;
}
