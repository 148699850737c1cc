#include "app/core/command_table.h"

#include <algorithm>

namespace {

using namespace command;

constexpr CommandEntry kCommands[] = {
    {Create, "File", "&Create", "Alt+C", 2, false, "Create the catalogue"},
    {UpdateCatView, "File", "&Update Cat View", "Ctrl+U", 1, false, "Refresh the view of the catalogue (right frame)"},
    {EditInputFile, "File", "&Edit Input File", "Ctrl+E", 3, false, "Edit the input file with Korvel"},
    {RetrieveSettings, "File", "&Retrieve Settings", "", 0, true,
     "Restore displayed settings, tax, delivery, order form data etc. from an archive file"},
    {SaveSettings, "File", "&Save Settings", "", 0, false,
     "Save displayed settings, tax, delivery, order form data etc."},
    {FtpSettings, "File", "&FTP settings", "", 0, true, "Change the servers the catalogue, search and order form go to"},
    {UploadCatalogue, "File", "Upload Catalogue", "", 0, false, "Upload the catalogue and other files to your web site"},
    {Exit, "File", "E&xit", "", 0, true, "Save the settings and quit the program"},
    {DeliveryCost, "Data", "&Delivery Cost", "", 4, false, "Change the delivery charges"},
    {Tax, "Data", "&Tax", "", 0, false, "Change the tax types and rates"},
    {BackgroundMusic, "Data", "&Background Music", "", 0, false, "Choose the music played with the catalogue"},
    {OrderForm, "Data", "&Order Form", "", 0, false, "Change the order form and the on-line payment details"},
    {Behaviour, "Data", "B&ehaviour", "", 0, false, "Change how the catalogue and its basket behave"},
    {Currencies, "Data", "&Currencies", "", 0, false, "Change the currency and the alternate currencies"},
    {CommonText, "Data", "Co&mmon Text", "", 0, false, "Change the texts the catalogue shows its visitors"},
    {Search, "Data", "&Search", "", 0, false, "Change the search facility"},
    {ScrollingText, "Data", "Scrolling T&ext", "", 0, false, "Change the scrolling text and where it runs"},
    {AppearanceSets, "Appearance", "&Appearance Sets", "", 0, false, "Use or keep a named appearance set"},
    {Frames, "Appearance", "&Frames", "", 0, false, "Change the frames of the catalogue"},
    {Fonts, "Appearance", "Fo&nts", "Ctrl+F", 5, false, "Change the fonts of the catalogue"},
    {CustomColour, "Appearance", "&Custom Colour", "", 6, false,
     "Select a colour and place the RGB value on the clipboard"},
    {ItemTemplate, "", "Item Template", "", 0, false, "Choose the page template of the item pages"},
    {ToggleToolbar, "View", "&Toolbar", "", 0, false, "Show or hide the toolbar"},
    {ToggleStatusBar, "View", "&Status Bar", "", 0, false, "Show or hide the status bar"},
    {HelpIndex, "Help", "&Help Topics", "F1", 7, false, "List the help topics"},
    {UsingHelp, "Help", "&Using Help", "", 0, false, "How to use the help"},
    {About, "Help", "&About Vimra...", "", 0, true, "Show the program's version"},
};

}  // namespace

std::span<const CommandEntry> generatorCommands() { return kCommands; }

const CommandEntry* findCommand(int id) {
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [id](const CommandEntry& entry) { return entry.id == id; });
    return found == std::end(kCommands) ? nullptr : &*found;
}
