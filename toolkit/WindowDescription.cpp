#include "toolkit/WindowDescription.h"

#include "toolkit/DescriptionError.h"

#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <optional>

namespace {

[[noreturn]] void Fail(int line, const QString& what) {
    throw EDescriptionError(line, what.toStdString());
}

[[noreturn]] void FailValue(const QString& kind, const QString& valueText) {
    throw EDescriptionError(0, QStringLiteral("%1 expected instead of \"%2\"")
                                   .arg(kind, valueText.left(80))
                                   .toStdString());
}

bool IsIdentStart(QChar c) {
    return c.isLetter() || c == u'_';
}
bool IsIdentChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// Identifier, optionally dotted (Font.Style, Scale1X.MinRange).
bool IsDottedIdent(const QString& s) {
    if (s.isEmpty())
        return false;
    bool atStart = true;
    for (const QChar c : s) {
        if (atStart) {
            if (!IsIdentStart(c))
                return false;
            atStart = false;
        } else if (c == u'.') {
            atStart = true;
        } else if (!IsIdentChar(c)) {
            return false;
        }
    }
    return !atStart;
}

bool IsPlainIdent(const QString& s) {
    return IsDottedIdent(s) && !s.contains(u'.');
}

const QRegularExpression& IntegerPattern() {
    static const QRegularExpression re(QStringLiteral("^[-+]?[0-9]+$"));
    return re;
}

const QRegularExpression& NumberPattern() {
    static const QRegularExpression re(
        QStringLiteral("^[-+]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)([eE][-+]?[0-9]+)?$"));
    return re;
}

// Reads one string item at pos: a quoted string or a character code (#10),
// appending its text to out. Error text or empty.
QString ScanStringItem(const QString& s, qsizetype& pos, QString& out) {
    const qsizetype n = s.size();
    if (pos < n && s[pos] == u'#') {
        ++pos;
        const qsizetype start = pos;
        unsigned code = 0;
        while (pos < n && s[pos] >= u'0' && s[pos] <= u'9') {
            code = std::min(code * 10 + (s[pos].unicode() - u'0'), 0x10000u);
            ++pos;
        }
        if (pos == start || code > 0xFFFF)
            return QStringLiteral("a character code #0 to #65535 expected");
        out += QChar(static_cast<char16_t>(code));
        return {};
    }
    if (pos >= n || s[pos] != u'\'')
        return QStringLiteral("a quoted string expected");
    ++pos;
    for (;;) {
        if (pos >= n)
            return QStringLiteral("unterminated string");
        if (s[pos] == u'\'') {
            if (pos + 1 < n && s[pos + 1] == u'\'') {
                out += u'\'';
                pos += 2;
                continue;
            }
            ++pos;
            return {};
        }
        out += s[pos++];
    }
}

// Reads strings joined by + from s starting at pos; each string is a run of
// quoted strings and character codes written without a gap ('a'#10'b').
// Appends their content to out. Returns an error text, or an empty one;
// `continues` is set when the text ends with a + that joins the next line's
// string.
QString ScanStrings(const QString& s, qsizetype pos, QString& out, bool& continues) {
    continues = false;
    const qsizetype n = s.size();
    for (;;) {
        do {
            const QString error = ScanStringItem(s, pos, out);
            if (!error.isEmpty())
                return error;
        } while (pos < n && (s[pos] == u'\'' || s[pos] == u'#'));
        while (pos < n && s[pos].isSpace())
            ++pos;
        if (pos >= n)
            return {};
        if (s[pos] != u'+')
            return QStringLiteral("unexpected text after a string");
        ++pos;
        while (pos < n && s[pos].isSpace())
            ++pos;
        if (pos >= n) {
            continues = true;
            return {};
        }
    }
}

bool StartsString(QChar c) {
    return c == u'\'' || c == u'#';
}

// Parses "[a, b]" into its members; error text or empty.
QString ScanSet(const QString& s, QStringList& members) {
    if (s.size() < 2 || !s.startsWith(u'[') || !s.endsWith(u']'))
        return QStringLiteral("a set [a, b] expected");
    const QString inner = s.mid(1, s.size() - 2).trimmed();
    members.clear();
    if (inner.isEmpty())
        return {};
    for (const QString& part : inner.split(u',')) {
        const QString member = part.trimmed();
        if (!IsPlainIdent(member))
            return QStringLiteral("bad set member \"%1\"").arg(member.left(40));
        members.append(member);
    }
    return {};
}

// Checks one value text and brings it to its normal form. Error text or empty.
QString NormalizeValue(const QString& raw, QString& normal, QString& pendingString,
                       bool& continues) {
    continues = false;
    if (raw.isEmpty())
        return QStringLiteral("value missing");
    const QChar first = raw[0];
    if (StartsString(first)) {
        pendingString.clear();
        const QString error = ScanStrings(raw, 0, pendingString, continues);
        if (error.isEmpty() && !continues)
            normal = DescQuote(pendingString);
        return error;
    }
    if (first == u'[') {
        QStringList members;
        const QString error = ScanSet(raw, members);
        if (error.isEmpty())
            normal = DescFormatSet(members);
        return error;
    }
    if (NumberPattern().match(raw).hasMatch() || IsDottedIdent(raw)) {
        normal = raw;
        return {};
    }
    return QStringLiteral("bad value \"%1\"").arg(raw.left(40));
}

struct TRegisteredClass {
    TComponentFactory Factory;
    TDescPropertySetter Setter;
};

std::map<QString, TRegisteredClass>& Registry() {
    static std::map<QString, TRegisteredClass> registry;
    return registry;
}

} // namespace

void RegisterComponentClass(const QString& className, TComponentFactory factory) {
    RegisterComponentClass(className, std::move(factory), {});
}

void RegisterComponentClass(const QString& className, TComponentFactory factory,
                            TDescPropertySetter setter) {
    Registry()[className] = TRegisteredClass{std::move(factory), std::move(setter)};
}

bool IsComponentClassRegistered(const QString& className) {
    return Registry().count(className) != 0;
}

// Exposed to the loader (DescriptionLoader.cpp).
bool FindComponentClass(const QString& className, TComponentFactory& factory,
                        TDescPropertySetter& setter) {
    const auto it = Registry().find(className);
    if (it == Registry().end())
        return false;
    factory = it->second.Factory;
    setter = it->second.Setter;
    return true;
}

TDescObject ParseWindowDescription(const QString& text) {
    // Objects being read, outermost first. Kept by value and moved into their
    // parent at "end", so no pointer into a growing vector is ever held.
    std::vector<TDescObject> open;
    std::optional<TDescObject> root;
    bool continues = false;
    QString pendingString;
    TDescProperty pendingProperty;

    static const QRegularExpression objectLine(
        QStringLiteral("^(object|inherited|inline)\\s+([^\\s:]+)\\s*:\\s*([^\\s]+)$"),
        QRegularExpression::CaseInsensitiveOption);

    const QStringList lines = text.split(u'\n');
    int lineNo = 0;
    for (const QString& rawLine : lines) {
        ++lineNo;
        const QString line = rawLine.trimmed();
        if (continues) {
            if (line.isEmpty() || !StartsString(line[0]))
                Fail(lineNo, QStringLiteral("string continuation expected after +"));
            QString more;
            const QString error = ScanStrings(line, 0, more, continues);
            if (!error.isEmpty())
                Fail(lineNo, error);
            pendingString += more;
            if (!continues) {
                pendingProperty.Value = DescQuote(pendingString);
                open.back().Properties.push_back(pendingProperty);
            }
            continue;
        }
        if (line.isEmpty() || line.startsWith(QStringLiteral("//")))
            continue;
        if (root)
            Fail(lineNo, QStringLiteral("text after the end of the description"));

        const auto object = objectLine.match(line);
        if (object.hasMatch()) {
            const QString name = object.captured(2);
            const QString className = object.captured(3);
            if (!IsPlainIdent(name))
                Fail(lineNo, QStringLiteral("bad object name \"%1\"").arg(name.left(40)));
            if (!IsPlainIdent(className))
                Fail(lineNo, QStringLiteral("bad class name \"%1\"").arg(className.left(40)));
            if (static_cast<int>(open.size()) >= MaxDescNesting)
                Fail(lineNo, QStringLiteral("objects nested deeper than %1").arg(MaxDescNesting));
            TDescObject o;
            o.Name = name;
            o.ClassName = className;
            o.Line = lineNo;
            open.push_back(std::move(o));
            continue;
        }
        if (line.compare(QStringLiteral("end"), Qt::CaseInsensitive) == 0) {
            if (open.empty())
                Fail(lineNo, QStringLiteral("\"end\" without an object"));
            TDescObject done = std::move(open.back());
            open.pop_back();
            if (open.empty())
                root = std::move(done);
            else
                open.back().Children.push_back(std::move(done));
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            Fail(lineNo, QStringLiteral("\"object\", \"end\" or \"Property = value\" expected"));
        if (open.empty())
            Fail(lineNo, QStringLiteral("property outside an object"));
        const QString name = line.left(eq).trimmed();
        if (!IsDottedIdent(name))
            Fail(lineNo, QStringLiteral("bad property name \"%1\"").arg(name.left(40)));
        QString normal;
        const QString error =
            NormalizeValue(line.mid(eq + 1).trimmed(), normal, pendingString, continues);
        if (!error.isEmpty())
            Fail(lineNo, error);
        pendingProperty = TDescProperty{name, {}, lineNo};
        if (!continues) {
            pendingProperty.Value = normal;
            open.back().Properties.push_back(pendingProperty);
        }
    }
    if (continues)
        Fail(lineNo, QStringLiteral("string continuation expected after +"));
    if (!open.empty())
        Fail(open.back().Line,
             QStringLiteral("\"end\" missing for object %1").arg(open.back().Name));
    if (!root)
        Fail(lineNo, QStringLiteral("no object"));
    return std::move(*root);
}

namespace {

void WriteObject(const TDescObject& o, int depth, QString& out) {
    const QString indent(depth * 2, u' ');
    out += indent + QStringLiteral("object ") + o.Name + QStringLiteral(": ") + o.ClassName + u'\n';
    for (const TDescProperty& p : o.Properties)
        out += indent + QStringLiteral("  ") + p.Name + QStringLiteral(" = ") + p.Value + u'\n';
    for (const TDescObject& child : o.Children)
        WriteObject(child, depth + 1, out);
    out += indent + QStringLiteral("end\n");
}

} // namespace

QString WriteWindowDescription(const TDescObject& root) {
    // The parser limits nesting, and so bounds this recursion for parsed trees.
    QString out;
    WriteObject(root, 0, out);
    return out;
}

int DescInt(const QString& valueText) {
    bool ok = false;
    const int value = valueText.toInt(&ok);
    if (!ok || !IntegerPattern().match(valueText).hasMatch())
        FailValue(QStringLiteral("an integer"), valueText);
    return value;
}

double DescFloat(const QString& valueText) {
    bool ok = false;
    const double value = valueText.toDouble(&ok);
    if (!ok || !NumberPattern().match(valueText).hasMatch())
        FailValue(QStringLiteral("a number"), valueText);
    return value;
}

bool DescBool(const QString& valueText) {
    if (valueText.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (valueText.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    FailValue(QStringLiteral("True or False"), valueText);
}

QString DescString(const QString& valueText) {
    QString out;
    bool continues = false;
    if (!ScanStrings(valueText, 0, out, continues).isEmpty() || continues)
        FailValue(QStringLiteral("a quoted string"), valueText);
    return out;
}

QString DescIdent(const QString& valueText) {
    if (!IsDottedIdent(valueText))
        FailValue(QStringLiteral("an identifier"), valueText);
    return valueText;
}

QStringList DescSet(const QString& valueText) {
    QStringList members;
    if (!ScanSet(valueText.trimmed(), members).isEmpty())
        FailValue(QStringLiteral("a set"), valueText);
    return members;
}

QString DescQuote(const QString& text) {
    // Control characters go outside the quotes as codes: a line break inside
    // quotes would end the description's line and cut the string.
    QString out;
    bool quoted = false;
    for (const QChar c : text) {
        if (c.unicode() < 0x20) {
            if (quoted)
                out += u'\'';
            quoted = false;
            out += u'#' + QString::number(c.unicode());
            continue;
        }
        if (!quoted)
            out += u'\'';
        quoted = true;
        if (c == u'\'')
            out += u'\'';
        out += c;
    }
    if (quoted)
        out += u'\'';
    return out.isEmpty() ? QStringLiteral("''") : out;
}

QString DescFormatSet(const QStringList& members) {
    return u'[' + members.join(QStringLiteral(", ")) + u']';
}

QString DescFormatFloat(double value) {
    // Shortest text that reads back to the same double.
    QString text = QString::number(value, 'g', 17);
    for (int precision = 1; precision <= 17; ++precision) {
        const QString candidate = QString::number(value, 'g', precision);
        if (candidate.toDouble() == value) {
            text = candidate;
            break;
        }
    }
    return text;
}
