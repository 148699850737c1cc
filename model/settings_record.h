#pragma once
// The generator's settings: two fixed-layout, byte-packed blocks that are
// written to disk as raw images. A field's offset in its block is its byte
// offset in the defaults file, so the layout below is a file format.
#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "settings files hold little-endian integers; a big-endian port needs byte swapping");

using Colour = char[16];
using ImageName = char[129];

#pragma pack(push, 1)

struct FontSpec {
    char face[52];          // up to 40 characters are stored
    std::int8_t size;       // HTML font size number; 0 or less means not given
    Colour colour;
    Colour secondColour;    // rollover colour of link fonts
    std::uint8_t style;     // bit 0 bold, bit 1 italic
};

struct FtpTarget {
    char host[51];
    char userName[21];
    char password[21];      // stored as typed
    char serverDirectory[121];
    std::uint8_t reserved214[8];
    std::uint8_t save;      // keep the password
    std::int32_t port;
};

struct GeneralSettings {
    char outputDir[129];
    char inputFile[129];
    char defaultInputDir[129];
    char homeLink[41];
    std::uint8_t reserved428[217];
    char catalogueTitle[41];
    std::uint8_t reserved686[11];
    char templateFile[129];
    std::uint8_t useTemplate;
    std::uint8_t currencySymbolKind;      // 0 other (currencySymbolText), 1 "&#163;", 2 "$"
    char currencySymbolText[51];
    std::uint8_t symbolFollowsAmount;
    std::int16_t basketFlags;             // bit 0: include basket
    std::int16_t reserved882;
    std::uint8_t orderFormFlags;          // bit 0: order form; bit 1: delivery cost with order form
    std::uint8_t reserved885[1];
    std::int16_t musicFlags;              // bit 0 autostart, bit 1 loop, bit 2 include music
    char musicFile[128];
    std::uint8_t reserved1016[259];
    std::int16_t separatorKind;           // 0 ",", 1 tab, 2 "|"
    std::uint8_t reserved1277[4];
    std::int32_t expiryDate;              // seconds since 1970 for the Expires meta tag
    double taxRate;
    std::int16_t includeTax;
    char taxDescription[41];
    char cgiAction[201];
    char cgiHiddenFields[5][201];
    std::uint8_t reserved2542[1005];
    std::uint8_t includeCgiAction;
    char submitText[41];
    std::uint8_t reserved3589[20];
    std::int16_t insistEmail;
    std::int16_t insistName;
    char nameFieldName[61];
    char emailFieldName[61];
    std::uint8_t reserved3735[61];
    std::uint8_t cgiMethod;               // 0 Post, 1 Get
    std::uint8_t reserved3797[131];
    std::int16_t currentSetIndex;
    std::uint8_t reserved3930[1];
    std::uint8_t customFormViaUrl;
    std::uint8_t customFormSeparateWindow;
    std::uint8_t reserved3933;
    char searchProgram[129];
    char searchScript[129];
    char searchPreprocess[129];
    char searchOutputDir[129];
    std::uint8_t reserved4450[129];
    char searchUrl[129];
    std::uint8_t searchPlacement;         // 0 none, 1 top index only, 2 all indexes
    FtpTarget ftpTargets[4];              // catalogue, search, order form, fourth
    std::uint8_t transferCatalogue;
    std::uint8_t transferSearch;
    std::uint8_t transferOrderForm;
    std::uint8_t searchUsesCatalogueTarget;
    std::uint8_t reserved5621[2];
    char customFormFile[129];
    char customFormUrl[129];
    std::int16_t useCustomForm;
    char orderFormUrl[129];
    std::uint8_t changeItemWithIndex;
    std::uint8_t confirmOnAdd;
    std::uint8_t confirmOnUpdate;
    std::uint8_t includeCalculateButton;
    std::uint8_t useTitleInIndex;
    std::uint8_t quantityAlwaysOne;
    std::uint8_t reserved6018[8];
    std::uint8_t paymentGateway;          // 0 none, 1..5 provider
    char worldPayStore[51];
    char worldPayCompany[11];
    std::int32_t currencyDecimals;
    char internetSecureReturnUrl[101];
    char internetSecureLanguage[21];
    char internetSecureMerchant[21];
    std::uint8_t internetSecureUsDollars;
    std::uint8_t reserved6237[41];
    char authorizeNetLogin[21];
    char worldPayAction[101];
    char payButtonText[41];
    std::int32_t formAndGateway;
    char secureTradingPage[129];
    char genericAction[129];
    char tempOutputDir[129];
    std::int32_t previewMaxItems;
    std::int32_t previewRun;
    char archivePath[129];
    std::int32_t includeTicker;
};

struct AppearanceSet {
    char setName[41];
    ImageName indexBackgroundImage;
    std::int32_t indexBackgroundImageMode;   // 0 don't use, 1 standard, 2 fixed
    Colour indexBackgroundColour;
    Colour indexTextColour;
    std::int32_t indexStyle;                 // 0 bullets, 1 point form, 2 coloured cells
    ImageName bulletImages[4];               // index, index rollover, item, item rollover
    ImageName linkImages[6];                 // home, home rollover, previous, previous rollover, basket, basket rollover
    ImageName reserved1500;
    std::int32_t reserved1629;
    std::int32_t navigationAtTop;
    FontSpec indexFonts[6];                  // text, item link, index link, standard links, two reserved
    Colour indexTableColour;
    Colour indexCellColour;                  // index link cell
    Colour indexCellRolloverColour;
    Colour itemCellColour;                   // item link cell
    Colour cellRolloverColour;               // item link cell rollover
    Colour textCellColour;                   // static text cell
    Colour navigationCellColour;             // standard link cell
    Colour navigationCellRolloverColour;
    std::int32_t cellAlignment;              // 0 left, 1 centre, 2 right
    std::int32_t indexTableWidth;
    std::int32_t indexTableSpacing;
    std::uint8_t useLinkImages;
    std::uint8_t bulletAlignment;            // 0 top, 1 centre
    ImageName itemBackgroundImage;
    std::int32_t itemBackgroundImageMode;
    Colour itemBackgroundColour;
    Colour itemTextColour;
    ImageName reserved2460;
    ImageName prevNextImages[4];             // previous, reserved, next, reserved
    std::int32_t itemNavigation;             // 0 top right, 1 bottom centre, 2 not at all
    ImageName itemSeparatorImage;
    std::int32_t itemSeparator;              // 0 none, 1 rule, 2 image
    FontSpec itemFonts[12];
    std::uint8_t reserved4274[172];
    std::int32_t pictureAlignment;           // bits 0-3 alignment, bits 4+ alternate
    std::int32_t reserved4450;
    ImageName calculateButtonImage;
    ImageName reserved4583;
    ImageName addButtonImage;
    ImageName reserved4841;
    ImageName updateButtonImage;
    ImageName reserved5099;
    FontSpec reserved5228[3];
    Colour itemTableColour;
    Colour tableRowColours[2];
    Colour columnsColour;
    Colour columnCellColours[2];
    std::uint8_t reserved5582[64];
    std::uint8_t reserved5646;
    std::uint8_t showPageTitle;
    std::uint8_t itemTableSpacing;
    std::uint8_t reserved5649[19];
    std::int32_t columnsSpacing;
    std::uint8_t reserved5672[12];
    ImageName headerBackgroundImage;
    std::int32_t headerBackgroundImageMode;
    Colour headerBackgroundColour;
    Colour headerTextColour;
    ImageName headerImage;
    ImageName headerLogoImage;
    ImageName reserved6107;
    ImageName reserved6236;
    std::int32_t includeHeaderFrame;
    Colour headerTableColours[3];            // background, colour 1, colour 2
    std::uint8_t reserved6417[32];
    std::int32_t headerTableSpacing;
    std::int32_t navigationInHeader;
    std::uint8_t reserved6457[141];
    FontSpec reserved6598[3];
    ImageName basketBackgroundImage;
    std::uint8_t basketBackgroundImageMode;
    Colour pageColours[2];                   // basket frame background, text
    ImageName basketHeadingImage;
    std::uint8_t basketHeadingImagePosition; // 0 left, 1 centre, 2 right, 3 not at all
    Colour basketColours[5];
    Colour reserved7228[3];
    FontSpec basketFonts[6];
    Colour searchBoxColour;
    Colour searchCellColour;
    std::uint8_t reserved7824[32];
    ImageName reserved7856[4];
    FontSpec searchFont;
    FontSpec reserved8458[2];
    std::int32_t reserved8630;
    std::uint8_t reserved8634[4];
    std::int32_t searchBoxSize;
    std::uint8_t threeFrameStyle;
    std::uint8_t hideFrameBorders;
    std::uint8_t verticalMainSplit;
    std::uint8_t reserved8645;
    char indexFrameWidth[16];
    char basketFrameHeight[16];
    char reserved8678[16];
    char itemPageWidth[16];
    char headerFrameHeight[16];
    char basketTableWidth[16];
    ImageName reserved8742;
    ImageName itemStyleSheet;
    ImageName indexStyleSheet;
    ImageName reserved9129;
    std::uint8_t linkItemCss;
    std::int32_t indexMargin;
    std::int32_t itemMargin;
    std::int32_t basketMargin;
    std::int32_t headerFrameMargin;
    std::uint8_t reserved9275[4];
    std::int32_t scrollingTextOnIndex;       // 0 header frame, 1 top index
    Colour tickerColours[3];                 // border, background, text
    std::uint8_t reserved9331[16];
    std::int32_t tickerSize[2];              // width, height
    std::uint8_t reserved9355[672];
};

#pragma pack(pop)

inline constexpr std::size_t kGeneralSettingsSize = 6973;
inline constexpr std::size_t kAppearanceSetSize = 10027;

static_assert(sizeof(FontSpec) == 86);
static_assert(sizeof(FtpTarget) == 227);
static_assert(sizeof(GeneralSettings) == kGeneralSettingsSize);
static_assert(sizeof(AppearanceSet) == kAppearanceSetSize);
