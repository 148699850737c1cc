#pragma once
// The small scripts by which index and item pages keep to the frameset.
#include <string>

class PageWriter;

// A page opened outside the frameset reloads the home page, which then
// shows this page in its frame.
void writeFramesetRedirect(PageWriter& out, const std::string& ownName);

// An index page that shows its first item as it opens. While the frameset
// is still loading, a home page asked for an item page keeps that page; a
// page opened alone has no item frame to change.
void writeItemFrameChange(PageWriter& out, int itemFrame, int itemPage);
