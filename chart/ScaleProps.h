#pragma once

// The property object of one chart axis: what a window description sets and
// the program changes. It corrects invalid values in place and reports every
// change through OnChange; the chart copies it into its scale engine.

#include "chart/DTLabel.h"
#include "chart/ScaleTypes.h"
#include "toolkit/Graphics.h"

#include <QString>
#include <functional>

class TScaleProps {
public:
    TScaleProps();
    virtual ~TScaleProps() = default;
    // Copies the settings, not the handler (each object has its own owner).
    TScaleProps(const TScaleProps& other);
    TScaleProps& operator=(const TScaleProps& other);

    std::function<void(TScaleProps*)> OnChange;

    // The values of a new object, OnChange included: the owner that wants
    // the reports installs its handler again. Reports nothing.
    virtual void ResetComp();
    // Takes over every setting of another object (an axis of the same
    // direction also its location), then one Changed.
    void Assign(const TScaleProps& other);
    // Stores both range ends as they are, without correction and without
    // report: the owner's range forcing, which repaints once at its end.
    void StoreRange(double Low, double High);
    // The owner finished loading it: Logarithmic is checked from now on.
    void Loaded() { FNotYetLoaded = false; }
    bool NotYetLoaded() const { return FNotYetLoaded; }

    const QString& Caption() const { return FCaption; }
    int CaptionPosX() const { return FCaptionPosX; }
    int CaptionPosY() const { return FCaptionPosY; }
    TAlignment CaptionAlignment() const { return FCaptAlign; }
    TScaleUnitAnchor CaptionAnchor() const { return FCaptAnchor; }
    TColor ColorScale() const { return FColorScale; }
    const TDTLabel& DateFormat() const { return FDTFormat; }
    // Changes through this reference are reported as changes of the axis.
    TDTLabel& DateFormat() { return FDTFormat; }
    int DecPlaces() const { return FDecPlaces; }
    bool Logarithmic() const { return FLogAx; }
    TFigType LabelType() const { return FLabelType; }
    const TFont& Font() const { return FFont; }
    int MinTicks() const { return FMinTicks; }
    double RangeLow() const { return FRangeLow; }
    double RangeHigh() const { return FRangeHigh; }
    bool ShortTicks() const { return FShortTicks; }
    const QString& ScaleInscript() const { return FScaleInscript; }
    TScaleType ScaleType() const { return FScaleType; }
    int ScalePos() const;
    double MinRange() const { return FMinRngDiff; }
    const QString& UserTickText() const { return FUserTickText; }
    bool Visible() const { return FVisible; }
    double GetScaleCenter() const { return (FRangeLow + FRangeHigh) / 2; }

    void SetCaption(const QString& v);
    void SetCaptionPosX(int v);
    void SetCaptionPosY(int v);
    void SetCaptionAlignment(TAlignment v);
    void SetCaptionAnchor(TScaleUnitAnchor v);
    void SetColorScale(TColor v);
    void SetDateFormat(const TDTLabel& v);
    void SetDecPlaces(int v);
    void SetLogarithmic(bool v);
    void SetLabelType(TFigType v);
    void SetFont(const TFont& v);
    void SetMinTicks(int v);
    void SetRangeLow(double v);
    void SetRangeHigh(double v);
    void SetShortTicks(bool v);
    void SetScaleInscript(const QString& v);
    void SetScaleType(TScaleType v);
    void SetScalePos(int v);
    void SetMinRange(double v);
    void SetUserTickText(const QString& v);
    void SetVisible(bool v);

protected:
    void Changed();
    // What Assign takes over beyond the common settings.
    virtual void AssignLocation(const TScaleProps& /*other*/) {}

private:
    void CopySettings(const TScaleProps& o);
    // The values of a new object and of ResetComp, without notification.
    void ResetSettings();

    // Set by ResetSettings.
    QString FCaption;
    int FCaptionPosX{};
    int FCaptionPosY{};
    TAlignment FCaptAlign{};
    TScaleUnitAnchor FCaptAnchor{};
    TColor FColorScale{};
    TDTLabel FDTFormat;
    int FDecPlaces{};
    bool FLogAx{};
    TFigType FLabelType{};
    TFont FFont;
    int FMinTicks{};
    bool FNotYetLoaded{};
    double FRangeLow{};
    double FRangeHigh{};
    bool FShortTicks{};
    QString FScaleInscript;
    TScaleType FScaleType{};
    int FScalePosX{};
    int FScalePosY{};
    double FMinRngDiff{};
    QString FUserTickText;
    bool FVisible{};
};

class TScalePropsHoriz : public TScaleProps {
public:
    TScalePropsHoriz() = default;
    TScaleLocationHoriz ScaleLocation() const { return FScaleLoc; }
    // slTop puts the base line at the bottom of the scale (sctXB), slBottom at its top.
    void SetScaleLocation(TScaleLocationHoriz v);
    void ResetComp() override;

protected:
    void AssignLocation(const TScaleProps& other) override;

private:
    static constexpr TScaleLocationHoriz DefaultLocation = slBottom;
    TScaleLocationHoriz FScaleLoc = DefaultLocation;
};

class TScalePropsVert : public TScaleProps {
public:
    TScalePropsVert() = default;
    TScaleLocationVert ScaleLocation() const { return FScaleLoc; }
    // slLeft puts the base line at the right of the scale (sctYR), slRight at its left.
    void SetScaleLocation(TScaleLocationVert v);
    void ResetComp() override;

protected:
    void AssignLocation(const TScaleProps& other) override;

private:
    static constexpr TScaleLocationVert DefaultLocation = slLeft;
    TScaleLocationVert FScaleLoc = DefaultLocation;
};
