#include "generator/generation_run.h"

#include "model/paths.h"

std::string GenerationRun::outputPath(const std::string& name) const {
    return join(fieldText(general.outputDir), name);
}

std::string GenerationRun::inputPath(const std::string& name) const {
    return join(fieldText(general.defaultInputDir), name);
}

std::string GenerationRun::programFile(std::string_view name) const { return join(programDir, name); }

bool GenerationRun::admitItem() {
    if (!previewMode())
        return true;
    // A preview holds at most previewMaxItems items: the one beyond ends the data.
    if (++previewItemsCounted > general.previewMaxItems) {
        reader.stop();
        return false;
    }
    return true;
}

void GenerationRun::closePage(PageWriter& page) {
    if (!page.isOpen())
        return;
    const std::string path = page.path();
    if (!page.close()) {
        std::fprintf(diagnostics, "failed to write <%s>\n", path.c_str());
        fileNotWritten(path);
    }
}

std::FILE* GenerationRun::openSource(const std::string& path, FileOpening* opening) {
    FileOpening result = FileOpening::Failed;
    std::FILE* file = openRegularFile(path, &result);
    if (result == FileOpening::NotRegular)
        std::fprintf(diagnostics, "not a regular file <%s>\n", nativePath(path).c_str());
    if (opening)
        *opening = result;
    return file;
}
