#pragma once
// The item page writers' state during a run: the open group page, the
// in-page index that numbers a page's script objects, and the table,
// columns and picture-side state inside a group page.
#include <cstdint>
#include <string>
#include <unordered_map>

#include "generator/image_probe.h"

#include "generator/page_writer.h"

// Where the next-link placeholder of an item page lies (empty when none).
struct NextLinkRange {
    long start = 0;
    long end = 0;
};

struct ColumnsState {
    bool inColumns = false;
    int count = 2;
    int current = 1;
    int row = 1;
};

struct ItemPageState {
    PageWriter standAlone;            // reused for every stand-alone page
    PageWriter group;                 // the open group page, if any
    NextLinkRange groupNextLink;
    int inPageIndex = 0;
    bool firstTable = true;
    ColumnsState columns;
    int pictureSide = 0;              // alternating pictures: 0 right next, 1 left next
    unsigned priceVaryingMask = 0;    // of the current record

    // Pictures are shared between many items: each is probed and copied once
    // per run; later references are only listed.
    struct Probe {
        bool known = false;
        ImageSize size;
    };
    std::unordered_map<std::string, Probe> probes;
    std::unordered_map<std::string, std::string> copied;   // source path -> base name

    int indexDepth = 0;               // index pages open in the walk (the top one is 1)

    void reset() {
        probes.clear();
        copied.clear();
        indexDepth = 0;
        group.close();
        groupNextLink = {};
        inPageIndex = 0;
        firstTable = true;
        columns = {};
        pictureSide = 0;
        priceVaryingMask = 0;
    }
};
