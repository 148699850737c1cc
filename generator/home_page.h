#pragma once
struct GenerationRun;

// Writes the home page zk000000.html (the frameset with the basket script in
// its head) and its companions zk100000.html and zko00001.html into the
// output folder, and lists them for upload. Runs after the run's decorations,
// modes and the data file's header block are known, before the index pages.
// 0, or 1 when a file could not be created or written (named on the
// diagnostic stream).
int HomePage(GenerationRun& run);
