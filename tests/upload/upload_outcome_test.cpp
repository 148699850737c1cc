#include "upload/upload_outcome.h"

#include <gtest/gtest.h>

TEST(UploadOutcome, OnlyLostFilesOfAFinishedJobAreNamed) {
    struct Case {
        UploadResult result;
        const char* text;
    };
    const Case cases[] = {
        {{.filesSent = 4}, ""},
        {{.filesSent = 3, .filesFailed = 1}, "1 file could not be transferred"},
        {{.filesSent = 0, .filesFailed = 12}, "12 files could not be transferred"},
        {{.filesFailed = 2, .cancelled = true}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(uploadOutcomeText(c.result), c.text);
    }
}
