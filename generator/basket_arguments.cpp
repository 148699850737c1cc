#include "generator/basket_arguments.h"

#include "generator/generation_run.h"

std::vector<BasketArgument> BasketArguments::inOrder() const {
    std::vector<BasketArgument> order;
    if (productCode)
        order.push_back(BasketArgument::ProductCode);
    if (units)
        order.push_back(BasketArgument::Units);
    for (int k = 0; k < selectionCount; ++k)
        order.push_back(BasketArgument::Selection);
    if (selectionCount > 0)
        order.push_back(BasketArgument::Reload);
    if (itemTaxType)
        order.push_back(BasketArgument::ItemTaxType);
    if (addImage)
        order.push_back(BasketArgument::AddImage);
    return order;
}

BasketArguments basketArgumentsFor(const GenerationRun& run) {
    const CatalogueHeader& header = run.reader.header();
    BasketArguments arguments;
    arguments.productCode = (header.fieldMask & slotBit(kCodeSlot)) != 0;
    arguments.units = (header.fieldMask & slotBit(kUnitSlot)) != 0;
    arguments.selectionCount = header.selectionCount < 0 ? 0
                               : header.selectionCount > kSelectionCount ? kSelectionCount
                                                                         : header.selectionCount;
    arguments.itemTaxType = header.taxTypeCount > 0 && run.general.includeTax != 0;
    arguments.addImage = run.appearance.addButtonImage[0] != '\0';
    return arguments;
}
