// Opens a generated data file of 100,000 records, nested as a shop's
// departments, categories and ranges, and prints side by side: the
// document's own open time, the editor window's time from opening the file
// to the tree's first rows painted, paging down through the expanded
// top-level indexes, and the peak memory of the process.
// Editor headers come before Qt's, which define `slots` as a word of their own.
#include "editor/desktop/main_frame.h"
#include "editor/korvel_doc.h"
#include "model/user_messages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QScrollBar>
#include <QSettings>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int kRecords = 100000;
constexpr int kRepetitions = 5;
// No single wait for a paint may take longer; a bench that hangs tells nothing.
constexpr std::chrono::seconds kPaintLimit{30};

// A department: featured items, then categories of a few items and ranges of many.
constexpr int kFeaturedItems = 6;
constexpr int kCategories = 8;
constexpr int kCategoryItems = 4;
constexpr int kRanges = 5;
constexpr int kRangeItems = 60;

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Writes records until kRecords are written; an index counts as one record,
// its END INDEX line as none.
class CatalogueWriter {
public:
    explicit CatalogueWriter(std::FILE* out) : m_out(out) {
        std::fprintf(m_out, "#!SELECT1=Colour;SELECT2=Size;\n#!CODE=Code;\n#!TAX1=Standard;17.50;\n");
    }
    bool full() const { return m_written >= kRecords; }
    int departments() const { return m_departments; }

    void department(int number) {
        ++m_departments;
        index("Department " + std::to_string(number));
        items(kFeaturedItems);
        for (int category = 0; category < kCategories && !full(); ++category) {
            index("Category " + std::to_string(number) + "." + std::to_string(category));
            items(kCategoryItems);
            for (int range = 0; range < kRanges && !full(); ++range) {
                index("Range " + std::to_string(number) + "." + std::to_string(category) + "." + std::to_string(range));
                items(kRangeItems);
                endIndex();
            }
            endIndex();
        }
        endIndex();
    }

private:
    void index(const std::string& name) {
        std::fprintf(m_out, "%s,,,INDEX,,,,\n", name.c_str());
        ++m_written;
    }
    void endIndex() { std::fprintf(m_out, "END INDEX\n"); }
    void items(int count) {
        for (int i = 0; i < count && !full(); ++i, ++m_written)
            std::fprintf(m_out,
                         "\"Product %d, model %d\",P%06d,%d.%02d,pictures/p%06d.jpg,Red|Green|Blue,#!PV;S|M (1.00)|L "
                         "(2.00),1,A sturdy product for everyday use, made to last and easy to clean. /\n"
                         "<P>Delivered within three working days.\n",
                         m_written, i, m_written, 1 + m_written % 90, m_written % 100, m_written);
    }

    std::FILE* m_out;
    int m_written = 0;
    int m_departments = 0;
};

// Returns the number of top-level indexes, 0 when the file could not be written.
int writeCatalogue(const std::string& path) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return 0;
    CatalogueWriter writer(out);
    for (int number = 1; !writer.full(); ++number)
        writer.department(number);
    return std::fclose(out) == 0 ? writer.departments() : 0;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int count() const { return m_count; }

    // Runs the event loop until a paint after `before` has been delivered
    // (and so has finished); false when none came in time.
    bool waitForPaintAfter(int before) const {
        Clock::time_point start = Clock::now();
        while (m_count == before) {
            if (Clock::now() - start > kPaintLimit)
                return false;
            QCoreApplication::processEvents();
        }
        return true;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return QObject::eventFilter(watched, event);
    }

private:
    int m_count = 0;
};

struct WindowFigures {
    std::vector<double> openThenShow;
    std::vector<double> openInShown;
    std::vector<double> expand;
    std::vector<double> meanPageStep;
    double worstPageStep = 0;
    int pageSteps = 0;
    int rowsShown = 0;
    long kilobytesAfterOpen = 0;
    long kilobytesAfterPaging = 0;
};

// A window as the program makes it.
std::unique_ptr<CMainFrame> makeWindow(UserMessages& messages, const std::string& programDir) {
    auto frame = std::make_unique<CMainFrame>(messages, programDir);
    frame->resize(900, 600);
    return frame;
}

bool fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    return false;
}

// As the program starts with a file: open, then show, until the tree is painted.
bool timeOpenThenShow(UserMessages& messages, const std::string& programDir, const std::string& path,
                      WindowFigures& figures) {
    std::unique_ptr<CMainFrame> frame = makeWindow(messages, programDir);
    PaintCounter paints(*frame->leftView().viewport());
    Clock::time_point start = Clock::now();
    if (frame->openPath(path) != 0)
        return fail("the window could not open the file");
    frame->show();
    if (!paints.waitForPaintAfter(0))
        return fail("the tree was never painted");
    figures.openThenShow.push_back(secondsSince(start));
    if (figures.kilobytesAfterOpen == 0)
        figures.kilobytesAfterOpen = peakKilobytes();
    return true;
}

// Expands every top-level index, as a user looking through the departments does.
bool timeExpand(CLeftView& view, PaintCounter& paints, WindowFigures& figures) {
    QAbstractItemModel& model = view.entryModel();
    int before = paints.count();
    Clock::time_point start = Clock::now();
    for (int row = 0; row < model.rowCount(); ++row) {
        QModelIndex index = model.index(row, 0);
        if (model.hasChildren(index))
            view.expand(index);
    }
    if (!paints.waitForPaintAfter(before))
        return fail("the expanded tree was never painted");
    figures.expand.push_back(secondsSince(start));
    int rows = model.rowCount();
    for (int row = 0; row < model.rowCount(); ++row)
        rows += model.rowCount(model.index(row, 0));
    figures.rowsShown = rows;
    return true;
}

// Pages down from the top to the bottom, each step until the viewport is repainted.
bool timePaging(CLeftView& view, PaintCounter& paints, WindowFigures& figures) {
    QScrollBar* bar = view.verticalScrollBar();
    std::vector<double> steps;
    while (bar->value() < bar->maximum()) {
        int before = paints.count();
        Clock::time_point start = Clock::now();
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        if (!paints.waitForPaintAfter(before))
            return fail("a page step was never painted");
        steps.push_back(secondsSince(start));
    }
    if (steps.empty())
        return fail("the expanded tree fits the window: nothing to page through");
    double total = 0;
    for (double step : steps) {
        total += step;
        figures.worstPageStep = std::max(figures.worstPageStep, step);
    }
    figures.meanPageStep.push_back(total / static_cast<double>(steps.size()));
    figures.pageSteps = static_cast<int>(steps.size());
    return true;
}

// As File Open in a window already shown: open until the tree is painted
// again; then expand the top level and page through it.
bool timeOpenInShown(UserMessages& messages, const std::string& programDir, const std::string& path,
                     WindowFigures& figures) {
    std::unique_ptr<CMainFrame> frame = makeWindow(messages, programDir);
    CLeftView& view = frame->leftView();
    PaintCounter paints(*view.viewport());
    frame->show();
    if (!paints.waitForPaintAfter(0))
        return fail("the empty window was never painted");
    int before = paints.count();
    Clock::time_point start = Clock::now();
    if (frame->openPath(path) != 0)
        return fail("the window could not open the file");
    if (!paints.waitForPaintAfter(before))
        return fail("the opened tree was never painted");
    figures.openInShown.push_back(secondsSince(start));
    if (view.entryModel().rowCount() == 0)
        return fail("the opened tree shows no rows");
    if (!timeExpand(view, paints, figures) || !timePaging(view, paints, figures))
        return false;
    figures.kilobytesAfterPaging = peakKilobytes();
    return true;
}

bool timeDocument(UserMessages& messages, const std::string& path, std::vector<double>& seconds) {
    korvel::CKorvelDoc doc(messages);
    Clock::time_point start = Clock::now();
    if (doc.open(path, false) != 0)
        return fail("the document could not open the file");
    seconds.push_back(secondsSince(start));
    return true;
}

void printFigures(const std::filesystem::path& file, int departments, const std::vector<double>& documentOpen,
                  const WindowFigures& window, long kilobytesBefore) {
    std::error_code ec;
    std::printf("records in file:                       %d (%d top-level indexes, three levels)\n", kRecords,
                departments);
    std::printf("file size:                             %ju bytes\n",
                static_cast<std::uintmax_t>(std::filesystem::file_size(file, ec)));
    std::printf("repetitions:                           %d (medians)\n", kRepetitions);
    std::printf("document alone, open:                  %.3f s\n", median(documentOpen));
    std::printf("window, open then show, tree painted:  %.3f s\n", median(window.openThenShow));
    std::printf("window shown, open until tree painted: %.3f s\n", median(window.openInShown));
    std::printf("expand the top-level indexes:          %.3f s (%d rows then)\n", median(window.expand),
                window.rowsShown);
    std::printf("page down with repaint:                %d steps, mean %.2f ms, worst %.2f ms\n", window.pageSteps,
                median(window.meanPageStep) * 1000, window.worstPageStep * 1000);
    std::printf("peak memory before open:               %ld KiB\n", kilobytesBefore);
    std::printf("peak memory after the window opened:   %ld KiB\n", window.kilobytesAfterOpen);
    std::printf("peak memory after paging:              %ld KiB\n", window.kilobytesAfterPaging);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);

    std::string pattern = (std::filesystem::temp_directory_path() / "korvel-window-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    std::filesystem::path folder = pattern;
    // The recent-file list goes to the bench's folder, not the user's settings.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(folder.string()));
    std::filesystem::path file = folder / "large.txt";
    int departments = writeCatalogue(file.string());
    if (departments == 0) {
        std::fprintf(stderr, "couldn't write <%s>\n", file.c_str());
        return 1;
    }

    StderrMessages messages;
    long kilobytesBefore = peakKilobytes();
    // The window first, so its peak memory is not the document bench's.
    WindowFigures window;
    std::vector<double> documentOpen;
    bool ok = true;
    for (int i = 0; i < kRepetitions && ok; ++i)
        ok = timeOpenThenShow(messages, folder.string(), file.string(), window) &&
             timeOpenInShown(messages, folder.string(), file.string(), window);
    for (int i = 0; i < kRepetitions && ok; ++i)
        ok = timeDocument(messages, file.string(), documentOpen);
    if (ok)
        printFigures(file, departments, documentOpen, window, kilobytesBefore);

    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return ok ? 0 : 1;
}
