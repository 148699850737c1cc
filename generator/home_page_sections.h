#pragma once
// The parts of the home page around the basket script.
class PageWriter;
struct GenerationRun;
struct HomeFacts;

// Head up to and including the opening of the script (home_page.cpp).
void writeHomeHead(const GenerationRun& run, PageWriter& out);
// Rollover preloading and the frame sources with the query-string rule.
void writeRolloverPreload(GenerationRun& run, PageWriter& out);
void writeFrameSources(const GenerationRun& run, PageWriter& out, const HomeFacts& facts);

// IR1-IR4, SLR1/SLR2, SRO, ShowImg and BackLoc (home_closing_script.cpp).
void writeClosingFunctions(GenerationRun& run, PageWriter& out, const HomeFacts& facts);

// The frameset, written by a script so that Fr1 and Fr2 are used, and the
// no-frames text (home_frameset.cpp).
void writeFrameset(const GenerationRun& run, PageWriter& out, const HomeFacts& facts);
