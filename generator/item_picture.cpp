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

std::string pictureSizeText(const GenerationRun& run, const std::string& picture) {
    ImageSize size;
    if (!probeImageSize(run.inputPath(picture), size))
        return {};
    return formatText(" HEIGHT=%d WIDTH=%d ", size.height, size.width);
}

std::string copyPicture(GenerationRun& run, const std::string& picture) {
    return CopyResource(run, run.inputPath(picture), std::string(fieldText(run.general.outputDir)));
}
