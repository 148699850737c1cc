#pragma once
// The appearance sheet embedded in the left pane. Loading copies the record
// into the pages and applies them at once; applying copies every page back
// into the record and writes ZK003.dat, then ZK002.dat.
#include <vector>
#include <QTabWidget>

class CVimraDoc;
class FormPage;

class CDetailPage : public QTabWidget {
    Q_OBJECT
public:
    CDetailPage(CVimraDoc& doc, QWidget* parent = nullptr);
    void load();
    void apply();
    FormPage* settingsPage() const { return m_pages.front(); }
    // The pages in tab order, "Settings" first.
    const std::vector<FormPage*>& pages() const { return m_pages; }

private:
    CVimraDoc& m_doc;
    std::vector<FormPage*> m_pages;
};
