// torvane-chart-gallery [--list] [--page NAME] [--check]
//   --list       prints the page names, one a line, and ends
//   --page NAME  opens that page
//   --check      shows each page (or the one named), checks that every chart
//                on it draws something in its plot area, and ends: status 0
//                when all do, 1 naming each one that does not
// Qt's own options (-platform and the others) are taken as well.

#include "chart/PlotChart.h"
#include "gallery/GalleryPage.h"
#include "gallery/GalleryWindow.h"
#include "toolkit/Application.h"
#include "toolkit/Fonts.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <exception>

namespace {

// Errors that escape a page's handler are reported on standard error and
// the program goes on, as the gallery is for trying things out; a check run
// fails on them.
class TGalleryApplication : public QApplication {
public:
    TGalleryApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            Report(error);
        } catch (...) {
            std::fputs("torvane-chart-gallery: unknown error\n", stderr);
            FFailed = true;
        }
        return false;
    }
    void Report(const std::exception& error) {
        std::fprintf(stderr, "torvane-chart-gallery: %s\n",
                     ExceptionMessage(error).toLocal8Bit().constData());
        FFailed = true;
    }
    bool Failed() const { return FFailed; }

private:
    bool FFailed = false;
};

void PrintUsage(std::FILE* to) {
    std::fputs("Usage: torvane-chart-gallery [--list] [--page NAME] [--check]\n", to);
}

int IndexOfPage(const TGalleryPageEntry* entry) {
    return static_cast<int>(entry - GalleryPages().data());
}

int Check(TGalleryApplication& app, TGalleryWindow& window, int only) {
    bool blank = false;
    for (int i = 0; i < window.PageCount(); ++i) {
        if (only >= 0 && i != only)
            continue;
        window.ShowPage(i);
        QApplication::processEvents();
        const char* name = GalleryPages()[static_cast<std::size_t>(i)].Name;
        const auto& charts = window.Page(i).Charts();
        if (charts.empty()) {
            std::fprintf(stderr, "page %s: no chart\n", name);
            blank = true;
        }
        for (std::size_t n = 0; n < charts.size(); ++n) {
            const int drawn = PlotPixelsDrawn(*charts[n]);
            if (drawn < MinPlotPixelsDrawn) {
                std::fprintf(stderr, "page %s: chart %zu draws nothing (%d pixels)\n", name, n + 1,
                             drawn);
                blank = true;
            }
        }
    }
    return blank || app.Failed() ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    bool list = false;
    bool check = false;
    QString pageName;
    // Our options are read before Qt's, so --list needs no display.
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == "--list") {
            list = true;
        } else if (arg == "--check") {
            check = true;
        } else if (arg == "--page") {
            if (i + 1 == argc) {
                std::fputs("torvane-chart-gallery: --page needs a page name\n", stderr);
                return 1;
            }
            pageName = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == "--help" || arg == "-h") {
            PrintUsage(stdout);
            return 0;
        } else if (arg.startsWith("--")) {
            std::fprintf(stderr, "torvane-chart-gallery: unknown option %s\n", argv[i]);
            PrintUsage(stderr);
            return 1;
        }
    }
    if (list) {
        for (const TGalleryPageEntry& entry : GalleryPages())
            std::printf("%s\n", entry.Name);
        return 0;
    }
    const TGalleryPageEntry* page = nullptr;
    if (!pageName.isEmpty()) {
        page = FindGalleryPage(pageName);
        if (!page) {
            std::fprintf(stderr, "torvane-chart-gallery: no page \"%s\" (--list shows them)\n",
                         pageName.toLocal8Bit().constData());
            return 1;
        }
    }

    TGalleryApplication app(argc, argv);
    RegisterWindowFonts();
    try {
        TGalleryWindow window;
        window.show();
        const int index = page ? IndexOfPage(page) : -1;
        if (check)
            return Check(app, window, index);
        if (page)
            window.ShowPage(index);
        return QApplication::exec();
    } catch (const std::exception& error) {
        app.Report(error);
        return 1;
    }
}
