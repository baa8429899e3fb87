// libFuzzer target: the window-description parser on any text. It either
// parses or throws Exception; a description it accepts must survive being
// written back and parsed again unchanged, and the value helpers must either
// convert or throw.
#include "base/Exception.h"
#include "toolkit/WindowDescription.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Line numbers legitimately change when the tree is written back.
bool SameTree(const TDescObject& a, const TDescObject& b) {
    if (a.Name != b.Name || a.ClassName != b.ClassName ||
        a.Properties.size() != b.Properties.size() || a.Children.size() != b.Children.size())
        return false;
    for (size_t i = 0; i < a.Properties.size(); ++i)
        if (a.Properties[i].Name != b.Properties[i].Name ||
            a.Properties[i].Value != b.Properties[i].Value)
            return false;
    for (size_t i = 0; i < a.Children.size(); ++i)
        if (!SameTree(a.Children[i], b.Children[i]))
            return false;
    return true;
}

template <typename F> void TryValue(F convert) {
    try {
        convert();
    } catch (const Exception&) {
    }
}

void ExerciseValues(const TDescObject& object) {
    for (const TDescProperty& p : object.Properties) {
        TryValue([&] { DescInt(p.Value); });
        TryValue([&] { DescFloat(p.Value); });
        TryValue([&] { DescBool(p.Value); });
        TryValue([&] { DescIdent(p.Value); });
        TryValue([&] {
            const QString s = DescString(p.Value);
            if (DescString(DescQuote(s)) != s)
                std::abort();
        });
        TryValue([&] {
            const QStringList members = DescSet(p.Value);
            if (DescSet(DescFormatSet(members)) != members)
                std::abort();
        });
    }
    for (const TDescObject& child : object.Children)
        ExerciseValues(child);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TDescObject root;
    try {
        root = ParseWindowDescription(text);
    } catch (const Exception&) {
        return 0;
    }
    ExerciseValues(root);
    TDescObject again;
    try {
        again = ParseWindowDescription(WriteWindowDescription(root));
    } catch (const Exception&) {
        std::abort(); // what the writer wrote must parse
    }
    if (!SameTree(root, again))
        std::abort();
    return 0;
}
