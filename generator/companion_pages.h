#pragma once
// The two small pages beside the home page: zk100000.html, the empty item
// page a data file may open with, and zko00001.html, the basket frame's
// first page, whose empty call to the basket draws the empty basket.
struct GenerationRun;
struct HomeFacts;

// Writes both and lists them for upload; false when either could not be
// created or written (named on the diagnostic stream).
bool writeCompanionPages(GenerationRun& run, const HomeFacts& facts);
