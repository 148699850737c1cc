#pragma once
// The appearance sheet embedded in the left pane. Loading copies the record
// into the pages and applies them at once; applying copies every page back
// into the record and writes ZK003.dat, then ZK002.dat.
#include <QTabWidget>

class CVimraDoc;
class FormPage;

class CDetailPage : public QTabWidget {
    Q_OBJECT
public:
    CDetailPage(CVimraDoc& doc, QWidget* parent = nullptr);
    void load();
    void apply();
    FormPage* settingsPage() const { return m_settings; }

private:
    CVimraDoc& m_doc;
    FormPage* m_settings;
};
