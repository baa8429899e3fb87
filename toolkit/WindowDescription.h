#pragma once

// The window description: a declarative text compiled into the program that
// names every component of a window with its class and its properties.
//
//   object Form2: TForm2
//     Caption = 'Main window'
//     Font.Style = [fsBold, fsItalic]
//     object Button1: TButton
//       Left = 8
//       OnClick = Button1Click
//     end
//   end
//
// Values are integers, floats, 'single-quoted strings' ('' stands for one
// quote; a character code such as #10 joins quoted parts without a gap, as in
// 'one'#13#10'two', and is how control characters are written; a string may
// go on across lines with a trailing +), identifiers
// (True and False among them) and sets [a, b]. Lines starting with // are
// comments. Properties are assigned in the order written.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

// Components that take their properties from a description themselves.
class IDescLoadable {
public:
    virtual ~IDescLoadable() = default;
    virtual void BeginLoading() = 0;
    // In description order, Left/Top/Width/Height included. valueText is the
    // value as written (strings still quoted, concatenations joined into one
    // string); parse it with the Desc* helpers below.
    virtual void SetDescProperty(const QString& dottedName, const QString& valueText) = 0;
    virtual void Loaded() = 0;
};

using TComponentFactory = std::function<QObject*(QWidget* parent)>;

// Lets any library make its component classes known by name. A class
// registered again replaces the earlier registration.
void RegisterComponentClass(const QString& className, TComponentFactory factory);

// Assigns one property of a component that does not implement IDescLoadable
// and that the common widget properties do not cover. Returns false for a
// property it does not know.
using TDescPropertySetter =
    std::function<bool(QObject* component, const QString& dottedName, const QString& valueText)>;
void RegisterComponentClass(const QString& className, TComponentFactory factory,
                            TDescPropertySetter setter);

bool IsComponentClassRegistered(const QString& className);

struct TDescProperty {
    QString Name;  // dotted, e.g. Font.Height
    QString Value; // value text, see IDescLoadable::SetDescProperty
    int Line = 0;
    friend bool operator==(const TDescProperty&, const TDescProperty&) = default;
};

struct TDescObject {
    QString Name;
    QString ClassName;
    int Line = 0;
    std::vector<TDescProperty> Properties;
    std::vector<TDescObject> Children;
    friend bool operator==(const TDescObject&, const TDescObject&) = default;
};

// Nesting deeper than this is rejected, so no input can exhaust the stack.
constexpr int MaxDescNesting = 32;

// Parses a description holding exactly one top-level object. Throws Exception
// with the line number on any syntax error.
TDescObject ParseWindowDescription(const QString& text);

// Writes a description that parses back to the same object tree.
QString WriteWindowDescription(const TDescObject& root);

// Value-text helpers. Each throws Exception when the text is not of its kind.
int DescInt(const QString& valueText);
double DescFloat(const QString& valueText); // integers are accepted too
bool DescBool(const QString& valueText);
QString DescString(const QString& valueText);
QString DescIdent(const QString& valueText);
QStringList DescSet(const QString& valueText);

// The inverse helpers, for writing values back.
QString DescQuote(const QString& text);
QString DescFormatSet(const QStringList& members);
QString DescFormatFloat(double value);
inline QString DescFormatBool(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// Event handlers of a window by the names the description binds them to.
using TDescEventHandler = std::function<void()>;
struct TDescEventBinding {
    QString Name;
    TDescEventHandler Handler;
};
using TDescEventHandlers = std::vector<TDescEventBinding>;

// Gives `form` the properties of `root` and creates every nested object as a
// component of the form (children of a widget component become its own
// children), named by the object's name. Events (On… properties) are bound
// to the handlers of that name: OnClick to the component's Click() signal or
// a button's clicked(). The window's OnCreate handler is returned, not
// called, so that the window can finish its own set-up first. Tab order is
// applied from the TabOrder properties; labels and bevels are placed beneath
// the other controls. Throws Exception for an unknown class, property,
// handler or a bad value, naming the line.
TDescEventHandler LoadWindowDescription(QWidget* form, const TDescObject& root,
                                        const TDescEventHandlers& handlers);
