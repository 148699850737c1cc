#include "generator/generation_run.h"

#include "model/paths.h"

std::string GenerationRun::outputPath(const std::string& name) const {
    return join(fieldText(general.outputDir), name);
}

std::string GenerationRun::inputPath(const std::string& name) const {
    return join(fieldText(general.defaultInputDir), name);
}

std::string GenerationRun::programFile(std::string_view name) const { return join(programDir, name); }

bool GenerationRun::nextRecord(CatalogueRecord& record) {
    if (!reader.readRecord(record))
        return false;
    if (record.kind == EntryKind::Item && previewMode()) {
        // A preview holds at most previewMaxItems items: the one beyond ends the data.
        if (++previewItemsCounted > general.previewMaxItems) {
            reader.stop();
            return false;
        }
    }
    return true;
}
