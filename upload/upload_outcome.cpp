#include "upload/upload_outcome.h"

std::string uploadOutcomeText(const UploadResult& result) {
    if (result.cancelled || result.filesFailed <= 0)
        return {};
    if (result.filesFailed == 1)
        return "1 file could not be transferred";
    return std::to_string(result.filesFailed) + " files could not be transferred";
}
