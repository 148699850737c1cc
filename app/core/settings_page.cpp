#include "app/core/settings_page.h"

#include "model/decimal_number.h"
#include "model/paths.h"

SettingsPageValues loadSettingsPage(const GeneralSettings& general) {
    SettingsPageValues values;
    values.catalogueTitle = fieldText(general.catalogueTitle);
    values.inputFile = fieldText(general.inputFile);
    values.defaultInputDir = fieldText(general.defaultInputDir);
    values.homeLink = fieldText(general.homeLink);
    values.outputDir = fieldText(general.outputDir);
    values.tempOutputDir = fieldText(general.tempOutputDir);
    values.previewMaxItems = std::to_string(general.previewMaxItems);
    values.includeBasket = (general.basketFlags & 1) != 0;
    values.includeOrderForm = (general.orderFormFlags & 1) != 0;
    return values;
}

void storeSettingsPage(const SettingsPageValues& values, GeneralSettings& general) {
    copyField(general.catalogueTitle, values.catalogueTitle);
    copyField(general.inputFile, values.inputFile);
    copyField(general.defaultInputDir, values.defaultInputDir);
    copyField(general.homeLink, values.homeLink);
    copyField(general.outputDir, values.outputDir);
    copyField(general.tempOutputDir, values.tempOutputDir);
    general.previewMaxItems = decimalNumber(values.previewMaxItems);
    general.basketFlags = static_cast<std::int16_t>((general.basketFlags & ~1) | (values.includeBasket ? 1 : 0));
    general.orderFormFlags =
        static_cast<std::uint8_t>((general.orderFormFlags & ~1u) | (values.includeOrderForm ? 1u : 0u));
}
