#include "generator/item_picture.h"

#include "generator/copy_resource.h"
#include "generator/generation_run.h"
#include "generator/image_probe.h"
#include "generator/page_writer.h"
#include "model/paths.h"

ItemPicture splitPicture(const std::string& field) {
    ItemPicture picture;
    std::size_t bar = field.find('|');
    if (bar == std::string::npos) {
        picture.small = field;
    } else {
        picture.small = field.substr(0, bar);
        picture.large = field.substr(bar + 1);
    }
    return picture;
}

bool probePicture(GenerationRun& run, const std::string& picture, ImageSize& size) {
    auto [entry, added] = run.itemPages.probes.try_emplace(picture);
    if (added)
        entry->second.known = probeImageSize(run.inputPath(picture), entry->second.size);
    size = entry->second.size;
    return entry->second.known;
}

std::string pictureSizeText(GenerationRun& run, const std::string& picture) {
    ImageSize size;
    if (!probePicture(run, picture, size))
        return {};
    return formatText(" HEIGHT=%d WIDTH=%d ", size.height, size.width);
}

std::string copyPicture(GenerationRun& run, const std::string& picture) {
    const std::string outputDir(fieldText(run.general.outputDir));
    auto found = run.itemPages.copied.find(picture);
    if (found != run.itemPages.copied.end()) {
        if (!outputDir.empty())
            run.lists.listFile(join(outputDir, found->second));
        return found->second;
    }
    std::string name = CopyResource(run, run.inputPath(picture), outputDir);
    run.itemPages.copied.emplace(picture, name);
    return name;
}
