#pragma once
// What the upload dialog leaves in its first status line when a job that
// ran to its end lost files on the way: the job's own end clears the lines,
// and an upload with missing files must not look like a complete one.
#include <string>

#include "upload/upload_job.h"

// "1 file could not be transferred", "%d files could not be transferred";
// empty when nothing failed or the job was cancelled (which says so itself).
std::string uploadOutcomeText(const UploadResult& result);
