#pragma once
// The seven small pictures of the structure tree, one per group of kinds.
#include <QIcon>

enum class EntryImage { Item, Index, Page, Text, TableStart, TableEnd, Directive };

// The picture a tree item of that kind shows; columns share the table end's.
EntryImage entryImageOf(int kind);

// 16 x 16, drawn once and kept for the run.
const QIcon& entryIcon(EntryImage image);
