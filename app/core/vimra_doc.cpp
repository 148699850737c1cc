#include "app/core/vimra_doc.h"

#include <algorithm>
#include <cstring>

#include "app/core/entry_page.h"
#include "generator/generate.h"
#include "model/paths.h"

CVimraDoc::CVimraDoc(std::string_view programDir, UserMessages& messages, Shell& shell, std::FILE* diagnostics)
    : m_programDir(programDir), m_messages(messages), m_shell(shell), m_diagnostics(diagnostics),
      m_blocks(std::make_unique<SettingsBlocks>()) {}

void CVimraDoc::start() { loadSettings(*m_blocks, m_programDir); }

int CVimraDoc::close() {
    int general = saveGeneralSettings(m_blocks->general, m_messages, m_programDir);
    int appearance = saveAppearanceSet(m_blocks->appearance, m_messages, m_programDir);
    return general == 0 && appearance == 0 ? 0 : -1;
}

int CVimraDoc::saveAppearanceAndGeneral() {
    int appearance = saveAppearanceSet(m_blocks->appearance, m_messages, m_programDir);
    int general = saveGeneralSettings(m_blocks->general, m_messages, m_programDir);
    return general == 0 && appearance == 0 ? 0 : -1;
}

void CVimraDoc::appearanceReplaced() { notify(ViewHint::ReloadAppearance, ""); }

int CVimraDoc::generate() {
    GenerationReport report;
    if (Generate(m_blocks->appearance, m_blocks->general, m_messages, m_programDir, m_diagnostics, &report) == 0)
        return 0;
    std::string message = "error producing catalogue";
    // A run that went to its end says how much of the catalogue is missing.
    if (report.unwrittenFiles == 1)
        message = "1 file could not be written\n" + message;
    else if (report.unwrittenFiles > 1)
        message = std::to_string(report.unwrittenFiles) + " files could not be written\n" + message;
    m_messages.show(message, "", MessageButtons::Ok);
    return -1;
}

int CVimraDoc::create(ViewOffer offer) {
    GeneralSettings& general = m_blocks->general;
    // Saved first, so a failed run still leaves the settings it ran with.
    saveGeneralSettings(general, m_messages, m_programDir);
    general.previewRun = 0;
    if (generate() != 0)
        return -1;
    if (offer == ViewOffer::AskToView &&
        m_messages.show("do you wish to view the catalogue?", "", MessageButtons::YesNo) == MessageAnswer::Yes) {
        m_shell.viewCatalogue(std::string(fieldText(general.outputDir)));
    }
    return 0;
}

int CVimraDoc::updateCatView() {
    GeneralSettings& general = m_blocks->general;
    static_assert(sizeof general.outputDir == sizeof general.tempOutputDir);
    char savedOutputDir[sizeof general.outputDir];
    std::memcpy(savedOutputDir, general.outputDir, sizeof savedOutputDir);
    std::memcpy(general.outputDir, general.tempOutputDir, sizeof general.outputDir);
    general.previewRun = 1;

    int result = generate();

    std::memcpy(general.outputDir, savedOutputDir, sizeof savedOutputDir);
    general.previewRun = 0;
    if (result == 0)
        notify(ViewHint::ShowPreview, homePageAddress(fieldText(general.tempOutputDir)));
    return result;
}

EditInputFileStart CVimraDoc::editInputFile() {
    EditInputFileStart start = editInputFileStart(m_programDir, fieldText(m_blocks->general.inputFile));
    // A start that fails is not reported: the user sees that no editor came up.
    if (start.kind == EditInputFileStart::Kind::StartEditor)
        m_shell.startDetached(start.program, start.arguments);
    else
        m_shell.openWithDefaultProgram(start.file, "");
    return start;
}

std::string CVimraDoc::chooseCustomColour(Rgb colour) {
    m_customColour = colour;
    return customColourText(colour);
}

ScrollingTextForm CVimraDoc::scrollingText() const { return loadScrollingText(*m_blocks, m_programDir); }

int CVimraDoc::setScrollingText(const ScrollingTextForm& form) {
    return storeScrollingText(form, *m_blocks, m_programDir);
}

std::string CVimraDoc::entryPage() const { return catalogueEntryPage(fieldText(m_blocks->general.outputDir)); }

std::string CVimraDoc::previewEntryPage() const {
    return catalogueEntryPage(fieldText(m_blocks->general.tempOutputDir));
}

void CVimraDoc::addObserver(DocumentObserver& observer) { m_observers.push_back(&observer); }

void CVimraDoc::removeObserver(DocumentObserver& observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), &observer), m_observers.end());
}

void CVimraDoc::notify(ViewHint hint, const std::string& address) {
    // A copy: an observer may stop observing while it is told.
    const std::vector<DocumentObserver*> observers = m_observers;
    for (DocumentObserver* observer : observers)
        observer->documentChanged(hint, address);
}
