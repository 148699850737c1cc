#pragma once
// Decorations prepared once per run from the appearance block before the
// record walk: index bullets and links, item page decorations and the
// purchase block's buttons. Every image used is copied into the output folder.
#include <string>

struct GenerationRun;

// A prepared text with one hole: an image counter or an address.
struct SplitText {
    std::string before;
    std::string after;
    bool split = false;   // false: the text has no hole and is all in before
};

struct IndexDecorations {
    std::string rowAlignment;        // " VALIGN=TOP" or empty
    std::string bulletAlignment;     // "MIDDLE" or "TOP"
    // Bullets; with a rollover image the hole takes the image counter.
    SplitText itemBullet;
    bool itemBulletRollover = false;
    SplitText indexBullet;
    bool indexBulletRollover = false;
    std::string itemRowStart;        // coloured cells only
    std::string indexRowStart;
    std::string headingRowStart;
    std::string background;          // "BACKGROUND=%s %s" or empty
    std::string styleSheet;          // the index style sheet's stored path, copied per page
    std::string basketLink;
    SplitText previousLink;          // the hole takes the parent's address
    std::string homeLink;            // empty when no home address is set
};

struct ItemDecorations {
    std::string background;          // "BACKGROUND=%s %s" or empty
    std::string separatorPicture;    // empty unless an image separator is set
    std::string previousButton;
    std::string nextButton;
    bool buttonImages = false;       // both navigation images are set
    std::string styleSheet;          // base name of the item style sheet, or empty
};

struct PurchaseButtons {
    std::string calculateImage;      // each empty when its image is not set
    SplitText addImage;              // script-string form; the hole takes the UI number when an update image is set
    std::string updateImage;
};

struct PageDecorations {
    IndexDecorations index;
    ItemDecorations item;
    PurchaseButtons buttons;
};

void preparePageDecorations(GenerationRun& run);

// The prepared text with its hole filled.
std::string filled(const SplitText& text, int number);
std::string filled(const SplitText& text, const std::string& fill);
