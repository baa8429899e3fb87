// libFuzzer target: a chart built from bytes and painted. The bytes give the
// chart's size, then properties set through the chart property table while
// the chart loads (as a window description sets them), then a run of actions:
// drawing items of every kind into both lists, drawing state and filters,
// axis settings with any double (non-finite ones included), crosshairs,
// further properties, and the paint paths (Paint, ShowGraf, ShowGrafNewOnly,
// ClearGraf, resizing, Qt's own paint into a pixmap).
//
// The errors a chart may raise, and where:
//  - setting a property by its value text: any Exception (a value of the
//    wrong kind, an unknown name, a joined layer out of range, and, once
//    loaded, the axis error of the repaint the setter runs);
//  - appending an item: EComponentError "Chart: number of elements too
//    high", and only when the data list already holds 1000 items;
//  - everything that paints or rebuilds the plot map (end of loading,
//    geometry, axis settings, Paint, ShowGraf, Qt's paint events):
//    EChartError "Logarithmic axis must not be negative.".
// Anything else, a sanitizer report or a time-out is a finding. The ranges of
// the input that matter are kept small (at most 64 properties, 1200 actions,
// 8 full pictures), so that every run ends well within the time-out unless
// painting itself runs away.
//
// Input layout (all reads past the end give zeros):
//   u16 width, u16 height, u8 property count, then per property u16 table
//   index and a value (for the size and the rims an u16: pixels + 200);
//   then actions, each an u8 operation and its arguments.
//   An int is an u8 selector (a table of edge values, or 4 raw bytes), a
//   double likewise (or 8 raw bytes), a string an u8 length and Latin-1 bytes.
#include "base/Exception.h"
#include "chart/ChartErrors.h"
#include "chart/ChartPropertyTable.h"
#include "chart/CrossHair.h"
#include "chart/PlotChart.h"
#include "chart/ScaleProps.h"
#include "toolkit/Colors.h"
#include "toolkit/Fonts.h"
#include "toolkit/WindowDescription.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QWidget>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <tuple>

// A call whose arguments are read from the input in the order written: a
// braced list is evaluated left to right, a call's arguments are not.
#define CALL(f, ...) std::apply([&](auto... v) { f(v...); }, std::tuple{__VA_ARGS__})

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "fuzz_chartpaint: %s %s\n", what, detail.c_str());
    std::abort();
}

const std::string AxisError = "Logarithmic axis must not be negative.";
const std::string TooManyItems = "Chart: number of elements too high";

// Qt's event dispatch: an axis error may leave a paint event, as it leaves
// Paint; the application's own handler shows it. Anything else is a finding.
class TFuzzApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const EChartError& e) {
            if (e.Message() != AxisError)
                Fail("unexpected chart error from an event:", e.Message());
        } catch (const std::exception& e) {
            Fail("exception from an event:", e.what());
        } catch (...) {
            Fail("unknown exception from an event");
        }
        return false;
    }
};

QString PicturePath;

class TBytes {
public:
    TBytes(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
    bool AtEnd() const { return FPos >= FSize; }
    std::uint8_t U8() { return FPos < FSize ? FData[FPos++] : 0; }
    // Little-endian; each part read in its own statement, in order.
    std::uint16_t U16() {
        const unsigned low = U8();
        return static_cast<std::uint16_t>(low | (U8() << 8));
    }
    std::uint32_t U32() {
        const std::uint32_t low = U16();
        return low | (static_cast<std::uint32_t>(U16()) << 16);
    }
    std::uint64_t U64() {
        const std::uint64_t low = U32();
        return low | (static_cast<std::uint64_t>(U32()) << 32);
    }
    int Below(int n) { return U8() % n; }
    bool Bool() { return U8() & 1; }

    int Int() {
        static constexpr int Edge[] = {0,       1,          -1,   2,     3,       5,
                                       10,      32,         33,   100,   255,     256,
                                       1000,    1001,       -100, 30000, -30000,  65535,
                                       1 << 20, -(1 << 20), 360,  -360,  INT_MAX, INT_MIN};
        const int sel = U8() % 32;
        if (sel < static_cast<int>(std::size(Edge)))
            return Edge[sel];
        return static_cast<int>(U32());
    }

    double Double() {
        static const double Edge[] = {0.0,
                                      -0.0,
                                      1.0,
                                      -1.0,
                                      0.5,
                                      10.0,
                                      100.0,
                                      1000.0,
                                      1e6,
                                      2e6,
                                      1e-4,
                                      1e-100,
                                      1e-101,
                                      5e-324,
                                      1e-308,
                                      1e15,
                                      1e308,
                                      -1e308,
                                      DBL_MAX,
                                      -DBL_MAX,
                                      std::numeric_limits<double>::infinity(),
                                      -std::numeric_limits<double>::infinity(),
                                      std::numeric_limits<double>::quiet_NaN(),
                                      45000.25, // a date-time number in days
                                      86399.5,
                                      2147483648.0,
                                      -2147483649.0};
        const int sel = U8() % 40;
        if (sel < static_cast<int>(std::size(Edge)))
            return Edge[sel];
        if (sel < 36)
            return static_cast<double>(static_cast<std::int16_t>(U16())) / 16.0;
        const std::uint64_t bits = U64();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }

    QString String() {
        const int n = U8() % 72;
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(U8());
        return s;
    }

private:
    const uint8_t* FData;
    size_t FSize;
    size_t FPos = 0;
};

// The identifiers a description may hold: every enumeration value of the
// chart's properties and a few colours.
constexpr const char* Idents[] = {"taLeftJustify",
                                  "taRightJustify",
                                  "taCenter",
                                  "psSolid",
                                  "psDash",
                                  "psDot",
                                  "psDashDot",
                                  "psDashDotDot",
                                  "psClear",
                                  "psInsideFrame",
                                  "fsBold",
                                  "fsItalic",
                                  "fsUnderline",
                                  "fsStrikeOut",
                                  "seFont",
                                  "seClient",
                                  "seBorder",
                                  "gsNone",
                                  "gsPoints",
                                  "gsVertLines",
                                  "gsHorizLines",
                                  "gsLines",
                                  "gsHorizDotLines",
                                  "gsVertDotLines",
                                  "gsDotLines",
                                  "ssFlying",
                                  "ssBox",
                                  "cahControlLeft",
                                  "cahChartLeft",
                                  "cahChartCenter",
                                  "cahChartRight",
                                  "cahControlRight",
                                  "cavControlTop",
                                  "cavChartTop",
                                  "cavChartCenter",
                                  "cavChartBottom",
                                  "cavControlBottom",
                                  "maNone",
                                  "maPan",
                                  "maZoom",
                                  "maDrawMTrace",
                                  "chOff",
                                  "chHoriz",
                                  "chVert",
                                  "chBoth",
                                  "chCrossBox",
                                  "chBox",
                                  "tbClear",
                                  "tbSolid",
                                  "lay_X1Bottom_Y1Left",
                                  "lay_X1Bottom_Y2Left",
                                  "lay_X1Bottom_Y2Both",
                                  "lay_X2Bottom_Y2Left",
                                  "lay_X2Both_Y2Both",
                                  "bfSimple",
                                  "bfStretch",
                                  "bfTile",
                                  "bamNone",
                                  "bamLeft",
                                  "bamRight",
                                  "bamTop",
                                  "bamBottom",
                                  "bamVStripe",
                                  "bamHStripe",
                                  "bamRect",
                                  "bamRectInv",
                                  "bamVStripeInv",
                                  "bamHStripeInv",
                                  "slTop",
                                  "slBottom",
                                  "slLeft",
                                  "slRight",
                                  "uaSclTopLft",
                                  "uaSclCenter",
                                  "uaSclBotRgt",
                                  "ftNoFigs",
                                  "ftNum",
                                  "ftTime",
                                  "ftDateTime",
                                  "ftUserText",
                                  "tfHHMMSS",
                                  "tfHHhMM",
                                  "tfAMPM",
                                  "ylNone",
                                  "ylYY",
                                  "ylYYYY",
                                  "doDDMMYY",
                                  "doMMDDYY",
                                  "doYYMMDD",
                                  "dtNone",
                                  "dtOnePerDay",
                                  "dtOnePerChart",
                                  "dtAllTicks",
                                  "clRed",
                                  "clBtnFace",
                                  "clGrayText",
                                  "clWindowText",
                                  "DEFAULT_CHARSET"};

QString Ident(TBytes& in) {
    return QString::fromLatin1(Idents[in.Below(static_cast<int>(std::size(Idents)))]);
}

QString ValueText(TBytes& in) {
    switch (in.Below(9)) {
    case 0:
        return QString::number(in.Int());
    case 1: {
        const double d = in.Double();
        return std::isfinite(d) ? DescFormatFloat(d) : QStringLiteral("1E999");
    }
    case 2:
        return in.Bool() ? QStringLiteral("True") : QStringLiteral("False");
    case 3:
        return Ident(in);
    case 4: {
        QStringList members;
        for (int n = in.Below(4); n > 0; --n)
            members << Ident(in);
        return DescFormatSet(members);
    }
    case 5:
        return DescQuote(in.String());
    case 6:
        return ColorToDescText(static_cast<TColor>(in.U32()));
    case 7: {
        // A background picture: none, one that cannot be read, or a real one.
        const QString names[] = {QString(), QStringLiteral("/nonexistent/picture.bmp"), PicturePath,
                                 QFileInfo(PicturePath).fileName()};
        return DescQuote(names[in.Below(4)]);
    }
    default:
        return in.String();
    }
}

template <class F> void ExpectNoError(const char* where, F f) {
    try {
        f();
    } catch (const std::exception& e) {
        Fail(where, e.what());
    }
}

// Runs something that may paint: only the axis error may come out of it.
template <class F> void MayPaint(F f) {
    try {
        f();
    } catch (const EChartError& e) {
        if (e.Message() != AxisError)
            Fail("unexpected chart error while painting:", e.Message());
    } catch (const std::exception& e) {
        Fail("unexpected exception while painting:", e.what());
    }
}

void SetProperty(TPlotChart& chart, TBytes& in) {
    const auto& table = ChartPropertyTable();
    // Width and Height are the chart's own names, the rest the table's.
    const int pick = in.U16() % static_cast<int>(table.size() + 2);
    const QString name = pick == static_cast<int>(table.size())       ? QStringLiteral("Width")
                         : pick == static_cast<int>(table.size()) + 1 ? QStringLiteral("Height")
                                                                      : table[pick].Name;
    // The chart takes any size and rims, and the minimum size follows the
    // rims: kept to what a window holds, so that the bitmaps stay small.
    static const QRegularExpression geometry(QStringLiteral(
        "^(Width|Height|[LRTB]Rim|Margin(Left|Right|Top|Bottom)|Constraints\\..*)$"));
    const QString value = geometry.match(name).hasMatch()
                              ? QString::number(static_cast<int>(in.U16() % 2400) - 200)
                              : ValueText(in);
    try {
        chart.SetDescProperty(name, value);
    } catch (const Exception& e) {
        if (e.Message().empty())
            Fail("property error without a message:", name.toStdString());
    } catch (const std::exception& e) {
        Fail("unexpected exception from a property:", name.toStdString() + " " + e.what());
    }
}

TAlignment Alignment(TBytes& in) {
    return static_cast<TAlignment>(in.Below(3));
}

// One item into the list AnnoMode chooses.
void Append(TPlotChart& c, TBytes& in) {
    const int before = c.NumItems();
    try {
        switch (in.Below(34)) {
        case 0:
            CALL(c.MoveTo, in.Double(), in.Double());
            break;
        case 1:
            CALL(c.MoveTo, in.Int(), in.Int());
            break;
        case 2:
            CALL(c.MoveTo, in.Int(), in.Double());
            break;
        case 3:
            CALL(c.MoveTo, in.Double(), in.Int());
            break;
        case 4:
            CALL(c.DrawTo, in.Double(), in.Double());
            break;
        case 5:
            CALL(c.DrawTo, in.Int(), in.Int());
            break;
        case 6:
            CALL(c.DrawTo, in.Int(), in.Double());
            break;
        case 7:
            CALL(c.DrawTo, in.Double(), in.Int());
            break;
        case 8:
            CALL(c.Line, in.Double(), in.Double(), in.Double(), in.Double());
            break;
        case 9:
            CALL(c.Line, in.Int(), in.Int(), in.Int(), in.Int());
            break;
        case 10:
            CALL(c.Line, in.Double(), in.Double(), in.Int(), in.Int());
            break;
        case 11:
            CALL(c.Line, in.Int(), in.Int(), in.Double(), in.Double());
            break;
        case 12:
            CALL(c.MarkAt, in.Double(), in.Double(), in.Int());
            break;
        case 13:
            CALL(c.MarkAt, in.Int(), in.Int(), in.Int());
            break;
        case 14:
            CALL(c.MarkErrorBar, in.Double(), in.Double(), in.Double(), in.Double(), in.Int(),
                 in.Int());
            break;
        case 15:
            CALL(c.Text, in.Double(), in.Double(), in.Int(), in.String());
            break;
        case 16:
            CALL(c.Text, in.Int(), in.Int(), in.Int(), in.String());
            break;
        case 17:
            CALL(c.Text, in.Int(), in.Double(), in.Int(), in.String());
            break;
        case 18:
            CALL(c.Text, in.Double(), in.Int(), in.Int(), in.String());
            break;
        case 19: {
            const double x = in.Double();
            const double y = in.Double();
            const int size = in.Int();
            const QString text = in.String();
            const int dx = in.Int();
            const int dy = in.Int();
            c.Text(x, y, size, text, dx, dy, Alignment(in));
            break;
        }
        case 20:
            CALL(c.MoveToRelPix, in.Int(), in.Int());
            break;
        case 21:
            CALL(c.DrawToRelPix, in.Int(), in.Int());
            break;
        case 22:
            CALL(c.DrawToRelPix, in.Double(), in.Double(), in.Int(), in.Int());
            break;
        case 23:
            CALL(c.Rectangle, in.Double(), in.Double(), in.Double(), in.Double());
            break;
        case 24:
            CALL(c.Rectangle, in.Int(), in.Int(), in.Int(), in.Int());
            break;
        case 25:
            CALL(c.RectangleRelPix, in.Double(), in.Double(), in.Int(), in.Int());
            break;
        case 26:
            CALL(c.RectFrame, in.Double(), in.Double(), in.Double(), in.Double(),
                 static_cast<TFrameStyle>(in.Below(6)), static_cast<TColor>(in.U32()),
                 static_cast<TColor>(in.U32()));
            break;
        case 27:
            CALL(c.Bar3D, in.Double(), in.Double(), in.Double(), in.Double(), in.Int(), in.Int());
            break;
        case 28:
            CALL(c.Ellipse, in.Double(), in.Double(), in.Double(), in.Double());
            break;
        case 29:
            CALL(c.Arc, in.Double(), in.Double(), in.Double(), in.Double(), in.Int(), in.Int());
            break;
        case 30: {
            const bool both = in.Bool();
            const bool screen = in.Bool();
            if (screen) {
                const int a = in.Int(), b = in.Int(), x = in.Int(), y = in.Int();
                both ? c.DoubleArrow(a, b, x, y, in.Int()) : c.Arrow(a, b, x, y, in.Int());
            } else {
                const double a = in.Double(), b = in.Double(), x = in.Double(), y = in.Double();
                both ? c.DoubleArrow(a, b, x, y, in.Int()) : c.Arrow(a, b, x, y, in.Int());
            }
            break;
        }
        case 31: {
            const double a = in.Double(), b = in.Double();
            const int x = in.Int(), y = in.Int();
            in.Bool() ? c.DoubleArrow(a, b, x, y, in.Int()) : c.Arrow(a, b, x, y, in.Int());
            break;
        }
        case 32:
            CALL(c.LineOffset, in.Double(), in.Double(), in.Double(), in.Double(), in.Int(),
                 in.Int());
            break;
        default:
            in.Bool() ? c.CursorVert(in.Double()) : c.CursorHoriz(in.Double());
            break;
        }
    } catch (const EComponentError& e) {
        if (e.Message() != TooManyItems || before != MaxChartItems)
            Fail("unexpected error from appending:", e.Message());
    } catch (const std::exception& e) {
        Fail("unexpected exception from appending:", e.what());
    }
    if (c.NumItems() > MaxChartItems)
        Fail("the data list holds more than 1000 items");
}

// Drawing state and the filters of the rendering pass.
void SetState(TPlotChart& c, TBytes& in) {
    MayPaint([&] {
        switch (in.Below(16)) {
        case 0:
            c.SetDataCol(static_cast<TColor>(in.U32()));
            break;
        case 1:
            c.SetFillCol(static_cast<TColor>(in.U32()));
            break;
        case 2:
            c.SetPenStyle(static_cast<TPenStyle>(in.Below(9)));
            break;
        case 3:
            c.SetLineWid(in.U8());
            break;
        case 4:
            c.SetClassDefault(in.U8());
            break;
        case 5:
            c.SetActiveLayer(in.Int());
            break;
        case 6:
            c.SetDataTag(in.Int());
            break;
        case 7:
            c.SetTranspItems(in.Bool());
            break;
        case 8:
            c.SetTextAlignment(Alignment(in));
            break;
        case 9:
            c.SetTextBkStyle(static_cast<TTextBkg>(in.Below(2)));
            break;
        case 10:
            c.SetAnnoMode(in.Bool());
            break;
        case 11:
            CALL(c.SetClassVisible, int{in.U8()}, in.Bool());
            break;
        case 12:
            CALL(c.SetAnnoClassVisible, int{in.U8()}, in.Bool());
            break;
        case 13:
            CALL(c.SetLayerVisible, in.Int(), in.Bool());
            break;
        case 14:
            in.Bool() ? c.SetAnnosVisible(in.Bool()) : c.SetAnnoBelowChart(in.Bool());
            break;
        default:
            c.SetAnnoTextOnTop(in.Bool());
            break;
        }
    });
}

// Axis settings straight through the property objects, where any double
// can be given.
void SetAxis(TPlotChart& c, TBytes& in) {
    const int layer = 1 + in.Below(2);
    TScaleProps& axis =
        in.Bool() ? static_cast<TScaleProps&>(c.ScalePropsX(layer)) : c.ScalePropsY(layer);
    MayPaint([&] {
        switch (in.Below(10)) {
        case 0:
            axis.SetRangeLow(in.Double());
            break;
        case 1:
            axis.SetRangeHigh(in.Double());
            break;
        case 2:
            axis.SetMinRange(in.Double());
            break;
        case 3:
            axis.SetLogarithmic(in.Bool());
            break;
        case 4:
            axis.SetLabelType(static_cast<TFigType>(in.Below(5)));
            break;
        case 5:
            axis.SetMinTicks(in.Int());
            break;
        case 6:
            axis.SetDecPlaces(in.Int());
            break;
        case 7:
            axis.SetScaleInscript(in.String());
            break;
        case 8:
            axis.SetUserTickText(in.String());
            break;
        default: {
            const double xl = in.Double(), xh = in.Double(), yl = in.Double(), yh = in.Double();
            c.ForceRange(layer, xl, xh, yl, yh);
            break;
        }
        }
    });
}

void SetCrossHair(TPlotChart& c, TBytes& in) {
    TCrossHair& ch = c.CrossHair(1 + in.Below(4));
    MayPaint([&] {
        switch (in.Below(4)) {
        case 0:
            CALL(ch.SetPos, in.Double(), in.Double());
            break;
        case 1:
            ch.SetMode(static_cast<TCrossHMode>(in.Below(6)));
            break;
        case 2:
            ch.SetLayer(in.Int());
            break;
        default:
            ch.SetLineWid(in.Int());
            break;
        }
    });
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    (void)argc;
    // Never destroyed: Qt's own statics are gone by the time ours would be.
    new TFuzzApplication(qtArgc, qtArgv);
    RegisterWindowFonts();
    // A picture for the plot background, in a folder of this process's own.
    PicturePath = QDir::tempPath() +
                  QStringLiteral("/fuzz_chartpaint_%1.bmp").arg(QCoreApplication::applicationPid());
    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(PicturePath);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TBytes in(data, size);
    QWidget host;
    host.resize(160, 120);
    auto* chart = new TPlotChart(&host);
    const int width = in.U16() % 1601;
    const int height = in.U16() % 1201;

    chart->BeginLoading();
    chart->SetDescProperty(QStringLiteral("Width"), QString::number(width));
    chart->SetDescProperty(QStringLiteral("Height"), QString::number(height));
    for (int n = std::min<int>(in.U8(), 64); n > 0; --n)
        SetProperty(*chart, in);
    MayPaint([&] { chart->Loaded(); });
    MayPaint([&] {
        host.show();
        QApplication::processEvents();
    });

    int pictures = 0;
    for (int actions = 0; !in.AtEnd() && actions < 1200; ++actions) {
        const int op = in.Below(24);
        if (op < 10) {
            Append(*chart, in);
        } else if (op < 13) {
            SetState(*chart, in);
        } else if (op < 15) {
            SetAxis(*chart, in);
        } else if (op == 15) {
            SetCrossHair(*chart, in);
        } else if (op == 16) {
            SetProperty(*chart, in);
        } else if (op == 17) {
            ExpectNoError("ClearGraf", [&] { chart->ClearGraf(); });
        } else if (pictures >= 8) {
            continue;
        } else {
            ++pictures;
            MayPaint([&] {
                switch (op) {
                case 18: {
                    // A description may hide the chart, which then paints nothing.
                    const bool shown = chart->isVisible();
                    const int painted = chart->PaintCount();
                    chart->Paint();
                    if (!shown)
                        break;
                    if (chart->PaintCount() != painted + 1)
                        Fail("Paint on a shown chart composed no picture");
                    // A control without pixels has an empty picture.
                    const QImage& surface = chart->SurfaceImage();
                    if (chart->width() > 0 && chart->height() > 0 &&
                        (surface.width() < chart->width() || surface.height() < chart->height()))
                        Fail("the picture is smaller than the chart");
                    break;
                }
                case 19:
                    chart->ShowGraf();
                    break;
                case 20:
                    chart->ShowGrafNewOnly();
                    break;
                case 21: {
                    const int w = in.U16() % 1601;
                    const int h = in.U16() % 1201;
                    in.Bool() ? chart->SetBounds(0, 0, w, h) : chart->resize(w, h);
                    break;
                }
                case 22:
                    QApplication::processEvents();
                    break;
                default:
                    // Qt's own paint event, into a pixmap of the control's size.
                    if (chart->grab().isNull() && chart->width() > 0 && chart->height() > 0)
                        Fail("the control painted no picture");
                    break;
                }
            });
        }
    }
    MayPaint([&] { QApplication::processEvents(); });
    return 0;
}
