#pragma once
struct GenerationRun;

// Writes the header frame page "zkheader1.html" (banner, logo, the standard
// links and the search form, the scrolling text) and lists it for upload.
// 0, or -1 after "failed to open <%s>\n" on the diagnostic stream.
int HeaderPage(GenerationRun& run);
