#pragma once
// The left pane: the appearance sheet on a light grey ground, scrolled when
// the pane is smaller than the sheet.
#include <QScrollArea>

#include "app/core/view_hints.h"

class CVimraDoc;
class CDetailPage;

class CDetailsView : public QScrollArea, public DocumentObserver {
    Q_OBJECT
public:
    explicit CDetailsView(CVimraDoc& doc, QWidget* parent = nullptr);
    void documentChanged(ViewHint hint, const std::string& address) override;
    // Stores the sheet's controls into the record and writes both defaults files.
    void applySheet();
    CDetailPage* sheet() const { return m_sheet; }

private:
    CDetailPage* m_sheet;
};
