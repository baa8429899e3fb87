// Creating a window's components from its parsed description.
#include "toolkit/Application.h"
#include "toolkit/Bevel.h"
#include "toolkit/Colors.h"
#include "toolkit/DescriptionError.h"
#include "toolkit/Label.h"
#include "toolkit/StandardComponents.h"
#include "toolkit/WindowDescription.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <utility>

bool FindComponentClass(const QString& className, TComponentFactory& factory,
                        TDescPropertySetter& setter);

namespace {

// Calls a handler when the signal it is connected to fires; owned by the
// component whose signal it serves. An exception from the handler ends here,
// in the application's error box: it must not unwind through Qt's frames,
// which are built without exception cleanup.
class TDescEventSink : public QObject {
    Q_OBJECT
public:
    TDescEventSink(QObject* owner, TDescEventHandler handler)
        : QObject(owner), FHandler(std::move(handler)) {}

public slots:
    void Fire() {
        try {
            FHandler();
        } catch (...) {
            ShowEscapedException(std::current_exception());
        }
    }

private:
    TDescEventHandler FHandler;
};

[[noreturn]] void Fail(int line, const QString& what) {
    throw EDescriptionError(line, what.toStdString());
}

// An error while a property was assigned, at the property's line and named by
// `where`, with its whole reason; an error that knows its line already stands.
[[noreturn]] void FailAt(int line, const QString& where) {
    try {
        throw;
    } catch (const EDescriptionError& e) {
        if (e.Line() > 0)
            throw;
        Fail(line, where + QStringLiteral(": ") + QString::fromStdString(e.Reason()));
    } catch (const Exception& e) {
        Fail(line, where + QStringLiteral(": ") + QString::fromStdString(e.Message()));
    }
}

const char* const TabOrderKey = "descTabOrder";

struct TFormSettings {
    int ClientWidth = -1;
    int ClientHeight = -1;
    bool Dialog = false;
    bool Centred = false;
    QStringList BorderIcons{QStringLiteral("biSystemMenu"), QStringLiteral("biMinimize"),
                            QStringLiteral("biMaximize")};
    TDescEventHandler OnCreate;
};

QColor DescColor(const QString& value, const QPalette& palette) {
    return ColorToQColor(::DescColor(value), palette);
}

QColor Halfway(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

bool ApplyFontProperty(QWidget* w, const QString& name, const QString& value) {
    QFont font = w->font();
    if (name == u"Font.Name") {
        font.setFamily(DescString(value));
    } else if (name == u"Font.Height") {
        // Negative: character height; positive: cell height. Qt's pixel size
        // is the character height.
        const int height = DescInt(value);
        font.setPixelSize(std::max(1, std::abs(height)));
    } else if (name == u"Font.Size") {
        font.setPointSize(std::max(1, DescInt(value)));
    } else if (name == u"Font.Style") {
        const QStringList styles = DescSet(value);
        font.setBold(styles.contains(u"fsBold"));
        font.setItalic(styles.contains(u"fsItalic"));
        font.setUnderline(styles.contains(u"fsUnderline"));
        font.setStrikeOut(styles.contains(u"fsStrikeOut"));
    } else if (name == u"Font.Color") {
        // A disabled control draws its text greyed: halfway to the background,
        // so it plainly looks disabled yet stays readable (the results boxes
        // are disabled too). The style's own disabled grey is too faint for them.
        QPalette palette = w->palette();
        const QColor color = DescColor(value, palette);
        const std::pair<QPalette::ColorRole, QPalette::ColorRole> roles[] = {
            {QPalette::WindowText, QPalette::Window},
            {QPalette::Text, QPalette::Base},
            {QPalette::ButtonText, QPalette::Button}};
        for (const auto& [role, background] : roles) {
            palette.setColor(QPalette::Active, role, color);
            palette.setColor(QPalette::Inactive, role, color);
            palette.setColor(QPalette::Disabled, role,
                             Halfway(color, palette.color(QPalette::Disabled, background)));
        }
        w->setPalette(palette);
        return true;
    } else if (name == u"Font.Charset" || name == u"ParentFont") {
        return true; // Qt picks glyphs by Unicode; fonts inherit by default
    } else {
        return false;
    }
    w->setFont(font);
    return true;
}

bool ApplyWidgetProperty(QWidget* w, const QString& name, const QString& value) {
    if (name == u"Left") {
        w->move(DescInt(value), w->y());
    } else if (name == u"Top") {
        w->move(w->x(), DescInt(value));
    } else if (name == u"Width") {
        w->resize(DescInt(value), w->height());
    } else if (name == u"Height") {
        w->resize(w->width(), DescInt(value));
    } else if (name == u"Enabled") {
        w->setEnabled(DescBool(value));
    } else if (name == u"Visible") {
        if (!DescBool(value))
            w->hide();
    } else if (name == u"TabOrder") {
        w->setProperty(TabOrderKey, DescInt(value));
    } else if (name == u"TabStop") {
        if (!DescBool(value))
            w->setFocusPolicy(Qt::NoFocus);
    } else if (name == u"Caption" || name == u"Text") {
        const QString text = DescString(value);
        if (auto* label = qobject_cast<TLabel*>(w))
            label->SetCaption(text);
        else if (auto* plainLabel = qobject_cast<QLabel*>(w))
            plainLabel->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            button->setText(text);
        else if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->setText(text);
        else
            return false;
    } else if (name == u"ReadOnly") {
        auto* edit = qobject_cast<QLineEdit*>(w);
        if (!edit)
            return false;
        edit->setReadOnly(DescBool(value));
    } else if (name == u"Color") {
        QPalette palette = w->palette();
        const QColor color = DescColor(value, palette);
        palette.setColor(QPalette::Window, color);
        palette.setColor(QPalette::Base, color);
        w->setPalette(palette);
        w->setAutoFillBackground(true);
    } else if (name.startsWith(QStringLiteral("Font.")) || name == u"ParentFont") {
        return ApplyFontProperty(w, name, value);
    } else {
        return false;
    }
    return true;
}

bool ApplyFormProperty(QWidget* form, TFormSettings& settings, const QString& name,
                       const QString& value) {
    if (name == u"ClientWidth") {
        settings.ClientWidth = DescInt(value);
    } else if (name == u"ClientHeight") {
        settings.ClientHeight = DescInt(value);
    } else if (name == u"Caption") {
        form->setWindowTitle(DescString(value));
    } else if (name == u"BorderStyle") {
        const QString style = DescIdent(value);
        settings.Dialog = style == u"bsDialog" || style == u"bsSingle";
    } else if (name == u"BorderIcons") {
        settings.BorderIcons = DescSet(value);
    } else if (name == u"Position") {
        const QString position = DescIdent(value);
        settings.Centred = position == u"poScreenCenter" || position == u"poDesktopCenter" ||
                           position == u"poMainFormCenter";
    } else if (name == u"PixelsPerInch" || name == u"TextHeight" || name == u"PrintScale" ||
               name == u"OldCreateOrder" || name == u"Scaled") {
        form->setProperty(("desc" + name).toLatin1().constData(), value);
    } else if (name == u"Left" || name == u"Top" || name == u"Width" || name == u"Height") {
        // The outer size follows from the client size; the place from Position.
    } else {
        return ApplyWidgetProperty(form, name, value);
    }
    return true;
}

const TDescEventHandler* FindHandler(const TDescEventHandlers& handlers, const QString& name) {
    for (const TDescEventBinding& binding : handlers)
        if (binding.Name == name)
            return &binding.Handler;
    return nullptr;
}

void BindEvent(QObject* component, const TDescProperty& property,
               const TDescEventHandlers& handlers) {
    const QString handlerName = DescIdent(property.Value);
    const TDescEventHandler* handler = FindHandler(handlers, handlerName);
    if (!handler)
        Fail(property.Line, QStringLiteral("no event handler %1").arg(handlerName));
    // OnClick -> Click(); a button's click event is Qt's clicked().
    QByteArray signal = property.Name.mid(2).toLatin1() + "()";
    const QMetaObject* meta = component->metaObject();
    int index = meta->indexOfSignal(signal.constData());
    if (index < 0 && property.Name == u"OnClick" && qobject_cast<QAbstractButton*>(component))
        index = meta->indexOfSignal("clicked()");
    if (index < 0)
        Fail(property.Line,
             QStringLiteral("%1 has no event %2").arg(component->objectName(), property.Name));
    auto* sink = new TDescEventSink(component, *handler);
    const int slot = sink->metaObject()->indexOfSlot("Fire()");
    QObject::connect(component, meta->method(index), sink, sink->metaObject()->method(slot));
}

void LoadComponent(QWidget* form, QWidget* parent, const TDescObject& object,
                   const TDescEventHandlers& handlers, std::vector<QWidget*>& widgets, int depth) {
    if (depth > MaxDescNesting)
        Fail(object.Line, QStringLiteral("objects nested too deeply"));
    TComponentFactory factory;
    TDescPropertySetter setter;
    if (!FindComponentClass(object.ClassName, factory, setter))
        Fail(object.Line, QStringLiteral("unknown component class %1").arg(object.ClassName));
    if (form->findChild<QObject*>(object.Name))
        Fail(object.Line, QStringLiteral("duplicate component name %1").arg(object.Name));
    QObject* component = factory(parent);
    if (!component)
        Fail(object.Line, QStringLiteral("class %1 made no component").arg(object.ClassName));
    if (!component->parent())
        component->setParent(parent);
    component->setObjectName(object.Name);
    auto* widget = qobject_cast<QWidget*>(component);
    if (widget)
        widgets.push_back(widget);

    auto* loadable = dynamic_cast<IDescLoadable*>(component);
    if (loadable)
        loadable->BeginLoading();
    for (const TDescProperty& property : object.Properties) {
        try {
            if (property.Name.startsWith(QStringLiteral("On")) && property.Name.size() > 2 &&
                property.Name[2].isUpper() && !property.Name.contains(u'.')) {
                BindEvent(component, property, handlers);
            } else if (loadable) {
                loadable->SetDescProperty(property.Name, property.Value);
            } else if (!(setter && setter(component, property.Name, property.Value)) &&
                       !(widget && ApplyWidgetProperty(widget, property.Name, property.Value))) {
                Fail(property.Line,
                     QStringLiteral("%1 has no property %2").arg(object.ClassName, property.Name));
            }
        } catch (const Exception&) {
            FailAt(property.Line, object.Name + u'.' + property.Name);
        }
    }
    for (const TDescObject& child : object.Children)
        LoadComponent(form, widget ? widget : parent, child, handlers, widgets, depth + 1);
    if (auto* label = qobject_cast<TLabel*>(component))
        label->AutoSize();
    if (loadable)
        loadable->Loaded();
}

void ApplyTabOrder(const std::vector<QWidget*>& widgets) {
    std::vector<std::pair<int, QWidget*>> ordered;
    for (QWidget* w : widgets) {
        const QVariant order = w->property(TabOrderKey);
        if (order.isValid())
            ordered.emplace_back(order.toInt(), w);
    }
    std::stable_sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
        if (a.second->parentWidget() != b.second->parentWidget())
            return a.second->parentWidget() < b.second->parentWidget();
        return a.first < b.first;
    });
    for (std::size_t i = 1; i < ordered.size(); ++i)
        if (ordered[i - 1].second->parentWidget() == ordered[i].second->parentWidget())
            QWidget::setTabOrder(ordered[i - 1].second, ordered[i].second);
}

} // namespace

TDescEventHandler LoadWindowDescription(QWidget* form, const TDescObject& root,
                                        const TDescEventHandlers& handlers) {
    RegisterStandardComponents();
    TFormSettings settings;
    for (const TDescProperty& property : root.Properties) {
        try {
            if (property.Name == u"OnCreate") {
                const TDescEventHandler* handler = FindHandler(handlers, DescIdent(property.Value));
                if (!handler)
                    Fail(property.Line, QStringLiteral("no event handler %1").arg(property.Value));
                settings.OnCreate = *handler;
            } else if (!ApplyFormProperty(form, settings, property.Name, property.Value)) {
                Fail(property.Line,
                     QStringLiteral("the window has no property %1").arg(property.Name));
            }
        } catch (const Exception&) {
            FailAt(property.Line, property.Name);
        }
    }

    std::vector<QWidget*> widgets;
    for (const TDescObject& child : root.Children)
        LoadComponent(form, form, child, handlers, widgets, 1);
    ApplyTabOrder(widgets);
    // Labels and bevels lie beneath every other control, in their own order.
    for (auto it = widgets.rbegin(); it != widgets.rend(); ++it)
        if (qobject_cast<TLabel*>(*it) || qobject_cast<TBevel*>(*it))
            (*it)->lower();

    if (settings.Dialog) {
        Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::MSWindowsFixedSizeDialogHint;
        if (settings.BorderIcons.contains(u"biSystemMenu"))
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        form->setWindowFlags(flags);
    }
    if (settings.ClientWidth >= 0 && settings.ClientHeight >= 0) {
        if (settings.Dialog)
            form->setFixedSize(settings.ClientWidth, settings.ClientHeight);
        else
            form->resize(settings.ClientWidth, settings.ClientHeight);
    }
    if (settings.Centred) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect desktop = screen->availableGeometry();
            form->move(desktop.x() + (desktop.width() - form->width()) / 2,
                       desktop.y() + (desktop.height() - form->height()) / 2);
        }
    }
    return settings.OnCreate;
}

#include "DescriptionLoader.moc"
