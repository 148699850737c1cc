#include "generator/index_page.h"

#include "generator/generation_run.h"

int IndexPage(GenerationRun& run, const std::string&, const std::string&, const std::optional<std::string>&) {
    CatalogueRecord record;
    while (run.nextRecord(record)) {
    }
    return 0;
}
